#pragma once

#include "core/core_global.h"

#include <QWebChannelAbstractTransport>

#include <memory>

QT_BEGIN_NAMESPACE
class QWebSocket;
QT_END_NAMESPACE

class WebSocketTransportPrivate;

/**
 * Carries web-channel messages over one WebSocket connection: one JSON
 * object per text frame, compact JSON in UTF-8. A frame that is not a JSON
 * object is dropped with a warning; the connection stays open.
 *
 * The socket is the transport's parent; a closed connection takes the
 * transport with it. GUI thread only.
 */
class CORE_EXPORT WebSocketTransport : public QWebChannelAbstractTransport
{
    Q_OBJECT

public:
    /** Carries the messages of @p socket, which becomes the transport's parent. */
    explicit WebSocketTransport(QWebSocket *socket);
    /** Schedules the socket's deletion. */
    ~WebSocketTransport() override;

    /** Sends @p message as one text frame of compact JSON. */
    void sendMessage(const QJsonObject &message) override;

private slots:
    void textMessageReceived(const QString &message);

private:
    std::unique_ptr<WebSocketTransportPrivate> d;
};
