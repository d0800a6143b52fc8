#include "core/welcome/webchannelframe.h"

#include "core/welcome/jsonkeyscanner.h"

#include <QJsonDocument>
#include <QJsonParseError>

WebChannelFrame::Status WebChannelFrame::decode(const QString &strFrame, QJsonObject *pMessage, QString *pError)
{
    const QByteArray utf8 = strFrame.toUtf8();
    // Before the reader: it would keep memory of the values a repeated key drops.
    if (JsonKeyScanner::hasRepeatedKey(utf8))
        return RepeatedKey;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError) {
        *pError = error.errorString();
        return NotJson;
    }
    if (!document.isObject())
        return NotAnObject;
    *pMessage = document.object();
    return Message;
}
