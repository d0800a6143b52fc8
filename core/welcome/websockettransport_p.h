#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QWebSocket;
QT_END_NAMESPACE

// WebSocketTransport's state, out of the installed header.
class WebSocketTransportPrivate
{
public:
    QWebSocket *m_socket = nullptr;   // the parent; null once it is being destroyed
    QString m_strFrame;     // reused for every message, keeps its capacity
};
