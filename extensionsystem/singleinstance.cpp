#include "extensionsystem/singleinstance.h"

#include "extensionsystem/handovermessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTimer>


Q_LOGGING_CATEGORY(lcSingleInstance, "zelto.extensionsystem.instance")

namespace ExtensionSystem {

namespace {

const char Acknowledgement[] = "OK\n";
// Marks a connection whose message was handled or dropped.
const char DoneProperty[] = "zeltoDone";

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

    socket.write(HandOverMessage::encode(options, workingDirectory, arguments));
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
    while (m_nOpenConnections < MaxOpenConnections) {
        QLocalSocket *pSocket = m_pServer->nextPendingConnection();
        if (!pSocket)
            return;
        ++m_nOpenConnections;
        // Enough for the largest message; beyond it the peer waits.
        pSocket->setReadBufferSize(sizeof(quint32) + HandOverMessage::MaxPayloadSize);
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QObject::destroyed, this, [this] {
            --m_nOpenConnections;
            onNewConnection();
        });
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket] { readCommand(pSocket); });
        const int nTimeoutMs = m_nReadTimeoutMs;
        QTimer::singleShot(nTimeoutMs, pSocket, [pSocket, nTimeoutMs] {
            if (pSocket->property(DoneProperty).toBool())
                return;
            qCWarning(lcSingleInstance, "Closed a connection from another instance: no whole message within %d ms.",
                      nTimeoutMs);
            pSocket->setProperty(DoneProperty, true);
            pSocket->abort();
        });
        // Data may have arrived together with the connection.
        if (pSocket->bytesAvailable() > 0)
            readCommand(pSocket);
    }
}

void SingleInstance::readCommand(QLocalSocket *pSocket)
{
    if (pSocket->property(DoneProperty).toBool())
        return;
    const HandOverMessage message = HandOverMessage::decode(pSocket->peek(pSocket->bytesAvailable()));
    if (message.status() == HandOverMessage::Incomplete)
        return;
    pSocket->setProperty(DoneProperty, true);
    if (message.status() == HandOverMessage::Malformed) {
        qCWarning(lcSingleInstance, "Dropped a message from another instance: %s.",
                  qUtf8Printable(message.errorString()));
        pSocket->abort();
        return;
    }
    pSocket->write(Acknowledgement);
    pSocket->flush();
    pSocket->disconnectFromServer();
    emit commandReceived(message.options(), message.workingDirectory(), message.arguments());
}

} // namespace ExtensionSystem
