#include "extensionsystem/singleinstance.h"

#include "extensionsystem/handovermessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcSingleInstance, "zelto.extensionsystem.instance")

namespace ExtensionSystem {

namespace {

const char Acknowledgement[] = "OK\n";
// Marks a connection whose message was handled or dropped.
const char DoneProperty[] = "zeltoDone";

#ifdef Q_OS_UNIX
// Names tried after "zelto-<user>" when something else holds it.
const int FolderFallbacks = 7;

// A real folder (not a link) of this user, closed to everybody else.
bool isPrivateFolder(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == ::geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// The first usable folder of the "zelto-<user>" names in base, made when it
// does not exist; empty when all of them are held by something else.
QString privateFolderIn(const QString &base, const QString &user)
{
    for (int i = 0; i <= FolderFallbacks; ++i) {
        const QString path = QDir(base).absoluteFilePath(
            i == 0 ? QStringLiteral("zelto-%1").arg(user) : QStringLiteral("zelto-%1-%2").arg(user).arg(i));
        // mkdir with 0700 creates it closed; an existing name is judged as it is.
        ::mkdir(QFile::encodeName(path).constData(), S_IRWXU);
        if (isPrivateFolder(path))
            return path;
        qCWarning(lcSingleInstance,
                  "Not using \"%s\" for the hand-over socket: it is not a private folder of this user.",
                  qUtf8Printable(path));
    }
    return QString();
}
#endif

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
    user = user.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]"))).left(32);
    const QString folder = QDir::cleanPath(QDir(settingsFolder).absolutePath());
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
#ifdef Q_OS_UNIX
    if (user.isEmpty())
        user = QString::number(::geteuid());
    const QString name = QStringLiteral("zelto-%1").arg(hash);
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty())
        base = QDir::tempPath();
    // "/zelto-<user>-7/" comes between the base and the name.
    const int nLongest = QFile::encodeName(base).size() + user.size() + name.size() + 10;
    if (nLongest >= int(sizeof(sockaddr_un::sun_path)))
        base = QStringLiteral("/tmp");
    const QString privateFolder = privateFolderIn(base, user);
    return privateFolder.isEmpty() ? QString() : QDir(privateFolder).absoluteFilePath(name);
#else
    // A named pipe, in one namespace for all users; UserAccessOption keeps
    // the others out.
    return QStringLiteral("zelto-%1-%2").arg(user, hash);
#endif
}

SingleInstance::SendResult SingleInstance::sendToRunningInstance(const QStringList &options,
                                                                 const QString &workingDirectory,
                                                                 const QStringList &arguments,
                                                                 int timeoutMs)
{
    if (m_strServerName.isEmpty())
        return NoRunningInstance;
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
    if (m_strServerName.isEmpty()) {
        m_strError = tr("There is no private folder for the socket.");
        return false;
    }
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
    // All of them, every time: a connection left waiting holds a place in
    // the listen queue, and a full queue turns every later hand-over away.
    while (QLocalSocket *pSocket = m_pServer->nextPendingConnection()) {
        if (m_lstOpen.size() >= MaxOpenConnections) {
            // A flood of connections must not flood the log: a line a second.
            static QElapsedTimer s_lastLine;
            static int s_nUnlogged = 0;
            if (!s_lastLine.isValid() || s_lastLine.elapsed() >= 1000) {
                qCWarning(lcSingleInstance, "Closed %d connection(s) from other instances: too many at once.",
                          s_nUnlogged + 1);
                s_nUnlogged = 0;
                s_lastLine.start();
            } else {
                ++s_nUnlogged;
            }
            finish(m_lstOpen.constFirst());
        }
        m_lstOpen.append(pSocket);
        // Enough for the largest message; beyond it the peer waits.
        pSocket->setReadBufferSize(sizeof(quint32) + HandOverMessage::MaxPayloadSize);
        // A peer that left before this connection was taken never sends
        // disconnected() again; what it sent is still read below.
        connect(pSocket, &QLocalSocket::disconnected, this, [this, pSocket] {
            readCommand(pSocket);
            finish(pSocket);
        });
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket] { readCommand(pSocket); });
        const int nTimeoutMs = m_nReadTimeoutMs;
        QTimer::singleShot(nTimeoutMs, pSocket, [this, pSocket, nTimeoutMs] {
            if (pSocket->property(DoneProperty).toBool())
                return;
            qCWarning(lcSingleInstance, "Closed a connection from another instance: no whole message within %d ms.",
                      nTimeoutMs);
            finish(pSocket);
        });
        // Data may have arrived together with the connection.
        if (pSocket->bytesAvailable() > 0)
            readCommand(pSocket);
        if (pSocket->state() != QLocalSocket::ConnectedState) {
            readCommand(pSocket);
            finish(pSocket);
        }
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
        finish(pSocket);
        return;
    }
    pSocket->write(Acknowledgement);
    pSocket->flush();
    // The slot is free from now on; the socket goes once the answer is out
    // (disconnected() above), or at once when the peer has left already.
    m_lstOpen.removeOne(pSocket);
    pSocket->disconnectFromServer();
    if (pSocket->state() == QLocalSocket::UnconnectedState)
        finish(pSocket);
    emit commandReceived(message.options(), message.workingDirectory(), message.arguments());
}

void SingleInstance::finish(QLocalSocket *pSocket)
{
    pSocket->setProperty(DoneProperty, true);
    m_lstOpen.removeOne(pSocket);
    // Its signals would come back here while it goes.
    disconnect(pSocket, nullptr, this, nullptr);
    pSocket->abort();
    pSocket->deleteLater();
}

} // namespace ExtensionSystem
