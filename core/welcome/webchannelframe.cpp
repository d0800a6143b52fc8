#include "core/welcome/webchannelframe.h"

#include "core/welcome/jsonkeyscanner.h"

#include <QJsonDocument>
#include <QJsonParseError>

// QWebChannelMessageTypes: a page's text for the application's log.
static const int kDebugType = 5;

WebChannelFrame::Status WebChannelFrame::decode(const QString &strFrame, QJsonObject *pMessage, QString *pError)
{
    const QByteArray utf8 = strFrame.toUtf8();
    // Before the reader: it would keep memory of the values a repeated key
    // drops, and the channel prints a message it refuses indented, which
    // for deep nesting takes time and space with the square of the depth.
    switch (JsonKeyScanner::check(utf8, kMaxDepth)) {
    case JsonKeyScanner::RepeatedKey:
        return RepeatedKey;
    case JsonKeyScanner::TooDeep:
        return TooDeep;
    case JsonKeyScanner::NoFinding:
        break;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError) {
        *pError = error.errorString();
        return NotJson;
    }
    if (!document.isObject())
        return NotAnObject;
    *pMessage = document.object();
    // The channel takes the type as a number or as the text of one.
    const QJsonValue type = pMessage->value(QLatin1String("type"));
    if ((type.isDouble() && type.toDouble() == kDebugType) || (type.isString() && type.toString().toInt() == kDebugType))
        return Debug;
    return Message;
}
