#include "core/welcome/websockettransport.h"
#include "core/welcome/websockettransport_p.h"

#include "core/welcome/bridgelogthrottle_p.h"
#include "core/welcome/compactjsonwriter.h"
#include "core/welcome/webchannelframe.h"
#include "core/welcome/welcomelogging_p.h"

#include <QJsonObject>
#include <QWebSocket>

// Characters of frame buffer a connection keeps between messages.
static const int kMaxKeptFrame = 64 * 1024;

WebSocketTransport::WebSocketTransport(QWebSocket *socket)
    : QWebChannelAbstractTransport(socket)
    , d(std::make_unique<WebSocketTransportPrivate>())
{
    d->m_socket = socket;
    connect(socket, &QWebSocket::textMessageReceived, this, &WebSocketTransport::textMessageReceived);
    connect(socket, &QWebSocket::disconnected, this, &WebSocketTransport::deleteLater);
    // destroyed() comes before the socket deletes its children (this object
    // among them), so the destructor below never touches a dying socket.
    connect(socket, &QObject::destroyed, this, [this] { d->m_socket = nullptr; });
}

WebSocketTransport::~WebSocketTransport()
{
    if (d->m_socket)
        d->m_socket->deleteLater();
}

void WebSocketTransport::sendMessage(const QJsonObject &message)
{
    if (!d->m_socket)
        return;
    // The socket encodes the text to UTF-8 at once, so the buffer is free
    // again right after; resize(0) keeps its allocation for the next reply.
    d->m_strFrame.resize(0);
    CompactJsonWriter::appendJson(message, d->m_strFrame);
    d->m_socket->sendTextMessage(d->m_strFrame);
    // An occasional large message must not pin its memory for the
    // connection's lifetime.
    if (d->m_strFrame.capacity() > kMaxKeptFrame)
        d->m_strFrame = QString();
    // A reply goes out now rather than on the next pass of the event loop:
    // the page is waiting for it.
    d->m_socket->flush();
}

void WebSocketTransport::textMessageReceived(const QString &message)
{
    // Frames come from any program that knows the token; the log quotes only
    // the start of a bad one, and only so often.
    QJsonObject object;
    QString strError;
    switch (WebChannelFrame::decode(message, &object, &strError)) {
    case WebChannelFrame::Message:
        emit messageReceived(object, this);
        return;
    case WebChannelFrame::RepeatedKey:
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Dropped a JSON message that repeats a key:"
                                 << BridgeLogThrottle::excerpt(message);
        return;
    case WebChannelFrame::NotJson:
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Failed to parse text message as JSON object:"
                                 << BridgeLogThrottle::excerpt(message) << "Error is:" << strError;
        return;
    case WebChannelFrame::NotAnObject:
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Received JSON message that is not an object: "
                                 << BridgeLogThrottle::excerpt(message);
        return;
    }
}
