// The bridge's connection file: files that killed instances left behind go
// when the next one writes its own; nothing else in the folder is touched.
#include "core/welcome/bridgeconnectionfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class tst_BridgeConnectionFile : public QObject
{
    Q_OBJECT

private slots:
    void staleFilesAreRemoved_data();
    void staleFilesAreRemoved();
};

void tst_BridgeConnectionFile::staleFilesAreRemoved_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("removed");
    QTest::newRow("file of a process that ended") << QStringLiteral("file") << false << true;
    QTest::newRow("file of a running process") << QStringLiteral("file") << true << false;
    QTest::newRow("link of a process that ended") << QStringLiteral("link") << false << false;
    QTest::newRow("folder of a process that ended") << QStringLiteral("folder") << false << false;
    QTest::newRow("other name") << QStringLiteral("other") << false << false;
}

void tst_BridgeConnectionFile::staleFilesAreRemoved()
{
    QFETCH(QString, kind);
    QFETCH(bool, running);
    QFETCH(bool, removed);
    qint64 nPid = 1;   // always running
    if (!running) {
        // The id of a process that has just ended is not given out again at once.
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
        QVERIFY(process.waitForStarted());
        nPid = process.processId();
        QVERIFY(process.waitForFinished());
    }
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                      + QStringLiteral("/zelto-rideved"));
    QVERIFY(QDir().mkpath(folder.path()));
    const QString strEntry = folder.filePath(kind == QLatin1String("other") ? QStringLiteral("notes-%1.json").arg(nPid)
                                                                              : QStringLiteral("bridge-%1.json").arg(nPid));
    if (kind == QLatin1String("folder")) {
        QVERIFY(folder.mkpath(strEntry));
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("elsewhere")), strEntry));
    } else {
        QFile file(strEntry);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{}") == 2);
    }

    BridgeConnectionFile connectionFile;
    QVERIFY(connectionFile.write(4242, QStringLiteral("token")));
    QCOMPARE(QFileInfo(strEntry).exists() || QFileInfo(strEntry).isSymLink(), !removed);
    QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("bridge-%1.json").arg(QCoreApplication::applicationPid()))));
    folder.rmdir(strEntry);
    QFile::remove(strEntry);
}

QTEST_GUILESS_MAIN(tst_BridgeConnectionFile)
#include "tst_bridgeconnectionfile.moc"
