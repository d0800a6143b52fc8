#pragma once

#include "core/core_global.h"

#include <QObject>

QT_BEGIN_NAMESPACE
class QWebSocketServer;
QT_END_NAMESPACE

class WebSocketTransport;

// Turns each connection the server accepts into a web-channel transport.
//
// The server listens on the loopback interface, which every web site the user
// visits in a browser can reach as well. Browsers always send the page's
// origin with a WebSocket handshake, so handshakes from web origins are
// refused: only the application's own pages (no origin, "null", file: and
// qrc:) are served.
class CORE_EXPORT WebSocketClientWrapper : public QObject
{
    Q_OBJECT

public:
    // Does not take the server; it must outlive the wrapper.
    WebSocketClientWrapper(QWebSocketServer *server, QObject *parent = nullptr);

    // True for the origins of the application's own pages.
    static bool isTrustedOrigin(const QString &strOrigin);

signals:
    // The receiver (the web channel) takes the transport.
    void clientConnected(WebSocketTransport *client);

private slots:
    void handleNewConnection();

private:
    QWebSocketServer *m_server;
};
