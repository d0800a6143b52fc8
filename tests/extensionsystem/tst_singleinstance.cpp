#include "extensionsystem/handovermessage.h"
#include "extensionsystem/singleinstance.h"
#include "tests/common/logrecorder.h"

#include <QDataStream>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using ExtensionSystem::HandOverMessage;
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
    void hostileMessages_data();
    void hostileMessages();
    void stalledConnectionsNeverBlockTheHandOver();
    void liveInstanceKeepsItsName();
    void socketFolderIsPrivate_data();
    void socketFolderIsPrivate();

private:
    static QByteArray message(quint32 magic, quint32 version, const QStringList &options,
                              const QString &workingDirectory, const QStringList &arguments)
    {
        QByteArray payload;
        QDataStream out(&payload, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_15);
        out << magic << version << options << workingDirectory << arguments;
        return framed(payload);
    }
    // Raw words, each 32 bits big-endian, behind the size they add up to.
    static QByteArray framed(const QByteArray &payload)
    {
        QByteArray framed;
        QDataStream(&framed, QIODevice::WriteOnly) << quint32(payload.size());
        return framed + payload;
    }
    static QByteArray words(std::initializer_list<quint32> values)
    {
        QByteArray data;
        QDataStream out(&data, QIODevice::WriteOnly);
        for (quint32 value : values)
            out << value;
        return data;
    }
    // What the server holds of the one connection it reads.
    static qint64 bytesArrived(const SingleInstance &server)
    {
        const QList<QLocalSocket *> lstSockets = server.findChildren<QLocalSocket *>();
        return lstSockets.size() == 1 ? lstSockets.constFirst()->bytesAvailable() : -1;
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
    QVERIFY(QFileInfo(name).fileName().startsWith(QLatin1String("zelto-")));
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
    // The piece has arrived, and the server waits for the rest.
    QTRY_VERIFY(bytesArrived(server) == 7);
    QCOMPARE(received.count(), 0);
    client.write(data.mid(7));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toStringList(), QStringList({"-x"}));
    QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("/home/me"));
    QCOMPARE(received.at(0).at(2).toStringList(), QStringList({"a b.zelto", "c.zelto"}));
    QTRY_VERIFY(client.bytesAvailable() > 0 || client.state() == QLocalSocket::UnconnectedState);
    QCOMPARE(client.readAll(), QByteArray("OK\n"));
}

void tst_SingleInstance::hostileMessages_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("arguments"); // -1: the message is dropped
    QTest::newRow("wrong magic") << message(0x12345678, 1, {}, QStringLiteral("/"), {QStringLiteral("x")}) << -1;
    QTest::newRow("future protocol") << message(0x5A454C54, 2, {}, QStringLiteral("/"), {QStringLiteral("x")}) << -1;
    QByteArray truncated = message(0x5A454C54, 1, {}, QStringLiteral("/"), {QStringLiteral("x")});
    truncated.chop(6);
    QDataStream(&truncated, QIODevice::ReadWrite) << quint32(truncated.size() - 4);
    QTest::newRow("text longer than the message") << truncated << -1;
    QTest::newRow("odd text length") << framed(words({0x5A454C54, 1, 0, 3, 0x00410042, 0})) << -1;
    QTest::newRow("oversized") << words({512 * 1024 * 1024}) << -1;
    // Used to reserve a list of 268 million entries and end the instance.
    QTest::newRow("huge list count") << framed(words({0x5A454C54, 1, 0x0FFFFFFF})) << -1;
    QTest::newRow("stray bytes") << framed(message(0x5A454C54, 1, {}, QStringLiteral("/"), {}).mid(4) + "junk") << -1;
    // Used to stay open for ever, holding its buffer.
    QTest::newRow("announces 1 MiB, stalls") << words({1024 * 1024}) + QByteArray(1024 * 1024 - 1, 'x') << -1;
    QStringList names;
    for (int i = 0; i < 15000; ++i)
        names << QStringLiteral("/tmp/file%1.txt").arg(i);
    // Delivered whole: the plug-ins bound what they open.
    QTest::newRow("15,000 file names") << message(0x5A454C54, 1, {}, QStringLiteral("/"), names) << 15000;
}

void tst_SingleInstance::hostileMessages()
{
    QFETCH(QByteArray, data);
    QFETCH(int, arguments);
    SingleInstance server(uniqueName());
    server.setReadTimeout(300);
    QVERIFY(server.listen());
    QSignalSpy received(&server, &SingleInstance::commandReceived);
    if (arguments < 0)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^(Dropped a message|Closed a connection)")));

    QLocalSocket client;
    client.connectToServer(server.serverName());
    QVERIFY(client.waitForConnected(2000));
    client.write(data);
    client.flush();
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    if (arguments < 0) {
        QCOMPARE(received.count(), 0);
        QVERIFY(client.readAll().isEmpty());
    } else {
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(2).toStringList().size(), arguments);
    }

    // A well-formed message on a new connection still gets through.
    QLocalSocket next;
    next.connectToServer(server.serverName());
    QVERIFY(next.waitForConnected(2000));
    next.write(HandOverMessage::encode({}, QStringLiteral("/"), {QStringLiteral("ok.zelto")}));
    QTRY_COMPARE(received.count(), arguments < 0 ? 1 : 2);
}

void tst_SingleInstance::stalledConnectionsNeverBlockTheHandOver()
{
    // Used to leave the instance serving no hand-over ever again: connections
    // waited for a slot that those whose peer had left never gave back.
    SingleInstance server(uniqueName());
    QVERIFY(server.listen());
    QSignalSpy received(&server, &SingleInstance::commandReceived);
    TestSupport::LogRecorder log("zelto.extensionsystem.instance");

    std::vector<std::unique_ptr<QLocalSocket>> stalled;
    for (int i = 0; i < 40; ++i) {
        stalled.emplace_back(new QLocalSocket);
        stalled.back()->connectToServer(server.serverName());
        QVERIFY(stalled.back()->waitForConnected(2000));
        stalled.back()->write(words({1024 * 1024}) + QByteArray(1000, 'x'));
        stalled.back()->flush();
    }
    QObject clients;
    const auto handOver = [&server, &clients](const QString &strFile) {
        auto *pClient = new QLocalSocket(&clients);
        pClient->connectToServer(server.serverName());
        pClient->write(HandOverMessage::encode({}, QStringLiteral("/"), {strFile}));
    };
    // Served long before any of the stalled ones times out.
    handOver(QStringLiteral("first.zelto"));
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, SingleInstance::DefaultReadTimeoutMs / 2);

    // However they end, the connections give their places back.
    for (int i = 0; i < 40; i += 2)
        stalled[size_t(i)]->abort();
    stalled.clear();
    QTRY_VERIFY(server.findChildren<QLocalSocket *>().isEmpty());
    handOver(QStringLiteral("second.zelto"));
    QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, SingleInstance::DefaultReadTimeoutMs / 2);
    QCOMPARE(received.at(1).at(2).toStringList(), QStringList{QStringLiteral("second.zelto")});
    QVERIFY(!log.warnings.isEmpty());
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

void tst_SingleInstance::socketFolderIsPrivate_data()
{
    QTest::addColumn<QString>("squatter");
    QTest::newRow("free") << "";
    QTest::newRow("a link in its place") << "link";
    QTest::newRow("a file in its place") << "file";
    QTest::newRow("a folder others may enter") << "open folder";
    QTest::newRow("a folder of another user") << "foreign folder";
}

void tst_SingleInstance::socketFolderIsPrivate()
{
    QFETCH(QString, squatter);
    const QString settings = m_dir.filePath(QStringLiteral("settings-") + QString::number(++m_nNames));
    const QString usual = QFileInfo(SingleInstance::serverNameFor(settings)).absolutePath();
    QVERIFY(QDir().rmdir(usual) || QDir(usual).removeRecursively());
    QTemporaryDir elsewhere;
    if (squatter == QLatin1String("link")) {
        QVERIFY(QFile::link(elsewhere.path(), usual));
    } else if (squatter == QLatin1String("file")) {
        QFile file(usual);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (!squatter.isEmpty()) {
        QVERIFY(QDir().mkdir(usual));
        QVERIFY(::chmod(QFile::encodeName(usual).constData(), 0777) == 0);
        if (squatter == QLatin1String("foreign folder")) {
            if (::geteuid() != 0)
                QSKIP("Only root can give a folder to another user.");
            QVERIFY(::chown(QFile::encodeName(usual).constData(), 65534, 65534) == 0);
            QVERIFY(::chmod(QFile::encodeName(usual).constData(), 0700) == 0);
        }
    }
    if (!squatter.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Not using .* for the hand-over")));

    SingleInstance server(SingleInstance::serverNameFor(settings));
    QVERIFY2(server.listen(), qPrintable(server.errorString()));
    const QString folder = QFileInfo(server.serverName()).absolutePath();
    QCOMPARE(folder == usual, squatter.isEmpty());
    QVERIFY(QFileInfo(server.serverName()).fileName().startsWith(QLatin1String("zelto")));
    struct stat info;
    QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode));
    QCOMPARE(info.st_uid, ::geteuid());
    QCOMPARE(info.st_mode & 0777, mode_t(0700));
    QCOMPARE(::lstat(QFile::encodeName(server.serverName()).constData(), &info), 0);
    QVERIFY(S_ISSOCK(info.st_mode));
    QCOMPARE(info.st_mode & 0077, mode_t(0));
    // Nothing was made where the squatter's entry points.
    QVERIFY(QDir(elsewhere.path()).isEmpty());
    QFile::remove(usual);
    QDir(usual).removeRecursively();
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
