#pragma once

#include <QJsonObject>
#include <QString>

// Reads one text frame of the web channel: the checks a frame from a client
// passes before the channel sees it. Pure, so it can be fed any text.
class WebChannelFrame
{
public:
    enum Status {
        Message,       // a JSON object; *pMessage holds it
        RepeatedKey,   // an object in it names a key twice (see JsonKeyScanner)
        NotJson,       // not JSON text; *pError says why
        NotAnObject,   // JSON, but not an object
        TooDeep,       // objects or arrays nested more than kMaxDepth levels
        Debug          // a debug message: the channel would print its text whole to stdout
    };

    // A channel message is an object holding arguments; a page's arguments
    // need far fewer levels than this.
    static const int kMaxDepth = 32;

    static Status decode(const QString &strFrame, QJsonObject *pMessage, QString *pError);
};
