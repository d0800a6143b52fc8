#include "extensionsystem/singleinstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QRegularExpression>

Q_LOGGING_CATEGORY(lcSingleInstance, "zelto.extensionsystem.instance")

namespace ExtensionSystem {

namespace {

// The message: a size, then a magic number and a protocol version, so that a
// stray client cannot make the running instance open random files.
const quint32 Magic = 0x5A454C54;  // "ZELT"
const quint32 ProtocolVersion = 1;
const quint32 MaxMessageSize = 1024 * 1024;
const QDataStream::Version StreamVersion = QDataStream::Qt_5_15;
const char Acknowledgement[] = "OK\n";

} // namespace

SingleInstance::SingleInstance(const QString &serverName, QObject *parent)
    : QObject(parent)
    , m_strServerName(serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverNameFor(const QString &settingsFolder)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    user.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")));
    const QString folder = QDir::cleanPath(QDir(settingsFolder).absolutePath());
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex();
    // Kept short: on Unix the name becomes a socket path with a length limit.
    return QStringLiteral("zelto-%1-%2").arg(user.left(32), QString::fromLatin1(hash.left(16)));
}

SingleInstance::SendResult SingleInstance::sendToRunningInstance(const QStringList &options,
                                                                 const QString &workingDirectory,
                                                                 const QStringList &arguments,
                                                                 int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_strServerName);
    if (!socket.waitForConnected(qMin(timeoutMs, 2000)))
        return NoRunningInstance;

    QByteArray payload;
    {
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(StreamVersion);
        out << Magic << ProtocolVersion << options << workingDirectory << arguments;
    }
    QByteArray message;
    {
        QDataStream out(&message, QIODevice::WriteOnly);
        out.setVersion(StreamVersion);
        out << quint32(payload.size());
    }
    message += payload;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        m_strError = socket.errorString();
        return NotAnswered;
    }
    // The running instance confirms once it has the whole command line;
    // until then this process must not go away.
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            m_strError = tr("The running instance did not answer.");
            return NotAnswered;
        }
        answer += socket.readAll();
    }
    socket.disconnectFromServer();
    return answer.startsWith(Acknowledgement) ? Delivered : NotAnswered;
}

bool SingleInstance::listen()
{
    if (isListening())
        return true;
    if (!m_pServer) {
        m_pServer = new QLocalServer(this);
        // Only this user may hand files to the running instance.
        m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_pServer, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    }
    // Either a live instance owns the name, or a crashed one left its socket
    // behind; only the second may be taken over. Ask first: with access
    // options Qt replaces an existing socket file without complaint.
    {
        QLocalSocket probe;
        probe.connectToServer(m_strServerName);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            m_strError = tr("Another instance is already listening on \"%1\".").arg(m_strServerName);
            return false;
        }
    }
    QLocalServer::removeServer(m_strServerName);
    if (m_pServer->listen(m_strServerName))
        return true;
    m_strError = m_pServer->errorString();
    return false;
}

bool SingleInstance::isListening() const
{
    return m_pServer && m_pServer->isListening();
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommand(socket); });
        // Data may have arrived together with the connection.
        if (socket->bytesAvailable() > 0)
            readCommand(socket);
    }
}

void SingleInstance::readCommand(QLocalSocket *pSocket)
{
    if (pSocket->property("zeltoDone").toBool())
        return;
    if (pSocket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    quint32 size = 0;
    {
        QDataStream in(pSocket->peek(sizeof(quint32)));
        in.setVersion(StreamVersion);
        in >> size;
    }
    if (size > MaxMessageSize) {
        qCWarning(lcSingleInstance, "Rejected an oversized message from another instance.");
        pSocket->abort();
        return;
    }
    if (pSocket->bytesAvailable() < qint64(sizeof(quint32)) + size)
        return;
    pSocket->read(sizeof(quint32));
    const QByteArray payload = pSocket->read(size);

    QDataStream in(payload);
    in.setVersion(StreamVersion);
    quint32 magic = 0;
    quint32 version = 0;
    QStringList options;
    QString workingDirectory;
    QStringList arguments;
    in >> magic >> version;
    if (magic != Magic || version != ProtocolVersion) {
        qCWarning(lcSingleInstance, "Rejected a message from another instance: unknown format.");
        pSocket->abort();
        return;
    }
    in >> options >> workingDirectory >> arguments;
    if (in.status() != QDataStream::Ok) {
        qCWarning(lcSingleInstance, "Rejected a message from another instance: it is incomplete.");
        pSocket->abort();
        return;
    }
    pSocket->setProperty("zeltoDone", true);
    pSocket->write(Acknowledgement);
    pSocket->flush();
    pSocket->disconnectFromServer();
    emit commandReceived(options, workingDirectory, arguments);
}

} // namespace ExtensionSystem
