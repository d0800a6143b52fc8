#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QList>
#include <QObject>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QLocalServer;
class QLocalSocket;
QT_END_NAMESPACE

namespace ExtensionSystem {

// Keeps one running instance per user and settings folder. The first
// instance listens on a local socket; a later one hands its command line
// over to it and exits. A socket left behind by a crashed instance is taken
// over by the next one that starts.
//
// Only this user can reach the socket: on Unix it lives in a folder of this
// user that nobody else may enter, and the socket itself is for the user
// only. Messages are still read as hostile (HandOverMessage::decode): a
// malformed one is dropped with a warning, and a connection that does not
// deliver a whole message within the read timeout is closed.
class EXTENSIONSYSTEM_EXPORT SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum SendResult {
        NoRunningInstance,  // nobody listens: this process is the first
        Delivered,          // the running instance took the command line
        NotAnswered         // someone listens but did not confirm in time
    };

    explicit SingleInstance(const QString &serverName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Connections read at the same time, so a flood of connections cannot
    // make this process buffer without bound. Every waiting connection is
    // taken at once; beyond this many, the one open longest is closed to make
    // room. A real hand-over sends its message as it connects, so it is read
    // before any number of stalled connections could push it out.
    static const int MaxOpenConnections = 8;
    // Time a connection has to deliver its whole message.
    static const int DefaultReadTimeoutMs = 5000;

    // One name per user and settings folder, so that instances with separate
    // settings (tests, portable set-ups) never meet. On Unix the name is the
    // path of the socket in a private folder of this user, made here when
    // missing: "zelto-<user>" in XDG_RUNTIME_DIR, else in the temporary folder
    // (in /tmp when that path would be too long for a socket). When that name
    // is held by anything else (a link, a file, a folder of another user or
    // one that others may enter), the first usable of "zelto-<user>-1" to
    // "zelto-<user>-7" is taken. Empty when none is usable.
    static QString serverNameFor(const QString &settingsFolder);
    QString serverName() const { return m_strServerName; }

    SendResult sendToRunningInstance(const QStringList &options, const QString &workingDirectory,
                                     const QStringList &arguments, int timeoutMs = 15000);

    // Starts listening; false when another live instance owns the name or the
    // socket cannot be created (errorString() says why).
    bool listen();
    bool isListening() const;
    QString errorString() const { return m_strError; }

    // Tests shorten the time a connection has to deliver its message.
    void setReadTimeout(int msecs) { m_nReadTimeoutMs = msecs; }

signals:
    void commandReceived(const QStringList &options, const QString &workingDirectory,
                         const QStringList &arguments);

private:
    void onNewConnection();
    void readCommand(QLocalSocket *pSocket);
    // Ends a connection, whatever state it is in, and gives its slot back;
    // safe to call more than once.
    void finish(QLocalSocket *pSocket);

    QString m_strServerName;
    QString m_strError;
    QLocalServer *m_pServer = nullptr;  // child of this
    // The connections being read, oldest first; children of m_pServer.
    QList<QLocalSocket *> m_lstOpen;
    int m_nReadTimeoutMs = DefaultReadTimeoutMs;
};

} // namespace ExtensionSystem
