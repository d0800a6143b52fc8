#include "core/welcome/websocketclientwrapper.h"
#include "core/welcome/websocketclientwrapper_p.h"

#include "core/welcome/bridgelogthrottle_p.h"
#include "core/welcome/websockettransport.h"
#include "core/welcome/welcomelogging_p.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

#include <array>

Q_LOGGING_CATEGORY(lcWelcome, "zelto.core.welcome")

namespace {

const char kTokenItem[] = "token";

QStringList &registeredOrigins()
{
    static QStringList s_origins;
    return s_origins;
}

// The origin as browsers write it (lower-case scheme and host, no default
// path), or an empty string when the text is not an origin.
QString normalizedOrigin(const QString &strOrigin)
{
    const QUrl url(strOrigin.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery()
        || url.hasFragment() || (!url.path().isEmpty() && url.path() != QLatin1String("/")))
        return QString();
    QString strNormal = url.scheme() + QLatin1String("://") + url.host();
    if (url.port() != -1)
        strNormal += QLatin1Char(':') + QString::number(url.port());
    return strNormal;
}

// Schemes a web site or a browser can show as its origin; never trusted,
// whoever asks.
bool isBrowserScheme(const QString &strScheme)
{
    static const char *const kSchemes[] = { "file", "http", "https", "ws", "wss", "ftp",
                                            "data", "blob", "about", "javascript" };
    for (const char *pScheme : kSchemes) {
        if (strScheme == QLatin1String(pScheme))
            return true;
    }
    return strScheme.endsWith(QLatin1String("-extension"));
}

// Compares in a time that depends only on the length, so a client cannot
// find the token a character at a time. The length is no secret.
bool equalInConstantTime(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

QByteArray makeToken()
{
    std::array<quint32, 8> words;
    QRandomGenerator::system()->fillRange(words.data(), int(words.size()));
    return QByteArray(reinterpret_cast<const char *>(words.data()), int(sizeof(words)))
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

} // namespace

WebSocketClientWrapper::WebSocketClientWrapper(QWebSocketServer *server, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<WebSocketClientWrapperPrivate>())
{
    d->m_server = server;
    d->m_token = makeToken();
    connect(server, &QWebSocketServer::newConnection, this, &WebSocketClientWrapper::handleNewConnection);
    // The authenticator lives on the server's stack during the handshake, so
    // the answer must be given in a direct call.
    connect(server, &QWebSocketServer::originAuthenticationRequired, this,
            [](QWebSocketCorsAuthenticator *pAuthenticator) {
                const QString strOrigin = pAuthenticator->origin();
                const bool bAllowed = isTrustedOrigin(strOrigin);
                if (!bAllowed && BridgeLogThrottle::allow())
                    qCWarning(lcWelcome, "Refused a WebSocket connection from origin %s.",
                              qUtf8Printable(BridgeLogThrottle::excerpt(strOrigin)));
                pAuthenticator->setAllowed(bAllowed);
            },
            Qt::DirectConnection);
}

WebSocketClientWrapper::~WebSocketClientWrapper() = default;

QString WebSocketClientWrapper::token() const
{
    return QString::fromLatin1(d->m_token);
}

bool WebSocketClientWrapper::isTrustedOrigin(const QString &strOrigin)
{
    // Programs outside a browser send no origin; they must still know the
    // token. Browsers always send one, and pages of web sites, sandboxed
    // frames ("null") and files must never get in.
    if (strOrigin.trimmed().isEmpty())
        return true;
    const QString strNormal = normalizedOrigin(strOrigin);
    if (strNormal.isEmpty())
        return false;
    if (strNormal.startsWith(QLatin1String("qrc://")))
        return true;
    return registeredOrigins().contains(strNormal);
}

bool WebSocketClientWrapper::addTrustedOrigin(const QString &strOrigin)
{
    const QString strNormal = normalizedOrigin(strOrigin);
    if (strNormal.isEmpty() || isBrowserScheme(QUrl(strNormal).scheme())) {
        qCWarning(lcWelcome, "Not trusting the origin %s: web and browser origins never use the bridge.",
                  qUtf8Printable(BridgeLogThrottle::excerpt(strOrigin)));
        return false;
    }
    if (!registeredOrigins().contains(strNormal))
        registeredOrigins().append(strNormal);
    return true;
}

void WebSocketClientWrapper::handleNewConnection()
{
    QWebSocket *pSocket = d->m_server->nextPendingConnection();
    if (!pSocket)
        return;
    // Set before the event loop reads the first frame.
    pSocket->setMaxAllowedIncomingFrameSize(kMaxIncomingMessageSize);
    pSocket->setMaxAllowedIncomingMessageSize(kMaxIncomingMessageSize);

    const QByteArray token = QUrlQuery(pSocket->requestUrl())
                                 .queryItemValue(QLatin1String(kTokenItem), QUrl::FullyEncoded)
                                 .toLatin1();
    if (!equalInConstantTime(token, d->m_token)) {
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome, "Refused a WebSocket connection without the launch token.");
        connect(pSocket, &QWebSocket::disconnected, pSocket, &QObject::deleteLater);
        pSocket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("Launch token missing or wrong."));
        return;
    }
    emit clientConnected(new WebSocketTransport(pSocket));
}
