#pragma once

#include "core/core_global.h"

#include <QObject>

QT_BEGIN_NAMESPACE
class QWebSocketServer;
QT_END_NAMESPACE

class WebSocketTransport;

/**
 * Turns each connection the server accepts into a web-channel transport.
 *
 * The server listens on the loopback interface, which every web site the user
 * visits in a browser can reach as well. Browsers always send the page's
 * origin with a WebSocket handshake, so handshakes from web origins are
 * refused: only the application's own pages are served (see @ref bridge).
 *
 * The main window makes the one wrapper for its server and connects
 * clientConnected() to QWebChannel::connectTo(). GUI thread only.
 */
class CORE_EXPORT WebSocketClientWrapper : public QObject
{
    Q_OBJECT

public:
    /** Serves the connections of @p server. Does not take the server; it must outlive the wrapper. */
    WebSocketClientWrapper(QWebSocketServer *server, QObject *parent = nullptr);

    /** True for the origins of the application's own pages; a handshake from any other origin is refused and logged. */
    static bool isTrustedOrigin(const QString &strOrigin);

signals:
    /** A client connected; the receiver (the web channel) takes the transport @p client. */
    void clientConnected(WebSocketTransport *client);

private slots:
    void handleNewConnection();

private:
    QWebSocketServer *m_server;
};
