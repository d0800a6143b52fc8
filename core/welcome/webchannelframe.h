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
        NotAnObject    // JSON, but not an object
    };

    static Status decode(const QString &strFrame, QJsonObject *pMessage, QString *pError);
};
