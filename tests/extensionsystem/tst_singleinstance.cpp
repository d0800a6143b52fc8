#include "extensionsystem/singleinstance.h"

#include <QDataStream>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using ExtensionSystem::SingleInstance;

// The running instance's side of the hand-over, fed by a raw socket so that
// well-formed and malformed messages can be sent. The full hand-over between
// two processes is in tst_zelto.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void serverNamePerSettingsFolder();
    void receivesCommand();
    void rejectsMalformedMessages_data();
    void rejectsMalformedMessages();
    void liveInstanceKeepsItsName();

private:
    static QByteArray message(quint32 magic, quint32 version, const QStringList &options,
                              const QString &workingDirectory, const QStringList &arguments)
    {
        QByteArray payload;
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_15);
        out << magic << version << options << workingDirectory << arguments;
        QByteArray framed;
        QDataStream frame(&framed, QIODevice::WriteOnly);
        frame.setVersion(QDataStream::Qt_5_15);
        frame << quint32(payload.size());
        return framed + payload;
    }
    QString uniqueName() const
    {
        return SingleInstance::serverNameFor(m_dir.path() + QString::number(++m_nNames));
    }

    QTemporaryDir m_dir;
    mutable int m_nNames = 0;
};

void tst_SingleInstance::serverNamePerSettingsFolder()
{
    const QString name = SingleInstance::serverNameFor(QStringLiteral("/tmp/a"));
    QCOMPARE(SingleInstance::serverNameFor(QStringLiteral("/tmp/a/")), name);
    QCOMPARE(SingleInstance::serverNameFor(QStringLiteral("/tmp/b/../a")), name);
    QVERIFY(SingleInstance::serverNameFor(QStringLiteral("/tmp/b")) != name);
    QVERIFY(name.size() < 60);
}

void tst_SingleInstance::receivesCommand()
{
    SingleInstance server(uniqueName());
    QVERIFY2(server.listen(), qPrintable(server.errorString()));
    QSignalSpy received(&server, &SingleInstance::commandReceived);

    QLocalSocket client;
    client.connectToServer(server.serverName());
    QVERIFY(client.waitForConnected(2000));
    const QByteArray data = message(0x5A454C54, 1, {QStringLiteral("-x")}, QStringLiteral("/home/me"),
                                    {QStringLiteral("a b.zelto"), QStringLiteral("c.zelto")});
    // Sent in two pieces: the server must wait for the rest.
    client.write(data.left(7));
    client.flush();
    QTest::qWait(20);
    QCOMPARE(received.count(), 0);
    client.write(data.mid(7));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toStringList(), QStringList({"-x"}));
    QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("/home/me"));
    QCOMPARE(received.at(0).at(2).toStringList(), QStringList({"a b.zelto", "c.zelto"}));
    QTRY_VERIFY(client.bytesAvailable() > 0 || client.state() == QLocalSocket::UnconnectedState);
    QCOMPARE(client.readAll(), QByteArray("OK\n"));
}

void tst_SingleInstance::rejectsMalformedMessages_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("wrong magic") << message(0x12345678, 1, {}, QStringLiteral("/"), {QStringLiteral("x")});
    QTest::newRow("future protocol") << message(0x5A454C54, 2, {}, QStringLiteral("/"), {QStringLiteral("x")});
    QByteArray truncated = message(0x5A454C54, 1, {}, QStringLiteral("/"), {QStringLiteral("x")});
    truncated.chop(6);
    QDataStream(&truncated, QIODevice::ReadWrite) << quint32(truncated.size() - 4);
    QTest::newRow("payload cut short") << truncated;
    QByteArray huge;
    QDataStream(&huge, QIODevice::WriteOnly) << quint32(512 * 1024 * 1024);
    QTest::newRow("oversized") << huge;
}

void tst_SingleInstance::rejectsMalformedMessages()
{
    QFETCH(QByteArray, data);
    SingleInstance server(uniqueName());
    QVERIFY(server.listen());
    QSignalSpy received(&server, &SingleInstance::commandReceived);

    QLocalSocket client;
    client.connectToServer(server.serverName());
    QVERIFY(client.waitForConnected(2000));
    client.write(data);
    client.flush();
    // The server drops the connection and reports nothing.
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(received.count(), 0);
    QVERIFY(client.readAll().isEmpty());

    // A well-formed message on a new connection still gets through.
    QLocalSocket next;
    next.connectToServer(server.serverName());
    QVERIFY(next.waitForConnected(2000));
    next.write(message(0x5A454C54, 1, {}, QStringLiteral("/"), {QStringLiteral("ok.zelto")}));
    QTRY_COMPARE(received.count(), 1);
}

void tst_SingleInstance::liveInstanceKeepsItsName()
{
    const QString name = uniqueName();
    SingleInstance first(name);
    QVERIFY(first.listen());
    SingleInstance second(name);
    QVERIFY(!second.listen());
    QVERIFY(!second.errorString().isEmpty());
    QVERIFY(first.isListening());
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
