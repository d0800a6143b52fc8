#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/mainwindow.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"
#include "tests/common/testdocument.h"

#include <QSignalSpy>
#include <QtTest>

class tst_IDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void baseOperations();
    void modifiedFollowsStackAndTemporaryFlag();
    void closeProtocol_data();
    void closeProtocol();

private:
    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
};

static const char kRecentKey[] = "Zelto/RecentProjects";
static const QString kOrdinaryPath = QStringLiteral("C:/work/scene.final.proj");
static const QString kTempPath = QStringLiteral("/tmp/zelto/Untitled.v1.zelto");
static const QString kSavedAsPath = QStringLiteral("/home/user/kept.zelto");
static const QString kOtherPath = QStringLiteral("/home/user/other.zelto");

void tst_IDocument::initTestCase()
{
    m_pWindow = new MainWindow;
}

void tst_IDocument::cleanupTestCase()
{
    delete m_pWindow;
}

void tst_IDocument::baseOperations()
{
    PlainDocument doc;
    QSignalSpy openSpy(&doc, &IDocument::aboutToOpen);
    QVERIFY(doc.open());
    QCOMPARE(openSpy.count(), 1);
    QVERIFY(!doc.save());
    QVERIFY(!doc.save(QStringLiteral("/x")));
    QVERIFY(!doc.saveAs());
    QVERIFY(!doc.revert());
    QVERIFY(!doc.saveBackup());

    doc.setFileName(QStringLiteral("/a/b.zelto"));
    QCOMPARE(doc.getFileName(), QStringLiteral("/a/b.zelto"));
    QVERIFY(!doc.getUndoStack());
    QVERIFY(!doc.isOpenAsBackup());
    doc.setOpenAsBackup(true);
    QVERIFY(doc.isOpenAsBackup());

    // requestClosing() without an argument asks for immediate destruction.
    QSignalSpy closingSpy(&doc, &IDocument::requestClosing);
    emit doc.requestClosing();
    QCOMPARE(closingSpy.count(), 1);
    QCOMPARE(closingSpy.at(0).at(0).toBool(), false);
}

void tst_IDocument::modifiedFollowsStackAndTemporaryFlag()
{
    TestDocument doc;
    QVERIFY(!doc.isModified());
    doc.setIsTempDocument(true);
    QVERIFY(doc.isTempDocument());
    QVERIFY(doc.isModified());   // a temporary document always has something to keep
    doc.setIsTempDocument(false);
    doc.makeEdit();
    QVERIFY(doc.isModified());
    doc.getUndoStack()->setClean();
    QVERIFY(!doc.isModified());

    PlainDocument noStack;
    QVERIFY(!noStack.isModified());
}

enum Answer { NoPrompt, Yes, No, Cancel, Escape };
Q_DECLARE_METATYPE(Answer)

void tst_IDocument::closeProtocol_data()
{
    QTest::addColumn<bool>("bTemp");
    QTest::addColumn<bool>("bEdited");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("bSaveWorks");
    QTest::addColumn<bool>("bExpectedResult");
    QTest::addColumn<int>("nExpectedSaves");
    QTest::addColumn<int>("nExpectedSaveAs");
    QTest::addColumn<QStringList>("lstExpectedTexts");
    QTest::addColumn<QStringList>("lstExpectedRecent");

    const QString ask = QStringLiteral("Save changes made to scene.final?");
    const QString askTemp = QStringLiteral("Save changes made to Untitled.v1?");
    const QStringList recent = {kOtherPath, kTempPath};

    QTest::newRow("unmodified: no prompt") << false << false << NoPrompt << true << true << 0 << 0
                                           << QStringList() << recent;
    QTest::newRow("modified, yes, saved") << false << true << Yes << true << true << 1 << 0 << QStringList{ask}
                                          << recent;
    QTest::newRow("modified, yes, save fails")
        << false << true << Yes << false << false << 1 << 0
        << QStringList{ask, QStringLiteral("Could not save project scene.final.")} << recent;
    QTest::newRow("modified, no") << false << true << No << true << true << 0 << 0 << QStringList{ask} << recent;
    QTest::newRow("modified, cancel") << false << true << Cancel << true << false << 0 << 0 << QStringList{ask}
                                      << recent;
    QTest::newRow("modified, escape") << false << true << Escape << true << false << 0 << 0 << QStringList{ask}
                                      << recent;
    QTest::newRow("temporary clean, yes, saved as")
        << true << false << Yes << true << true << 0 << 1 << QStringList{askTemp}
        << QStringList{kSavedAsPath, kOtherPath};
    QTest::newRow("temporary, yes, save as cancelled")
        << true << false << Yes << false << false << 0 << 1 << QStringList{askTemp} << recent;
    QTest::newRow("temporary, no") << true << true << No << true << true << 0 << 0 << QStringList{askTemp}
                                   << QStringList{kOtherPath};
    QTest::newRow("temporary, cancel") << true << false << Cancel << true << false << 0 << 0
                                       << QStringList{askTemp} << recent;
}

void tst_IDocument::closeProtocol()
{
    QFETCH(bool, bTemp);
    QFETCH(bool, bEdited);
    QFETCH(Answer, answer);
    QFETCH(bool, bSaveWorks);
    QFETCH(bool, bExpectedResult);
    QFETCH(int, nExpectedSaves);
    QFETCH(int, nExpectedSaveAs);
    QFETCH(QStringList, lstExpectedTexts);
    QFETCH(QStringList, lstExpectedRecent);

    ICore::settings()->setValue(QLatin1String(kRecentKey), QStringList{kOtherPath, kTempPath});

    TestDocument doc(bTemp ? kTempPath : kOrdinaryPath);
    doc.setIsTempDocument(bTemp);
    if (bEdited)
        doc.makeEdit();
    doc.m_bSaveResult = bSaveWorks;
    doc.m_bSaveAsResult = bSaveWorks;
    doc.m_strSaveAsName = kSavedAsPath;

    TestSupport::ModalAnswerer answerer;
    switch (answer) {
    case NoPrompt: break;
    case Yes: answerer.answer(QMessageBox::Yes); break;
    case No: answerer.answer(QMessageBox::No); break;
    case Cancel: answerer.answer(QMessageBox::Cancel); break;
    case Escape: answerer.pressEscape(); break;
    }
    if (lstExpectedTexts.size() > 1)
        answerer.answer(QMessageBox::Ok);
    // Dismisses a box the protocol should not have shown, so a fault fails
    // the test instead of hanging it.
    answerer.pressEscape();

    QSignalSpy closeSpy(&doc, &IDocument::aboutToClose);
    QSignalSpy closingSpy(&doc, &IDocument::requestClosing);
    QCOMPARE(doc.close(), bExpectedResult);

    QCOMPARE(closeSpy.count(), bExpectedResult ? 1 : 0);
    QCOMPARE(closingSpy.count(), 0);   // the caller decides about destruction
    QCOMPARE(doc.m_nSaveCalls, nExpectedSaves);
    QCOMPARE(doc.m_nSaveAsCalls, nExpectedSaveAs);
    QCOMPARE(answerer.pending(), 1);
    QStringList lstTexts;
    for (const TestSupport::ModalRecord &record : answerer.records()) {
        lstTexts << record.text;
        QCOMPARE(record.title, QStringLiteral("Zelto Rideved"));
    }
    QCOMPARE(lstTexts, lstExpectedTexts);
    QCOMPARE(ICore::settings()->value(QLatin1String(kRecentKey)).toStringList(), lstExpectedRecent);
}

QTEST_MAIN(tst_IDocument)
#include "tst_idocument.moc"
