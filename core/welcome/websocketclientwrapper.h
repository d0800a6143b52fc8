#pragma once

#include "core/core_global.h"

#include <QByteArray>
#include <QObject>

#include <memory>

QT_BEGIN_NAMESPACE
class QWebSocketServer;
QT_END_NAMESPACE

class WebSocketTransport;

class WebSocketClientWrapperPrivate;

/**
 * Turns each connection the server accepts into a web-channel transport,
 * after checking who is connecting.
 *
 * The server listens on the loopback interface, which every web site open in
 * the user's browser and every other user of the machine can reach too. A
 * connection is served only when both hold:
 * - its handshake has no Origin header (a program outside a browser), or the
 *   origin of a page the application loads itself: qrc: pages, and origins
 *   plug-ins register with addTrustedOrigin(). "null", file:, http(s): (also
 *   on localhost) and browser-extension origins are refused at the handshake.
 * - its URL carries the launch token as the query item "token"
 *   (`ws://127.0.0.1:PORT/?token=TOKEN`). Without it the connection is
 *   closed with close code 1008 before the web channel sees a message.
 *
 * Every connection may send frames and messages of at most
 * kMaxIncomingMessageSize bytes; a larger one closes it with close code 1009.
 *
 * The main window makes the one wrapper for its server and connects
 * clientConnected() to QWebChannel::connectTo(). See @ref bridge. GUI thread
 * only.
 */
class CORE_EXPORT WebSocketClientWrapper : public QObject
{
    Q_OBJECT

public:
    /** The largest frame, and message, a client may send: 1 MiB. The welcome page's messages are a few hundred bytes. */
    static constexpr quint64 kMaxIncomingMessageSize = 1024 * 1024;

    /**
     * Serves @p server's connections. Makes a new random token; the
     * application makes one wrapper per launch.
     *
     * Does not take the server; it must outlive the wrapper.
     */
    WebSocketClientWrapper(QWebSocketServer *server, QObject *parent = nullptr);
    /** Leaves the server and its connections as they are. */
    ~WebSocketClientWrapper() override;

    /**
     * The launch token clients put in their URL: 256 random bits from the
     * system's generator, Base64url without padding (43 characters, safe in
     * a URL as it is). Hand it only to the application's own pages and
     * programs the user starts.
     */
    QString token() const;

    /** True when a handshake with the Origin header @p strOrigin is served (an empty string stands for no header). */
    static bool isTrustedOrigin(const QString &strOrigin);

    /**
     * Lets pages with the origin @p strOrigin use the bridge, for a plug-in
     * that shows pages of its own from a URL scheme it serves itself (a
     * QWebEngineUrlSchemeHandler, for example "zelto-scene://stage").
     *
     * The origin is written as a browser sends it: scheme, "://", host and an
     * optional port, no path. Pages still need the launch token. Origins that
     * web sites or browsers can have are refused: "null", file:, http:,
     * https:, ws:, wss:, ftp:, data:, blob:, about:, javascript: and
     * browser-extension schemes (any scheme ending in "-extension").
     * Registered origins stay trusted until the application ends.
     * GUI thread only.
     *
     * @return true when the origin is trusted now; false, with a warning in
     *         the log, when it is refused or malformed
     */
    static bool addTrustedOrigin(const QString &strOrigin);

signals:
    /** A client connected; the receiver (the web channel) takes the transport @p client. */
    void clientConnected(WebSocketTransport *client);

private slots:
    void handleNewConnection();

private:
    std::unique_ptr<WebSocketClientWrapperPrivate> d;
};
