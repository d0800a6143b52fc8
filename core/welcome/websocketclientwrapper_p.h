#pragma once

#include <QByteArray>

QT_BEGIN_NAMESPACE
class QWebSocketServer;
QT_END_NAMESPACE

// WebSocketClientWrapper's state, out of the installed header.
class WebSocketClientWrapperPrivate
{
public:
    QWebSocketServer *m_server = nullptr;   // not owned
    QByteArray m_token;
};
