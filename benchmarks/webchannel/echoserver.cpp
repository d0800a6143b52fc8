// The baseline of the web channel benchmark: a QWebSocketServer on the
// loopback interface that sends every text frame straight back. It prints
// "Echo port: NNNN" once it listens and runs until it is terminated.
#include <QCoreApplication>
#include <QHostAddress>
#include <QWebSocket>
#include <QWebSocketServer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QWebSocketServer server(QStringLiteral("EchoServer"), QWebSocketServer::NonSecureMode);
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    QObject::connect(&server, &QWebSocketServer::newConnection, [&server] {
        while (QWebSocket *pSocket = server.nextPendingConnection()) {
            QObject::connect(pSocket, &QWebSocket::textMessageReceived, pSocket,
                             [pSocket](const QString &message) { pSocket->sendTextMessage(message); });
            QObject::connect(pSocket, &QWebSocket::disconnected, pSocket, &QObject::deleteLater);
        }
    });
    std::printf("Echo port: %u\n", unsigned(server.serverPort()));
    std::fflush(stdout);
    return app.exec();
}
