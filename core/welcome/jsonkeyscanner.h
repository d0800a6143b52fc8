#pragma once

#include <QByteArray>

// Finds objects that name the same key twice in JSON text, without parsing it.
//
// Qt's JSON reader keeps the last of several equal keys, and the earlier
// values it drops are never freed when they are arrays or objects: a client
// repeating a key with an array value makes the application's memory grow
// with every frame. Frames are checked with this scanner before the reader
// sees them. It looks only at the structure (strings, braces, brackets,
// commas); malformed text is left to the reader to refuse.
class JsonKeyScanner
{
public:
    // True when any object in @p json, at any depth, has two keys that are
    // equal once their escapes are decoded ("a" and "\u0061" are one key).
    // @p json is UTF-8, as handed to QJsonDocument::fromJson.
    static bool hasRepeatedKey(const QByteArray &json);
};
