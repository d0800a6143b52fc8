#include "extensionsystem/handovermessage.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace ExtensionSystem {

namespace {

// The magic number keeps a stray client from making the running instance
// open random files; the version lets the format change later.
const quint32 Magic = 0x5A454C54;  // "ZELT"
const quint32 ProtocolVersion = 1;
const quint32 NullString = 0xFFFFFFFF;
const QDataStream::Version StreamVersion = QDataStream::Qt_5_15;

// Reads the payload front to back. Each read checks the bytes left first;
// the first failure sticks and names the reason.
class PayloadReader
{
public:
    PayloadReader(const char *pData, quint32 nSize)
        : m_pData(pData)
        , m_nLeft(nSize)
    {
    }

    bool failed() const { return !m_strError.isEmpty(); }
    QString error() const { return m_strError; }
    quint32 left() const { return m_nLeft; }

    quint32 readNumber()
    {
        if (failed())
            return 0;
        if (m_nLeft < sizeof(quint32)) {
            m_strError = QStringLiteral("the message ends inside a number");
            return 0;
        }
        const quint32 nValue = qFromBigEndian<quint32>(m_pData);
        skip(sizeof(quint32));
        return nValue;
    }

    QString readString()
    {
        const quint32 nBytes = readNumber();
        if (failed() || nBytes == NullString)
            return QString();
        if (nBytes % 2 != 0) {
            m_strError = QStringLiteral("a text has an odd length");
            return QString();
        }
        if (nBytes > m_nLeft) {
            m_strError = QStringLiteral("a text is longer than the message");
            return QString();
        }
        QString strValue(int(nBytes / 2), Qt::Uninitialized);
        QChar *pOut = strValue.data();
        for (quint32 i = 0; i < nBytes / 2; ++i)
            pOut[i] = QChar(qFromBigEndian<quint16>(m_pData + 2 * i));
        skip(nBytes);
        return strValue;
    }

    QStringList readList()
    {
        const quint32 nCount = readNumber();
        if (failed())
            return QStringList();
        // Every entry takes at least its length field, so a count the rest of
        // the message cannot hold is a lie, caught before anything is reserved.
        if (nCount > m_nLeft / sizeof(quint32)) {
            m_strError = QStringLiteral("a list has more entries than the message can hold");
            return QStringList();
        }
        QStringList lstValues;
        lstValues.reserve(int(nCount));
        for (quint32 i = 0; i < nCount && !failed(); ++i)
            lstValues.append(readString());
        return lstValues;
    }

private:
    void skip(quint32 nBytes)
    {
        m_pData += nBytes;
        m_nLeft -= nBytes;
    }

    const char *m_pData;
    quint32 m_nLeft;
    QString m_strError;
};

} // namespace

QByteArray HandOverMessage::encode(const QStringList &options, const QString &workingDirectory,
                                   const QStringList &arguments)
{
    QByteArray payload;
    {
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(StreamVersion);
        out << Magic << ProtocolVersion << options << workingDirectory << arguments;
    }
    QByteArray message(sizeof(quint32), Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(payload.size()), message.data());
    return message + payload;
}

HandOverMessage HandOverMessage::decode(const QByteArray &data)
{
    HandOverMessage message;
    if (data.size() < int(sizeof(quint32)))
        return message;
    const quint32 nSize = qFromBigEndian<quint32>(data.constData());
    if (nSize > quint32(MaxPayloadSize)) {
        message.m_status = Malformed;
        message.m_strError =
            QStringLiteral("it announces %1 bytes, more than the %2 allowed").arg(nSize).arg(MaxPayloadSize);
        return message;
    }
    if (quint32(data.size()) - sizeof(quint32) < nSize)
        return message;

    PayloadReader reader(data.constData() + sizeof(quint32), nSize);
    const quint32 nMagic = reader.readNumber();
    const quint32 nVersion = reader.readNumber();
    if (!reader.failed() && (nMagic != Magic || nVersion != ProtocolVersion)) {
        message.m_status = Malformed;
        message.m_strError = QStringLiteral("unknown format");
        return message;
    }
    message.m_lstOptions = reader.readList();
    message.m_strWorkingDirectory = reader.readString();
    message.m_lstArguments = reader.readList();
    if (!reader.failed() && reader.left() != 0) {
        message.m_status = Malformed;
        message.m_strError = QStringLiteral("%1 stray bytes follow the command line").arg(reader.left());
        return message;
    }
    if (reader.failed()) {
        message = HandOverMessage();
        message.m_status = Malformed;
        message.m_strError = reader.error();
        return message;
    }
    message.m_status = Complete;
    return message;
}

} // namespace ExtensionSystem
