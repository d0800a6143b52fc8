#include "core/welcome/websockettransport.h"
#include "core/welcome/websockettransport_p.h"

#include "core/welcome/bridgelogthrottle_p.h"
#include "core/welcome/compactjsonwriter.h"
#include "core/welcome/webchannelframe.h"
#include "core/welcome/welcomelogging_p.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QThread>
#include <QWebSocket>

#include <cstdio>
#include <cstring>

// Characters of frame buffer a connection keeps between messages.
static const int kMaxKeptFrame = 64 * 1024;

namespace {

// Qt's web channel tells of a message it cannot handle in warnings of its
// own ("JSON message object is missing the type property", "Unknown object
// encountered", "No candidates found for", "Could not convert argument"),
// quoting the message or the names in it whole. While it handles a client's
// message, the warnings written on this thread that are not the
// application's own go through the bridge's rate limit and are cut like the
// bridge's own lines. The filter is installed only for that time.
QtMessageHandler s_previousHandler = nullptr;
int s_nDelivering = 0;

void passOn(QtMsgType type, const QMessageLogContext &context, const QString &strMessage)
{
    if (s_previousHandler)
        s_previousHandler(type, context, strMessage);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, strMessage)));
}

void limitChannelWarnings(QtMsgType type, const QMessageLogContext &context, const QString &strMessage)
{
    const bool bOwn = context.category && std::strncmp(context.category, "zelto.", 6) == 0;
    if (bOwn || type == QtFatalMsg || QThread::currentThread() != QCoreApplication::instance()->thread()) {
        passOn(type, context, strMessage);
        return;
    }
    // A message handler may not log itself: the count of held-back lines is
    // passed on here.
    qint64 nHeldBack = 0;
    if (!BridgeLogThrottle::take(&nHeldBack))
        return;
    if (nHeldBack > 0) {
        const QMessageLogContext own(nullptr, 0, nullptr, lcWelcome().categoryName());
        passOn(QtWarningMsg, own, BridgeLogThrottle::heldBackLine(nHeldBack));
    }
    passOn(type, context, BridgeLogThrottle::excerpt(strMessage));
}

// While it lives, the channel's warnings are limited. Nested, as a slot the
// channel calls may run an event loop that delivers further messages.
class ChannelWarningLimit
{
public:
    ChannelWarningLimit()
    {
        if (s_nDelivering++ == 0)
            s_previousHandler = qInstallMessageHandler(limitChannelWarnings);
    }
    ~ChannelWarningLimit()
    {
        if (--s_nDelivering != 0)
            return;
        // Someone who installed a handler meanwhile keeps it; it passes
        // messages on to this filter, and the filter to the one before.
        const QtMessageHandler current = qInstallMessageHandler(s_previousHandler);
        if (current != limitChannelWarnings)
            qInstallMessageHandler(current);
    }
    ChannelWarningLimit(const ChannelWarningLimit &) = delete;
    ChannelWarningLimit &operator=(const ChannelWarningLimit &) = delete;
};

} // namespace

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
    case WebChannelFrame::Message: {
        const ChannelWarningLimit limit;
        emit messageReceived(object, this);
        return;
    }
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
    case WebChannelFrame::Debug:
        // Qt's channel would write the page's text whole to the standard
        // output, past every limit of the log.
        if (BridgeLogThrottle::allow())
            qCInfo(lcWelcome) << "Debug message from a page:" << BridgeLogThrottle::excerpt(message);
        return;
    case WebChannelFrame::TooDeep:
        if (BridgeLogThrottle::allow())
            qCWarning(lcWelcome) << "Dropped a JSON message nested deeper than" << WebChannelFrame::kMaxDepth
                                 << "levels:" << BridgeLogThrottle::excerpt(message);
        return;
    }
}
