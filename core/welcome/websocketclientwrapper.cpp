#include "core/welcome/websocketclientwrapper.h"

#include "core/welcome/websockettransport.h"
#include "core/welcome/welcomelogging_p.h"

#include <QUrl>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

Q_LOGGING_CATEGORY(lcWelcome, "zelto.core.welcome")

WebSocketClientWrapper::WebSocketClientWrapper(QWebSocketServer *server, QObject *parent)
    : QObject(parent)
    , m_server(server)
{
    connect(server, &QWebSocketServer::newConnection, this, &WebSocketClientWrapper::handleNewConnection);
    // The authenticator lives on the server's stack during the handshake, so
    // the answer must be given in a direct call.
    connect(server, &QWebSocketServer::originAuthenticationRequired, this,
            [](QWebSocketCorsAuthenticator *pAuthenticator) {
                const QString strOrigin = pAuthenticator->origin();
                const bool bAllowed = isTrustedOrigin(strOrigin);
                if (!bAllowed)
                    qCWarning(lcWelcome, "Refused a WebSocket connection from origin %s.",
                              qUtf8Printable(strOrigin));
                pAuthenticator->setAllowed(bAllowed);
            },
            Qt::DirectConnection);
}

bool WebSocketClientWrapper::isTrustedOrigin(const QString &strOrigin)
{
    // Programs outside a browser send no origin; pages loaded from files or
    // data send "null"; the application's own pages come from file: or qrc:.
    // Everything else (http, https, browser extensions, ...) is a web site.
    const QString strTrimmed = strOrigin.trimmed();
    if (strTrimmed.isEmpty() || strTrimmed.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0)
        return true;
    const QString strScheme = QUrl(strTrimmed).scheme().toLower();
    return strScheme == QLatin1String("file") || strScheme == QLatin1String("qrc");
}

void WebSocketClientWrapper::handleNewConnection()
{
    QWebSocket *pSocket = m_server->nextPendingConnection();
    if (!pSocket)
        return;
    emit clientConnected(new WebSocketTransport(pSocket));
}
