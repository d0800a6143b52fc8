#pragma once

#include "core/core_global.h"

#include <QByteArray>

/**
 * Finds objects that name the same key twice in JSON text, without parsing it.
 *
 * Qt's JSON reader keeps the last of several equal keys, and the earlier
 * values it drops are never freed when they are arrays or objects: text that
 * repeats a key with an array value makes the application's memory grow with
 * every reading. Check JSON from outside the process (frames, files, answers
 * of servers) with this scanner before QJsonDocument::fromJson sees it. It
 * looks only at the structure (strings, braces, brackets, commas); malformed
 * text is left to the reader to refuse.
 */
class CORE_EXPORT JsonKeyScanner
{
public:
    /**
     * True when any object in @p json, at any depth, has two keys that Qt's
     * reader takes for one: keys that are equal once their escapes are
     * decoded ("a" and "\\u0061" are one key), and a key with an escaped lone
     * surrogate and the same key written with U+FFFD in its place.
     *
     * @p json is UTF-8, as handed to QJsonDocument::fromJson. Time and memory
     * grow linearly with its size; any thread.
     */
    static bool hasRepeatedKey(const QByteArray &json);

    /** What check() found first in the text. */
    enum Finding {
        NoFinding,     ///< neither of the two
        RepeatedKey,   ///< an object names a key twice, as hasRepeatedKey() tells
        TooDeep        ///< objects and arrays nested more than the given depth
    };

    /**
     * The same scan as hasRepeatedKey(), in the same single pass, that also
     * refuses objects and arrays nested deeper than @p nMaxDepth. Qt's reader
     * takes up to 1024 levels, and whatever writes such a message out
     * indented (a warning quoting it, say) needs time and space that grow
     * with the square of its depth.
     *
     * Usual messages (a few dozen keys, few escapes) are scanned without
     * touching the heap. Any thread.
     */
    static Finding check(const QByteArray &json, int nMaxDepth);
};
