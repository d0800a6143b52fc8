#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QJsonArray;
class QJsonObject;
class QJsonValue;
QT_END_NAMESPACE

// Writes a JSON object as compact JSON text straight into a QString.
// The web channel sends every reply and signal as a text frame, and
// QJsonDocument::toJson would first build UTF-8 that only gets converted to
// a QString and back to UTF-8 by the socket. Writing the text directly takes
// less than half the work.
class CompactJsonWriter
{
public:
    static QString toJson(const QJsonObject &object);
    // Appends to out, so a caller sending many messages can reuse one buffer.
    static void appendJson(const QJsonObject &object, QString &out);

private:
    explicit CompactJsonWriter(QString &out);

    void writeValue(const QJsonValue &value);
    void writeObject(const QJsonObject &object);
    void writeArray(const QJsonArray &array);
    void writeString(const QString &str);
    void writeNumber(double dValue);

    QString &m_strOut;
};
