#include "core/welcome/bridgelogthrottle_p.h"
#include "core/welcome/websocketclientwrapper.h"
#include "core/welcome/websockettransport.h"
#include "tests/common/logrecorder.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebChannel>
#include <QWebSocket>
#include <QWebSocketServer>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QJsonObject)

// A server with its wrapper, as the main window sets them up, that keeps
// watch over every transport it hands out.
class Bridge : public QObject
{
    Q_OBJECT

public:
    Bridge()
        : server(QStringLiteral("ZTServer"), QWebSocketServer::NonSecureMode)
    {
        server.listen(QHostAddress::LocalHost, 0);
        wrapper.reset(new WebSocketClientWrapper(&server));
        connect(wrapper.get(), &WebSocketClientWrapper::clientConnected, this, [this](WebSocketTransport *t) {
            transports.append(t);
            sockets.append(t->parent());
        });
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("ws://127.0.0.1:%1/?token=%2").arg(server.serverPort()).arg(wrapper->token()));
    }

    int liveTransports() const
    {
        int n = 0;
        for (const QPointer<WebSocketTransport> &t : transports)
            n += t ? 1 : 0;
        return n;
    }

    QWebSocketServer server;
    std::unique_ptr<WebSocketClientWrapper> wrapper;
    QList<QPointer<WebSocketTransport>> transports;
    QList<QPointer<QObject>> sockets;
};

class tst_WebSocketTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void framesThatAreNotObjects_data();
    void framesThatAreNotObjects();
    void nonAsciiBothWays();
    void framesOfChangingSize();
    void twoClientsTwoTransports();
    void closingDeletesTransportAndSocket();
    void origin_data();
    void origin();
    void launchToken_data();
    void launchToken();
    // Before limits(), which uses up the burst of the log's rate limit.
    void channelWarningsStayShort();
    void limits();
    void channelServesObjectOverTransport();

private:
    // Connects a client and returns the transport the wrapper made for it.
    WebSocketTransport *connectClient(Bridge &bridge, QWebSocket &client);
};

void tst_WebSocketTransport::initTestCase()
{
    qRegisterMetaType<QJsonObject>();
    qRegisterMetaType<WebSocketTransport *>();
}

WebSocketTransport *tst_WebSocketTransport::connectClient(Bridge &bridge, QWebSocket &client)
{
    const int nBefore = bridge.transports.size();
    QSignalSpy connected(&client, &QWebSocket::connected);
    client.open(bridge.url());
    if (!connected.wait(5000))
        return nullptr;
    if (!QTest::qWaitFor([&] { return bridge.transports.size() > nBefore; }, 5000))
        return nullptr;
    return bridge.transports.last();
}

void tst_WebSocketTransport::framesThatAreNotObjects_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("warning");   // empty: passed on
    QTest::addColumn<QJsonObject>("expected");

    QTest::newRow("array") << QStringLiteral("[1,2,3]")
                           << QStringLiteral("^Received JSON message that is not an object: ") << QJsonObject();
    QTest::newRow("incomplete object") << QStringLiteral("{\"type\": 3, \"id\":")
                                       << QStringLiteral("^Failed to parse text message as JSON object:.*Error is:")
                                       << QJsonObject();
    QTest::newRow("plain text") << QStringLiteral("hello")
                                << QStringLiteral("^Failed to parse text message as JSON object:.*Error is:")
                                << QJsonObject();
    QTest::newRow("empty object") << QStringLiteral("{}") << QString() << QJsonObject();
    QTest::newRow("object") << QStringLiteral("{\"type\":4,\"id\":1}") << QString()
                            << QJsonObject{{QStringLiteral("type"), 4}, {QStringLiteral("id"), 1}};
}

void tst_WebSocketTransport::framesThatAreNotObjects()
{
    QFETCH(QString, frame);
    QFETCH(QString, warning);
    QFETCH(QJsonObject, expected);

    Bridge bridge;
    QWebSocket client;
    WebSocketTransport *pTransport = connectClient(bridge, client);
    QVERIFY(pTransport);
    QSignalSpy received(pTransport, &QWebChannelAbstractTransport::messageReceived);

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    client.sendTextMessage(frame);
    // A marker frame behind it shows the connection stays usable and the
    // dropped frame never arrived.
    client.sendTextMessage(QStringLiteral("{\"marker\":true}"));
    QTRY_VERIFY(!received.isEmpty()
                && received.last().at(0).value<QJsonObject>().contains(QStringLiteral("marker")));

    if (warning.isEmpty()) {
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.first().at(0).value<QJsonObject>(), expected);
        QCOMPARE(received.first().at(1).value<QWebChannelAbstractTransport *>(), pTransport);
    } else {
        QCOMPARE(received.size(), 1);
    }
    QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
}

void tst_WebSocketTransport::nonAsciiBothWays()
{
    Bridge bridge;
    QWebSocket client;
    WebSocketTransport *pTransport = connectClient(bridge, client);
    QVERIFY(pTransport);

    const QJsonObject message{{QStringLiteral("text"), QStringLiteral("Grüße, Ça va? Ω ✓ 日本語 😀")},
                              {QStringLiteral("path"), QStringLiteral("C:/Projekte/Übung.zelto")}};

    QSignalSpy received(pTransport, &QWebChannelAbstractTransport::messageReceived);
    client.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    QVERIFY(received.wait(5000));
    QCOMPARE(received.first().at(0).value<QJsonObject>(), message);

    QSignalSpy frames(&client, &QWebSocket::textMessageReceived);
    QSignalSpy binaryFrames(&client, &QWebSocket::binaryMessageReceived);
    pTransport->sendMessage(message);
    QVERIFY(frames.wait(5000));
    const QString frame = frames.first().at(0).toString();
    QCOMPARE(QJsonDocument::fromJson(frame.toUtf8()).object(), message);
    QVERIFY(!frame.contains(QLatin1Char('\n')));   // compact
    QCOMPARE(binaryFrames.size(), 0);
}

// One transport writes every frame into the same buffer: each frame must hold
// exactly its own message, whether it is longer or shorter than the last one,
// and also after one too large for the buffer to be kept.
void tst_WebSocketTransport::framesOfChangingSize()
{
    Bridge bridge;
    QWebSocket client;
    WebSocketTransport *pTransport = connectClient(bridge, client);
    QVERIFY(pTransport);

    const QString strHuge(200000, QLatin1Char('x'));
    const QList<QJsonObject> messages = {
        QJsonObject{{QStringLiteral("data"), QJsonArray{QStringLiteral("/a/long/path/to/Projekt 1.zelto"),
                                                        QStringLiteral("/b/Projekt 2.zelto")}}},
        QJsonObject{{QStringLiteral("id"), 1}},
        QJsonObject{{QStringLiteral("huge"), strHuge}},
        QJsonObject{{QStringLiteral("id"), 2}},
        QJsonObject{{QStringLiteral("text"), QStringLiteral("Übung")}},
    };
    QSignalSpy frames(&client, &QWebSocket::textMessageReceived);
    for (const QJsonObject &message : messages)
        pTransport->sendMessage(message);
    QTRY_COMPARE_WITH_TIMEOUT(frames.size(), messages.size(), 5000);
    for (int i = 0; i < messages.size(); ++i) {
        const QString frame = frames.at(i).at(0).toString();
        QCOMPARE(frame, QString::fromUtf8(QJsonDocument(messages.at(i)).toJson(QJsonDocument::Compact)));
    }
}

void tst_WebSocketTransport::twoClientsTwoTransports()
{
    Bridge bridge;
    QWebSocket first;
    QWebSocket second;
    WebSocketTransport *pFirst = connectClient(bridge, first);
    WebSocketTransport *pSecond = connectClient(bridge, second);
    QVERIFY(pFirst);
    QVERIFY(pSecond);
    QVERIFY(pFirst != pSecond);

    QSignalSpy toFirst(&first, &QWebSocket::textMessageReceived);
    QSignalSpy toSecond(&second, &QWebSocket::textMessageReceived);
    pSecond->sendMessage(QJsonObject{{QStringLiteral("for"), QStringLiteral("second")}});
    QVERIFY(toSecond.wait(5000));
    QCOMPARE(toFirst.size(), 0);

    QSignalSpy fromFirst(pFirst, &QWebChannelAbstractTransport::messageReceived);
    QSignalSpy fromSecond(pSecond, &QWebChannelAbstractTransport::messageReceived);
    first.sendTextMessage(QStringLiteral("{\"from\":\"first\"}"));
    QVERIFY(fromFirst.wait(5000));
    QCOMPARE(fromSecond.size(), 0);

    // One page going away leaves the other connected.
    first.close();
    QTRY_VERIFY(!bridge.transports.at(0));
    QVERIFY(bridge.transports.at(1));
    pSecond->sendMessage(QJsonObject{{QStringLiteral("still"), true}});
    QVERIFY(toSecond.wait(5000));
}

void tst_WebSocketTransport::closingDeletesTransportAndSocket()
{
    Bridge bridge;
    QWebChannel channel;
    connect(bridge.wrapper.get(), &WebSocketClientWrapper::clientConnected, &channel, &QWebChannel::connectTo);

    const int nCycles = 60;
    for (int i = 0; i < nCycles; ++i) {
        QWebSocket client;
        QVERIFY2(connectClient(bridge, client), qPrintable(QStringLiteral("cycle %1").arg(i)));
        // Half close from the client, half drop the TCP connection.
        if (i % 2)
            client.close();
        else
            client.abort();
        QTRY_COMPARE(bridge.liveTransports(), 0);
    }
    QCOMPARE(bridge.transports.size(), nCycles);
    for (const QPointer<QObject> &pSocket : qAsConst(bridge.sockets))
        QTRY_VERIFY(!pSocket);
}

void tst_WebSocketTransport::origin_data()
{
    QTest::addColumn<QString>("origin");
    QTest::addColumn<bool>("registered");   // a plug-in asked to trust it first
    QTest::addColumn<bool>("served");

    QTest::newRow("no origin (a program)") << QString() << false << true;
    QTest::newRow("qrc page") << QStringLiteral("qrc://") << false << true;
    QTest::newRow("scheme of a plug-in") << QStringLiteral("zelto-test://pages") << true << true;
    QTest::newRow("same scheme, other host") << QStringLiteral("zelto-test://other") << false << false;
    QTest::newRow("null (sandboxed frame, data or file page)") << QStringLiteral("null") << false << false;
    QTest::newRow("file page") << QStringLiteral("file://") << false << false;
    QTest::newRow("https web site") << QStringLiteral("https://example.com") << false << false;
    QTest::newRow("http web site") << QStringLiteral("http://example.com") << false << false;
    QTest::newRow("localhost") << QStringLiteral("http://localhost:8080") << false << false;
    QTest::newRow("web site on loopback") << QStringLiteral("http://127.0.0.1:8080") << false << false;
    QTest::newRow("capitals") << QStringLiteral("HTTPS://EXAMPLE.COM") << false << false;
    QTest::newRow("chrome extension") << QStringLiteral("chrome-extension://abcdef") << false << false;
    QTest::newRow("firefox extension") << QStringLiteral("moz-extension://0b1c-77") << false << false;
    QTest::newRow("no scheme") << QStringLiteral("example.com") << false << false;
    QTest::newRow("web site a plug-in asked for") << QStringLiteral("https://example.com") << true << false;
    QTest::newRow("file a plug-in asked for") << QStringLiteral("file://") << true << false;
    QTest::newRow("extension a plug-in asked for") << QStringLiteral("chrome-extension://abcdef") << true << false;
}

void tst_WebSocketTransport::origin()
{
    QFETCH(QString, origin);
    QFETCH(bool, registered);
    QFETCH(bool, served);

    if (registered) {
        if (!served)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Not trusting the origin ")));
        QCOMPARE(WebSocketClientWrapper::addTrustedOrigin(origin), served);
    }
    // The right token does not make up for a wrong origin.
    Bridge bridge;
    QSignalSpy clients(bridge.wrapper.get(), &WebSocketClientWrapper::clientConnected);
    QWebSocket client(origin);
    QSignalSpy connected(&client, &QWebSocket::connected);
    QSignalSpy disconnected(&client, &QWebSocket::disconnected);
    if (!served)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Refused a WebSocket connection from origin %1.")
                                                          .arg(origin)));
    client.open(bridge.url());

    if (served) {
        QVERIFY(connected.wait(5000));
        QTRY_COMPARE(clients.size(), 1);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!disconnected.isEmpty(), 5000);
        QCOMPARE(connected.size(), 0);
        QCOMPARE(clients.size(), 0);
        QVERIFY(!bridge.server.hasPendingConnections());
    }
}

void tst_WebSocketTransport::launchToken_data()
{
    QTest::addColumn<QString>("query");   // with the launch token for <token>, its first half for <half>
    QTest::addColumn<bool>("served");

    QTest::newRow("token") << QStringLiteral("token=<token>") << true;
    QTest::newRow("token among other items") << QStringLiteral("theme=Dark&token=<token>") << true;
    QTest::newRow("no query") << QString() << false;
    QTest::newRow("empty token") << QStringLiteral("token=") << false;
    QTest::newRow("other item") << QStringLiteral("tok=<token>") << false;
    QTest::newRow("one character more") << QStringLiteral("token=<token>x") << false;
    QTest::newRow("its first half") << QStringLiteral("token=<half>") << false;
}

void tst_WebSocketTransport::launchToken()
{
    QFETCH(QString, query);
    QFETCH(bool, served);

    Bridge bridge;
    const QString strToken = bridge.wrapper->token();
    // 256 bits in Base64url, and a new one each time.
    QVERIFY(QRegularExpression(QStringLiteral("^[A-Za-z0-9_-]{43}$")).match(strToken).hasMatch());
    QVERIFY(Bridge().wrapper->token() != strToken);

    QWebChannel channel;
    connect(bridge.wrapper.get(), &WebSocketClientWrapper::clientConnected, &channel, &QWebChannel::connectTo);
    QSignalSpy clients(bridge.wrapper.get(), &WebSocketClientWrapper::clientConnected);
    TestSupport::LogRecorder log("zelto.core.welcome");

    QUrl url(QStringLiteral("ws://127.0.0.1:%1/").arg(bridge.server.serverPort()));
    if (!query.isEmpty())
        url.setQuery(QString(query)
                         .replace(QLatin1String("<token>"), strToken)
                         .replace(QLatin1String("<half>"), strToken.left(strToken.size() / 2)));
    QWebSocket client;
    QSignalSpy frames(&client, &QWebSocket::textMessageReceived);
    QSignalSpy disconnected(&client, &QWebSocket::disconnected);
    client.open(url);
    // An init message goes out at once, as a page sends it; a refused
    // connection must never answer it.
    connect(&client, &QWebSocket::connected, &client,
            [&client] { client.sendTextMessage(QStringLiteral("{\"type\":3,\"id\":1}")); });

    if (served) {
        QVERIFY(frames.wait(5000));
        QCOMPARE(clients.size(), 1);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!disconnected.isEmpty(), 5000);
        QCOMPARE(client.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
        QCOMPARE(frames.size(), 0);
        QCOMPARE(clients.size(), 0);
    }
    const QStringList expected =
        served ? QStringList() : QStringList{QStringLiteral("Refused a WebSocket connection without the launch token.")};
    QVERIFY2(log.warnings == expected, qPrintable(log.warnings.join(QLatin1Char('\n'))));
}

// Reads the resident set size of this process.
static qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void tst_WebSocketTransport::limits()
{
    Bridge bridge;
    TestSupport::LogRecorder log("zelto.core.welcome");

    // Over 1 MiB closes the connection with 1009, whether it comes in one
    // frame or in several.
    for (const qint64 nFrameSize : {qint64(2 * 1024 * 1024), qint64(256 * 1024)}) {
        QWebSocket client;
        client.setOutgoingFrameSize(quint64(nFrameSize));
        QVERIFY(connectClient(bridge, client));
        QSignalSpy disconnected(&client, &QWebSocket::disconnected);
        client.sendTextMessage(QString(int(WebSocketClientWrapper::kMaxIncomingMessageSize) + 1, QLatin1Char('x')));
        QVERIFY(disconnected.wait(5000));
        QCOMPARE(client.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    }

    // Repeated keys with array values would leak every dropped array inside
    // Qt's JSON reader. They are refused; memory stays where it was.
    QWebSocket client;
    WebSocketTransport *pTransport = connectClient(bridge, client);
    QVERIFY(pTransport);
    QSignalSpy received(pTransport, &QWebChannelAbstractTransport::messageReceived);
    const QString strArray = QStringLiteral("[\"%1\",\"%1\"]").arg(QString(8000, QLatin1Char('x')));
    QStringList members;
    for (int i = 0; i < 10; ++i)
        members << QStringLiteral("\"args\":") + strArray;
    const QString strFrame = QLatin1Char('{') + members.join(QLatin1Char(',')) + QLatin1Char('}');
    const QString strMarker = QStringLiteral("{\"marker\":true}");
    // In batches, each followed by a marker that does arrive, so that neither
    // end buffers more than a batch.
    const int nBatch = 10;
    auto sendBatch = [&](const QString &strBad) {
        for (int i = 0; i < nBatch; ++i)
            client.sendTextMessage(strBad);
        client.sendTextMessage(strMarker);
        return received.wait(30000);
    };
    QVERIFY(sendBatch(strFrame));   // brings the buffers of both ends to their size
    const qint64 nBefore = residentKiB();
    const int nBatches = 40;   // without the check: about 60 MB that are never freed
    for (int i = 0; i < nBatches; ++i)
        QVERIFY(sendBatch(strFrame));
    const qint64 nGrowthKiB = residentKiB() - nBefore;
    // Malformed frames are logged too, but only so often and so long.
    for (int i = 0; i < nBatches; ++i)
        QVERIFY(sendBatch(QStringLiteral("{%1").arg(QString(1000, QLatin1Char('y')))));
    const QStringList warnings = log.warnings;

    QCOMPARE(received.size(), 1 + 2 * nBatches);   // only the markers
    QVERIFY2(warnings.size() <= BridgeLogThrottle::kBurst + 10, qPrintable(QString::number(warnings.size())));
    QVERIFY(warnings.first().startsWith(QStringLiteral("Dropped a JSON message that repeats a key:")));
    for (const QString &strLine : qAsConst(warnings))
        QVERIFY2(strLine.size() < 300, qPrintable(strLine.left(300)));
#ifndef __SANITIZE_ADDRESS__
    // The sanitizer keeps freed memory in quarantine, which says nothing here.
    QVERIFY2(nGrowthKiB < 20 * 1024, qPrintable(QStringLiteral("%1 KiB more").arg(nGrowthKiB)));
#endif
    qInfo("Resident memory after %d frames with repeated keys: %lld KiB more", nBatches * nBatch, nGrowthKiB);
}

// The whole path a page uses: handshake, init, invoke, reply.
class Echo : public QObject
{
    Q_OBJECT
public slots:
    QString echo(QString str) { return str; }
};

void tst_WebSocketTransport::channelServesObjectOverTransport()
{
    Bridge bridge;
    QWebChannel channel;
    Echo echo;
    channel.registerObject(QStringLiteral("echo"), &echo);
    connect(bridge.wrapper.get(), &WebSocketClientWrapper::clientConnected, &channel, &QWebChannel::connectTo);

    QWebSocket client;
    QVERIFY(connectClient(bridge, client));
    QSignalSpy frames(&client, &QWebSocket::textMessageReceived);
    // QWebChannelMessageTypes: Init = 3, InvokeMethod = 6.
    client.sendTextMessage(QStringLiteral("{\"type\":3,\"id\":1}"));
    QVERIFY(frames.wait(5000));
    const QJsonObject init = QJsonDocument::fromJson(frames.first().at(0).toString().toUtf8()).object();
    const QJsonArray methods = init.value(QStringLiteral("data")).toObject().value(QStringLiteral("echo"))
                                   .toObject().value(QStringLiteral("methods")).toArray();
    int nMethod = -1;
    for (const QJsonValue &method : methods) {
        if (method.toArray().at(0).toString() == QLatin1String("echo"))
            nMethod = method.toArray().at(1).toInt();
    }
    QVERIFY(nMethod >= 0);

    client.sendTextMessage(QStringLiteral(
        "{\"type\":6,\"id\":2,\"object\":\"echo\",\"method\":%1,\"args\":[\"Grüße ✓\"]}").arg(nMethod));
    QTRY_VERIFY(frames.size() >= 2);
    const QJsonObject reply = QJsonDocument::fromJson(frames.last().at(0).toString().toUtf8()).object();
    QCOMPARE(reply.value(QStringLiteral("id")).toInt(), 2);
    QCOMPARE(reply.value(QStringLiteral("data")).toString(), QStringLiteral("Grüße ✓"));
}

void tst_WebSocketTransport::channelWarningsStayShort()
{
    // Qt's channel used to quote a bad message whole, a nested one indented:
    // 10,000 malformed frames wrote gigabytes of log.
    Bridge bridge;
    QWebChannel channel;
    Echo echo;
    channel.registerObject(QStringLiteral("echo"), &echo);
    connect(bridge.wrapper.get(), &WebSocketClientWrapper::clientConnected, &channel, &QWebChannel::connectTo);
    QWebSocket client;
    QVERIFY(connectClient(bridge, client));
    QSignalSpy frames(&client, &QWebSocket::textMessageReceived);

    TestSupport::LogRecorder log("default");
    const QString strDeep = QString(100, QLatin1Char('[')) + QString(100, QLatin1Char(']'));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Dropped a JSON message nested deeper")));
    client.sendTextMessage(QStringLiteral("{\"a\":%1}").arg(strDeep));
    client.sendTextMessage(QStringLiteral("{\"type\":6,\"id\":1,\"object\":\"%1\",\"method\":0,\"args\":[]}")
                               .arg(QString(5000, QLatin1Char('o'))));
    // The channel would print a debug message's text whole to stdout.
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("^Debug message from a page:")));
    client.sendTextMessage(QStringLiteral("{\"type\":5,\"data\":\"%1\"}").arg(QString(5000, QLatin1Char('d'))));
    client.sendTextMessage(QStringLiteral("{\"type\":3,\"id\":2}"));
    QVERIFY(frames.wait(5000));   // everything before the init has been handled

    QVERIFY2(log.warnings.size() == 1, qPrintable(log.warnings.join(QLatin1Char('\n')).left(1000)));
    QVERIFY(log.warnings.first().startsWith(QLatin1String("Unknown object encountered")));
    QVERIFY2(log.warnings.first().size() < 300, qPrintable(QString::number(log.warnings.first().size())));
}

QTEST_GUILESS_MAIN(tst_WebSocketTransport)
#include "tst_websockettransport.moc"
