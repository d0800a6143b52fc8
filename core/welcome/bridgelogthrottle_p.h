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

    // True when one more line may be written now.
    static bool allow();
    // The first kMaxQuoted characters of text; "..." marks a cut.
    static QString excerpt(const QString &text);
};
