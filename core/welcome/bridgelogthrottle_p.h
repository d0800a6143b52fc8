#pragma once

#include <QString>

// Keeps the bridge's lines about refused connections and malformed frames
// from flooding the log: any local program can send them as fast as it likes.
//
// A burst of kBurst lines is written at once; after that one more line per
// second. Lines held back are counted and reported with the next line
// written. GUI thread only, like the bridge.
class BridgeLogThrottle
{
public:
    static const int kBurst = 50;
    // The longest piece of client input a log line quotes.
    static const int kMaxQuoted = 200;

    // True when one more line may be written now. The first line allowed
    // after some were held back is preceded by a line that counts them.
    static bool allow();
    // The same without writing that line: the count is added to *pHeldBack,
    // for a caller that must write it itself (a message handler may not log).
    static bool take(qint64 *pHeldBack);
    // The line that counts nHeldBack lines held back.
    static QString heldBackLine(qint64 nHeldBack);
    // The first kMaxQuoted characters of text; "..." marks a cut.
    static QString excerpt(const QString &text);
};
