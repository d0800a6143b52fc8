#include "core/documents/documentmanager.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"
#include "tests/common/testdocument.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QtTest>

using BreakpointList = QList<QPair<int, bool>>;

class tst_DocumentManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void registration();
    void documentDeletedWithoutRemovalLeavesTheRegistry();
    void backupNeverStartedNeverRuns();
    void restartPushesTheBackupAway();
    void intervalChangeAppliesToTheNextWait();
    void removeWhileRunningStopsTheTimer();
    void stopWaitingBackupStopsTheTimer();
    void failingBackupIsRetried();

    void initBreakpoints_data();
    void initBreakpoints();
    void settingsRoundTrip();
    void unusableIntervalInSettingsIsIgnored_data();
    void unusableIntervalInSettingsIsIgnored();
    void zeroIntervalDoesNotSpin();

private:
    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
};

static const BreakpointList kDefaultH = {{375, true}, {667, true}, {768, true}, {1024, true}, {1280, true}};
static const BreakpointList kDefaultV = {{345, false}, {522, false}, {620, false}, {674, false}, {930, false}};

void tst_DocumentManager::initTestCase()
{
    m_pWindow = new MainWindow;
    QVERIFY(DocumentManager::getInstance());
    QVERIFY(DocumentManager::getUndoGroup());
    QCOMPARE(DocumentManager::isAutobackupEnabled(), true);
    QCOMPARE(DocumentManager::getAutobackupTimeout(), 300);
}

void tst_DocumentManager::cleanupTestCase()
{
    delete m_pWindow;
    QVERIFY(!DocumentManager::getInstance());
    QVERIFY(DocumentManager::getDocuments().isEmpty());   // no manager: harmless answers
}

void tst_DocumentManager::init()
{
    DocumentManager::setAutobackupTimeout(1);
    DocumentManager::setHBreakpoints({});
    DocumentManager::setVBreakpoints({});
}

void tst_DocumentManager::cleanup()
{
    const QList<IDocument *> lstLeft = DocumentManager::getDocuments();
    for (IDocument *pDocument : lstLeft)
        DocumentManager::removeDocument(pDocument);
}

void tst_DocumentManager::registration()
{
    TestDocument a, b;
    DocumentManager::addDocument(nullptr);
    DocumentManager::addDocument(&a);
    DocumentManager::addDocument(&b);
    DocumentManager::addDocument(&a);
    QCOMPARE(DocumentManager::getDocuments(), QList<IDocument *>({&a, &b}));
    QCOMPARE(DocumentManager::getUndoGroup()->stacks().size(), 2);
    QVERIFY(DocumentManager::getUndoGroup()->stacks().contains(a.getUndoStack()));
    QCOMPARE(DocumentManager::getInstance()->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly).size(), 2);

    PlainDocument noStack;   // a document that has not made its stack yet
    DocumentManager::addDocument(&noStack);
    QVERIFY(DocumentManager::removeDocument(&noStack));

    QVERIFY(DocumentManager::removeDocument(nullptr));
    QVERIFY(DocumentManager::removeDocument(&a));
    QVERIFY(!DocumentManager::removeDocument(&a));
    QCOMPARE(DocumentManager::getDocuments(), QList<IDocument *>({&b}));
    QCOMPARE(DocumentManager::getUndoGroup()->stacks(), QList<QUndoStack *>({b.getUndoStack()}));
    QCOMPARE(DocumentManager::getInstance()->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);

    DocumentManager::startWaitingBackup(nullptr);
    DocumentManager::stopWaitingBackup(nullptr);
}

void tst_DocumentManager::documentDeletedWithoutRemovalLeavesTheRegistry()
{
    TestDocument reference;
    auto *pDoomed = new TestDocument;
    DocumentManager::addDocument(&reference);
    DocumentManager::addDocument(pDoomed);
    DocumentManager::startWaitingBackup(pDoomed);
    DocumentManager::startWaitingBackup(&reference);
    delete pDoomed;
    QCOMPARE(DocumentManager::getDocuments(), QList<IDocument *>({&reference}));

    // The deleted document's timer must not fire into freed memory.
    QSignalSpy spy(&reference, &TestDocument::backedUp);
    QVERIFY(spy.wait(5000));
}

void tst_DocumentManager::backupNeverStartedNeverRuns()
{
    TestDocument idle, running;
    DocumentManager::addDocument(&idle);
    DocumentManager::addDocument(&running);
    DocumentManager::startWaitingBackup(&running);

    QSignalSpy spy(&running, &TestDocument::backedUp);
    QVERIFY(spy.wait(5000));
    QCOMPARE(running.m_nBackups, 1);
    QCOMPARE(idle.m_nBackups, 0);
}

void tst_DocumentManager::restartPushesTheBackupAway()
{
    TestDocument doc;
    DocumentManager::addDocument(&doc);
    DocumentManager::startWaitingBackup(&doc);
    QTest::qWait(500);
    QElapsedTimer sinceRestart;
    sinceRestart.start();
    DocumentManager::startWaitingBackup(&doc);

    QSignalSpy spy(&doc, &TestDocument::backedUp);
    QVERIFY(spy.wait(5000));
    // A coarse timer may fire up to 5% early; the first start would have
    // fired about 500 ms after the restart.
    QVERIFY2(sinceRestart.elapsed() >= 900, qPrintable(QString::number(sinceRestart.elapsed())));
    QCOMPARE(doc.m_nBackups, 1);
}

void tst_DocumentManager::intervalChangeAppliesToTheNextWait()
{
    TestDocument doc;
    DocumentManager::addDocument(&doc);
    DocumentManager::setAutobackupTimeout(2);
    QElapsedTimer clock;
    clock.start();
    DocumentManager::startWaitingBackup(&doc);
    DocumentManager::setAutobackupTimeout(1);

    QSignalSpy spy(&doc, &TestDocument::backedUp);
    QVERIFY(spy.wait(6000));
    const qint64 nFirst = clock.elapsed();
    QVERIFY2(nFirst >= 1800, qPrintable(QString::number(nFirst)));   // the running wait is not shortened
    QVERIFY(spy.wait(6000));
    const qint64 nSecond = clock.elapsed() - nFirst;
    QVERIFY2(nSecond >= 900, qPrintable(QString::number(nSecond)));
    QCOMPARE(doc.m_nBackups, 2);
}

void tst_DocumentManager::removeWhileRunningStopsTheTimer()
{
    TestDocument removed, reference;
    DocumentManager::addDocument(&removed);
    DocumentManager::addDocument(&reference);
    DocumentManager::startWaitingBackup(&removed);
    DocumentManager::startWaitingBackup(&reference);
    QVERIFY(DocumentManager::removeDocument(&removed));

    QSignalSpy spy(&reference, &TestDocument::backedUp);
    QVERIFY(spy.wait(5000));
    QVERIFY(spy.wait(5000));
    QCOMPARE(removed.m_nBackups, 0);
}

void tst_DocumentManager::stopWaitingBackupStopsTheTimer()
{
    TestDocument stopped, reference;
    DocumentManager::addDocument(&stopped);
    DocumentManager::addDocument(&reference);
    DocumentManager::startWaitingBackup(&stopped);
    DocumentManager::startWaitingBackup(&reference);
    DocumentManager::stopWaitingBackup(&stopped);

    QSignalSpy spy(&reference, &TestDocument::backedUp);
    QVERIFY(spy.wait(5000));
    QCOMPARE(stopped.m_nBackups, 0);

    DocumentManager::startWaitingBackup(&stopped);   // a stopped timer can be started again
    QSignalSpy stoppedSpy(&stopped, &TestDocument::backedUp);
    QVERIFY(stoppedSpy.wait(5000));
}

void tst_DocumentManager::failingBackupIsRetried()
{
    TestDocument doc;
    doc.m_bBackupResult = false;
    DocumentManager::addDocument(&doc);
    DocumentManager::startWaitingBackup(&doc);
    QTRY_COMPARE_WITH_TIMEOUT(doc.m_nBackups, 2, 8000);
}

void tst_DocumentManager::initBreakpoints_data()
{
    QTest::addColumn<BreakpointList>("lstStoredH");
    QTest::addColumn<BreakpointList>("lstStoredV");
    QTest::addColumn<bool>("bReset");
    QTest::addColumn<BreakpointList>("lstExpectedH");
    QTest::addColumn<BreakpointList>("lstExpectedV");

    const BreakpointList passed = {{1, true}};   // what the caller's lists held before
    QTest::newRow("nothing stored: defaults appended")
        << BreakpointList() << BreakpointList() << false << passed + kDefaultH << passed + kDefaultV;
    QTest::newRow("only vertical stored") << BreakpointList() << BreakpointList({{500, true}}) << false
                                          << BreakpointList() << BreakpointList({{500, true}});
    QTest::newRow("both stored") << BreakpointList({{10, false}}) << BreakpointList({{20, true}}) << false
                                 << BreakpointList({{10, false}}) << BreakpointList({{20, true}});
    QTest::newRow("reset with stored lists") << BreakpointList({{10, false}}) << BreakpointList({{20, true}})
                                             << true << kDefaultH << kDefaultV;
    QTest::newRow("reset with nothing stored") << BreakpointList() << BreakpointList() << true << kDefaultH
                                               << kDefaultV;
}

void tst_DocumentManager::initBreakpoints()
{
    QFETCH(BreakpointList, lstStoredH);
    QFETCH(BreakpointList, lstStoredV);
    QFETCH(bool, bReset);
    QFETCH(BreakpointList, lstExpectedH);
    QFETCH(BreakpointList, lstExpectedV);

    DocumentManager::setHBreakpoints(lstStoredH);
    DocumentManager::setVBreakpoints(lstStoredV);
    BreakpointList lstH = {{1, true}};
    BreakpointList lstV = {{1, true}};
    DocumentManager::initBreakpoints(lstH, lstV, bReset);
    QCOMPARE(lstH, lstExpectedH);
    QCOMPARE(lstV, lstExpectedV);
    // The defaults are never stored by themselves.
    QCOMPARE(DocumentManager::getHBreakpoints(), lstStoredH);
    QCOMPARE(DocumentManager::getVBreakpoints(), lstStoredV);
}

void tst_DocumentManager::settingsRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strFile = dir.filePath(QStringLiteral("zelto.ini"));
    {
        QSettings settings(strFile, QSettings::IniFormat);
        DocumentManager::setSettings(&settings);
        DocumentManager::setAutoBackupEnabled(false);
        DocumentManager::setAutobackupTimeout(42);
        DocumentManager::setHBreakpoints({{375, true}, {667, false}, {1024, true}});
        DocumentManager::setVBreakpoints({{930, true}});
        DocumentManager::saveSettings();
        // Fewer breakpoints the second time: the removed ones must not survive.
        DocumentManager::setHBreakpoints({{667, false}});
        DocumentManager::setVBreakpoints({});
        DocumentManager::saveSettings();
    }
    {
        QSettings onDisk(strFile, QSettings::IniFormat);
        QCOMPARE(onDisk.value(QStringLiteral("Zelto/AutoBackup.Enable")).toBool(), false);
        QCOMPARE(onDisk.value(QStringLiteral("Zelto/AutoBackup.Interval")).toInt(), 42);
        QCOMPARE(onDisk.value(QStringLiteral("Breakpoints/Horizontal/size")).toInt(), 1);
        QCOMPARE(onDisk.value(QStringLiteral("Breakpoints/Horizontal/1/Value")).toInt(), 667);
        QCOMPARE(onDisk.value(QStringLiteral("Breakpoints/Horizontal/1/Enable")).toBool(), false);
        QVERIFY(!onDisk.contains(QStringLiteral("Breakpoints/Horizontal/2/Value")));
        QVERIFY(!onDisk.contains(QStringLiteral("Breakpoints/Vertical/1/Value")));
    }
    {
        QSettings settings(strFile, QSettings::IniFormat);
        DocumentManager::setSettings(&settings);
        DocumentManager::setAutoBackupEnabled(true);
        DocumentManager::setAutobackupTimeout(300);
        DocumentManager::setHBreakpoints({{1, true}});
        DocumentManager::setVBreakpoints({{2, true}});
        DocumentManager::readSettings();
        DocumentManager::readSettings();   // a second read does not duplicate anything
        QCOMPARE(DocumentManager::isAutobackupEnabled(), false);
        QCOMPARE(DocumentManager::getAutobackupTimeout(), 42);
        QCOMPARE(DocumentManager::getHBreakpoints(), BreakpointList({{667, false}}));
        QCOMPARE(DocumentManager::getVBreakpoints(), BreakpointList());
    }
    {
        // Missing keys keep the current values.
        QSettings empty(dir.filePath(QStringLiteral("empty.ini")), QSettings::IniFormat);
        DocumentManager::setSettings(&empty);
        DocumentManager::setAutoBackupEnabled(true);
        DocumentManager::setAutobackupTimeout(77);
        DocumentManager::readSettings();
        QCOMPARE(DocumentManager::isAutobackupEnabled(), true);
        QCOMPARE(DocumentManager::getAutobackupTimeout(), 77);
    }
    DocumentManager::setSettings(m_host.settings());
    DocumentManager::setAutoBackupEnabled(true);
}

void tst_DocumentManager::unusableIntervalInSettingsIsIgnored_data()
{
    QTest::addColumn<QString>("strStored");
    QTest::addColumn<int>("nExpected");
    QTest::newRow("valid") << "120" << 120;
    QTest::newRow("zero") << "0" << 77;
    QTest::newRow("negative") << "-5" << 77;
    QTest::newRow("text") << "often" << 77;
    QTest::newRow("empty") << "" << 77;
}

void tst_DocumentManager::unusableIntervalInSettingsIsIgnored()
{
    QFETCH(QString, strStored);
    QFETCH(int, nExpected);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("zelto.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Zelto/AutoBackup.Interval"), strStored);
    DocumentManager::setSettings(&settings);
    DocumentManager::setAutobackupTimeout(77);
    if (nExpected == 77)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("auto-backup interval")));
    DocumentManager::readSettings();
    QCOMPARE(DocumentManager::getAutobackupTimeout(), nExpected);
    DocumentManager::setSettings(m_host.settings());
}

void tst_DocumentManager::zeroIntervalDoesNotSpin()
{
    TestDocument doc;
    DocumentManager::addDocument(&doc);
    DocumentManager::setAutobackupTimeout(0);
    DocumentManager::startWaitingBackup(&doc);
    QSignalSpy spy(&doc, &TestDocument::backedUp);
    QVERIFY(spy.wait(5000));
    QTest::qWait(300);   // a timer re-armed at 0 ms would have fired hundreds of times
    QCOMPARE(doc.m_nBackups, 1);
}

QTEST_MAIN(tst_DocumentManager)
#include "tst_documentmanager.moc"
