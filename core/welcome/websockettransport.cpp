#include "core/welcome/websockettransport.h"

#include "core/welcome/bridgelogthrottle_p.h"
#include "core/welcome/compactjsonwriter.h"
#include "core/welcome/jsonkeyscanner.h"
#include "core/welcome/welcomelogging_p.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QWebSocket>

// Characters of frame buffer a connection keeps between messages.
static const int kMaxKeptFrame = 64 * 1024;

WebSocketTransport::WebSocketTransport(QWebSocket *socket)
    : QWebChannelAbstractTransport(socket)
    , m_socket(socket)
{
    connect(socket, &QWebSocket::textMessageReceived, this, &WebSocketTransport::textMessageReceived);
    connect(socket, &QWebSocket::disconnected, this, &WebSocketTransport::deleteLater);
    // destroyed() comes before the socket deletes its children (this object
    // among them), so the destructor below never touches a dying socket.
    connect(socket, &QObject::destroyed, this, [this] { m_socket = nullptr; });
}

WebSocketTransport::~WebSocketTransport()
{
    if (m_socket)
        m_socket->deleteLater();
}

void WebSocketTransport::sendMessage(const QJsonObject &message)
{
    if (!m_socket)
        return;
    // The socket encodes the text to UTF-8 at once, so the buffer is free
    // again right after; resize(0) keeps its allocation for the next reply.
    m_strFrame.resize(0);
    CompactJsonWriter::appendJson(message, m_strFrame);
    m_socket->sendTextMessage(m_strFrame);
    // An occasional large message must not pin its memory for the
    // connection's lifetime.
    if (m_strFrame.capacity() > kMaxKeptFrame)
        m_strFrame = QString();
    // A reply goes out now rather than on the next pass of the event loop:
    // the page is waiting for it.
    m_socket->flush();
}

void WebSocketTransport::textMessageReceived(const QString &message)
{
    // Frames come from any program that knows the token; the log quotes only
    // the start of a bad one, and only so often.
    const QByteArray utf8 = message.toUtf8();
    if (JsonKeyScanner::hasRepeatedKey(utf8)) {
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Dropped a JSON message that repeats a key:"
                                 << BridgeLogThrottle::excerpt(message);
        return;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError) {
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Failed to parse text message as JSON object:"
                                 << BridgeLogThrottle::excerpt(message) << "Error is:" << error.errorString();
        return;
    }
    if (!doc.isObject()) {
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Received JSON message that is not an object: "
                                 << BridgeLogThrottle::excerpt(message);
        return;
    }
    emit messageReceived(doc.object(), this);
}
