// Scene documents: saving and opening, undo, refused files, automatic
// backups and the restore after a crash.
#include "scenedocument.h"

#include "core/documents/documentmanager.h"
#include "core/mainwindow.h"
#include "core/ui/ztnotificationbar.h"
#include "tests/common/logrecorder.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLabel>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

class tst_SceneDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newProjectSavesAndReopens();
    void initNewDocumentRefusesImpossibleStages_data();
    void initNewDocumentRefusesImpossibleStages();
    void undoAndRedoChanges();
    void invalidFileOpensWithMessage_data();
    void invalidFileOpensWithMessage();
    void backupIsWrittenOnlyForUnsavedWork();
    void newerBackupIsRestoredAndCanBeReverted();
    void olderBackupIsIgnored();
    void savingRestoredWorkRemovesBackup();
    void closingWithoutSavingRemovesBackup();
    void backupTimerWritesBackup();
    void linksWhereOwnFilesGoAreNeverWrittenThrough();
    void formatOneIsUpgradedOnlyWithConsent();
    void savingKeepsPermissions_data();
    void savingKeepsPermissions();
    void declinedSaveIsNotReportedAsFailure_data();
    void declinedSaveIsNotReportedAsFailure();
    void reloadReadsWhatAnotherProgramWrote();
    void failedSaveWhileClosingShowsOneBox();
    void backupOfALongNameGoesToTheDataFolder();

private:
    QString path(const QString &strName) const { return m_pDir->filePath(strName); }
    SceneDocument *newProject(const QString &strName, int nItems);
    static QList<SceneItem> items(int nCount);
    static QByteArray readAll(const QString &strFile);

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
    QTemporaryDir *m_pDir = nullptr;
};

void tst_SceneDocument::init()
{
    m_pWindow = new MainWindow();
    m_pWindow->show();
    m_pDir = new QTemporaryDir();
}

void tst_SceneDocument::cleanup()
{
    delete m_pWindow;
    delete m_pDir;
}

QList<SceneItem> tst_SceneDocument::items(int nCount)
{
    QList<SceneItem> lstItems;
    for (int i = 0; i < nCount; ++i) {
        SceneItem item;
        item.strId = QStringLiteral("item%1").arg(i + 1);
        item.type = i % 2 ? SceneItem::Ellipse : SceneItem::Rectangle;
        item.rect = QRectF(10 * i, 20 * i, 50, 40);
        lstItems.append(item);
    }
    return lstItems;
}

QByteArray tst_SceneDocument::readAll(const QString &strFile)
{
    QFile file(strFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SceneDocument *tst_SceneDocument::newProject(const QString &strName, int nItems)
{
    auto *pDocument = new SceneDocument(this);
    pDocument->setFileName(path(strName));
    if (!pDocument->initNewDocument(640, 480, 25, false) || !pDocument->save())
        return nullptr;
    if (nItems > 0)
        pDocument->changeItems(QStringLiteral("Add"), 0, items(nItems));
    return pDocument;
}

void tst_SceneDocument::newProjectSavesAndReopens()
{
    SceneDocument *pDocument = newProject(QStringLiteral("one.zelto"), 3);
    QVERIFY(pDocument);
    QVERIFY(pDocument->isModified());
    QVERIFY(pDocument->save());
    QVERIFY(!pDocument->isModified());

    SceneDocument reopened;
    reopened.setFileName(path(QStringLiteral("one.zelto")));
    QVERIFY(reopened.open());
    QVERIFY(!reopened.isModified());
    QVERIFY(!reopened.isOpenAsBackup());
    QCOMPARE(reopened.project().m_nWidth, 640);
    QCOMPARE(reopened.project().m_nFps, 25);
    QVERIFY(reopened.project().m_lstScenes[0].lstItems == items(3));
}

void tst_SceneDocument::initNewDocumentRefusesImpossibleStages_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("fps");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("ordinary") << 1280 << 720 << 24 << true;
    QTest::newRow("smallest") << 16 << 16 << 1 << true;
    QTest::newRow("zero width") << 0 << 720 << 24 << false;
    QTest::newRow("huge height") << 1280 << 100000 << 24 << false;
    QTest::newRow("zero fps") << 1280 << 720 << 0 << false;
    QTest::newRow("fps too high") << 1280 << 720 << 1000 << false;
}

void tst_SceneDocument::initNewDocumentRefusesImpossibleStages()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, fps);
    QFETCH(bool, accepted);
    SceneDocument document;
    QCOMPARE(document.initNewDocument(width, height, fps, true), accepted);
}

void tst_SceneDocument::undoAndRedoChanges()
{
    SceneDocument *pDocument = newProject(QStringLiteral("undo.zelto"), 0);
    QVERIFY(pDocument);
    QSignalSpy dataSpy(pDocument, &IDocument::dataChanged);
    pDocument->changeItems(QStringLiteral("Add"), 0, items(1));
    pDocument->changeItems(QStringLiteral("Add"), 0, items(2));
    pDocument->changeItems(QStringLiteral("Nothing"), 0, items(2));   // no change, no step
    QCOMPARE(pDocument->getUndoStack()->count(), 2);
    QCOMPARE(dataSpy.count(), 2);
    pDocument->getUndoStack()->undo();
    QVERIFY(pDocument->project().m_lstScenes[0].lstItems == items(1));
    pDocument->getUndoStack()->undo();
    QVERIFY(pDocument->project().m_lstScenes[0].lstItems.isEmpty());
    QVERIFY(!pDocument->isModified());
    pDocument->getUndoStack()->redo();
    pDocument->getUndoStack()->redo();
    QVERIFY(pDocument->project().m_lstScenes[0].lstItems == items(2));
}

void tst_SceneDocument::invalidFileOpensWithMessage_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text file") << QByteArray("just some text") << QStringLiteral("not a Zelto Rideved project");
    QTest::newRow("newer format") << QByteArray(R"({"format":99,"stage":{"width":10,"height":10,"fps":1}})")
                                  << QStringLiteral("newer version");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("Could not open");
}

void tst_SceneDocument::invalidFileOpensWithMessage()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    const QString strFile = path(QStringLiteral("bad.zelto"));
    if (!content.isEmpty()) {
        QFile file(strFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    SceneDocument document;
    document.setFileName(strFile);
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    QVERIFY(!document.open());
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().at(0).title, QStringLiteral("Zelto Rideved"));
    QVERIFY2(answerer.records().at(0).text.contains(expected), qPrintable(answerer.records().at(0).text));
    if (!content.isEmpty())
        QCOMPARE(readAll(strFile), content);   // the file is left as it was
}

void tst_SceneDocument::backupIsWrittenOnlyForUnsavedWork()
{
    SceneDocument *pDocument = newProject(QStringLiteral("backup.zelto"), 0);
    QVERIFY(pDocument);
    const QString strBackup = path(QStringLiteral("backup.zelto.backup"));
    QCOMPARE(pDocument->getBackupFileName(), strBackup);
    QVERIFY(pDocument->saveBackup());
    QVERIFY(!QFile::exists(strBackup));

    const QByteArray saved = readAll(pDocument->getFileName());
    pDocument->changeItems(QStringLiteral("Add"), 0, items(2));
    QVERIFY(pDocument->saveBackup());
    QVERIFY(QFile::exists(strBackup));
    QCOMPARE(readAll(pDocument->getFileName()), saved);   // the project itself is untouched
}

void tst_SceneDocument::newerBackupIsRestoredAndCanBeReverted()
{
    SceneDocument *pDocument = newProject(QStringLiteral("crash.zelto"), 1);
    QVERIFY(pDocument->save());
    pDocument->changeItems(QStringLiteral("Add"), 0, items(4));
    QVERIFY(pDocument->saveBackup());
    delete pDocument;   // the application ends without closing: a crash

    SceneDocument restored;
    restored.setFileName(path(QStringLiteral("crash.zelto")));
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("crash was restored")));
    QVERIFY(restored.open());
    QVERIFY(restored.isOpenAsBackup());
    QVERIFY(restored.isModified());
    QVERIFY(restored.project().m_lstScenes[0].lstItems == items(4));
    // Undo cannot pretend the restored work is saved.
    QVERIFY(!restored.getUndoStack()->isClean());

    emit restored.aboutToOpen();   // the main window does this once an editor is bound
    ZTNotificationBar *pBar = m_pWindow->getNotificationBar();
    QVERIFY(pBar->isVisible());
    auto *pButton = pBar->findChild<QPushButton *>(QStringLiteral("m_pButton"));
    QVERIFY(pButton && pButton->isVisible());
    QCOMPARE(pButton->text(), QStringLiteral("Revert to Saved"));
    pButton->click();
    QVERIFY(!pBar->isVisible());
    QVERIFY(!restored.isOpenAsBackup());
    QVERIFY(!restored.isModified());
    QVERIFY(restored.project().m_lstScenes[0].lstItems == items(1));
    QVERIFY(!QFile::exists(restored.getBackupFileName()));
}

void tst_SceneDocument::olderBackupIsIgnored()
{
    SceneDocument *pDocument = newProject(QStringLiteral("old.zelto"), 2);
    QVERIFY(pDocument->saveBackup());
    QVERIFY(pDocument->save());
    pDocument->changeItems(QStringLiteral("Add"), 0, items(3));
    QVERIFY(pDocument->saveBackup());
    // Make the backup older than the project, as if the project was saved later.
    QFile backup(pDocument->getBackupFileName());
    QVERIFY(backup.open(QIODevice::ReadWrite));
    QVERIFY(backup.setFileTime(QFileInfo(pDocument->getFileName()).lastModified().addSecs(-60),
                               QFileDevice::FileModificationTime));
    backup.close();
    delete pDocument;

    SceneDocument reopened;
    reopened.setFileName(path(QStringLiteral("old.zelto")));
    QVERIFY(reopened.open());
    QVERIFY(!reopened.isOpenAsBackup());
    QVERIFY(reopened.project().m_lstScenes[0].lstItems == items(2));
}

void tst_SceneDocument::savingRestoredWorkRemovesBackup()
{
    SceneDocument *pDocument = newProject(QStringLiteral("keep.zelto"), 1);
    QVERIFY(pDocument->save());
    pDocument->changeItems(QStringLiteral("Add"), 0, items(2));
    QVERIFY(pDocument->saveBackup());
    delete pDocument;

    SceneDocument restored;
    restored.setFileName(path(QStringLiteral("keep.zelto")));
    QVERIFY(restored.open());
    QVERIFY(restored.isOpenAsBackup());
    QVERIFY(restored.save());
    QVERIFY(!restored.isOpenAsBackup());
    QVERIFY(!restored.isModified());
    QVERIFY(!QFile::exists(restored.getBackupFileName()));

    SceneDocument again;
    again.setFileName(path(QStringLiteral("keep.zelto")));
    QVERIFY(again.open());
    QVERIFY(again.project().m_lstScenes[0].lstItems == items(2));
}

void tst_SceneDocument::closingWithoutSavingRemovesBackup()
{
    SceneDocument *pDocument = newProject(QStringLiteral("close.zelto"), 2);
    QVERIFY(pDocument->saveBackup());
    QVERIFY(QFile::exists(pDocument->getBackupFileName()));
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    QVERIFY(pDocument->close());
    QCOMPARE(answerer.records().size(), 1);
    QVERIFY(!QFile::exists(pDocument->getBackupFileName()));
}

void tst_SceneDocument::backupTimerWritesBackup()
{
    SceneDocument *pDocument = newProject(QStringLiteral("timer.zelto"), 1);
    DocumentManager::setAutobackupTimeout(1);
    DocumentManager::addDocument(pDocument);
    DocumentManager::startWaitingBackup(pDocument);
    QSignalSpy statusSpy(pDocument, &IDocument::statusChanged);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pDocument->getBackupFileName()), 5000);
    QVERIFY(statusSpy.count() >= 1);
    QVERIFY(statusSpy.last().at(0).toString().contains(QLatin1String("Backup of timer")));
    DocumentManager::removeDocument(pDocument);
}

void tst_SceneDocument::linksWhereOwnFilesGoAreNeverWrittenThrough()
{
    // Whoever may write in a shared project folder used to make the
    // application overwrite any file of its user: the backup and the images
    // were written to where a link in their place pointed.
    QTemporaryDir outside;
    const QString strSecret = outside.filePath(QStringLiteral("authorized_keys"));
    const QByteArray secret("ssh-ed25519 AAAA mine\n");
    QFile secretFile(strSecret);
    QVERIFY(secretFile.open(QIODevice::WriteOnly) && secretFile.write(secret) == secret.size());
    secretFile.close();

    SceneDocument *pDocument = newProject(QStringLiteral("shared.zelto"), 0);
    QVERIFY(pDocument);
    SceneItem image;
    image.strId = QStringLiteral("item1");
    image.type = SceneItem::Image;
    image.rect = QRectF(0, 0, 10, 10);
    image.strImage = pDocument->addImage(QByteArray("attacker's bytes"), QStringLiteral("png"));
    pDocument->changeItems(QStringLiteral("Add"), 0, {image});

    // Relative, as in a project unpacked from elsewhere.
    const QString strBackup = pDocument->getBackupFileName();
    QVERIFY(QFile::link(QDir(m_pDir->path()).relativeFilePath(strSecret), strBackup));
    QVERIFY(QDir(m_pDir->path()).mkpath(QStringLiteral("images")));
    QVERIFY(QFile::link(strSecret, path(image.strImage)));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("backup was a link; it was replaced")));
    QVERIFY(pDocument->saveBackup());
    QVERIFY(!QFileInfo(strBackup).isSymLink());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("png was a link; it was replaced")));
    QVERIFY(pDocument->save());
    QVERIFY(!QFileInfo(path(image.strImage)).isSymLink());
    QCOMPARE(readAll(path(image.strImage)), QByteArray("attacker's bytes"));
    QCOMPARE(readAll(strSecret), secret);

    // A link where the backup goes is no backup to restore either.
    QVERIFY(QFile::link(strSecret, strBackup));
    SceneDocument reopened;
    reopened.setFileName(pDocument->getFileName());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("it is a link, not a backup")));
    QVERIFY(reopened.open());
    QVERIFY(!reopened.isOpenAsBackup());
}

void tst_SceneDocument::formatOneIsUpgradedOnlyWithConsent()
{
    const QString strFile = path(QStringLiteral("old.zelto"));
    const QByteArray old = R"({"format": 1, "stage": {"width": 320, "height": 200, "fps": 24},
        "items": [{"id": "item1", "type": "rectangle", "x": 0, "y": 0, "width": 50, "height": 40}]})";
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();
    SceneDocument document;
    document.setFileName(strFile);
    QVERIFY(document.open());
    QVERIFY(document.project().m_lstScenes[0].lstItems == items(1));
    document.changeItems(QStringLiteral("Add"), 0, items(2));

    // Declined: nothing is written, the work stays unsaved.
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    QVERIFY(!document.save());
    QCOMPARE(answerer.records().size(), 1);
    QVERIFY2(answerer.records().at(0).text.contains(QLatin1String("project format 1")),
             qPrintable(answerer.records().at(0).text));
    QCOMPARE(readAll(strFile), old);
    QVERIFY(document.isModified());

    // Accepted once, and not asked again.
    answerer.answer(QMessageBox::Yes);
    QVERIFY(document.save());
    document.changeItems(QStringLiteral("Add"), 0, items(3));
    QVERIFY(document.save());
    QCOMPARE(answerer.records().size(), 2);
    QCOMPARE(QJsonDocument::fromJson(readAll(strFile)).object().value(QStringLiteral("format")).toInt(), 2);
    SceneDocument reopened;
    reopened.setFileName(strFile);
    QVERIFY(reopened.open());
    QVERIFY(reopened.project().m_lstScenes == document.project().m_lstScenes);
}

void tst_SceneDocument::savingKeepsPermissions_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("0640") << 0640;
    QTest::newRow("0600") << 0600;
    QTest::newRow("0444, replaced with consent") << 0444;
}

void tst_SceneDocument::savingKeepsPermissions()
{
    QFETCH(int, mode);
    // QFileDevice keeps the owner's, group's and others' bits in nibbles of their own.
    const QFileDevice::Permissions bits((mode & 0700) << 6 | (mode & 0070) << 1 | (mode & 0007));
    const QFileDevice::Permissions modeBits(0x7077);
    SceneDocument *pDocument = newProject(QStringLiteral("mode.zelto"), 1);
    QVERIFY(pDocument);
    QVERIFY(QFile::setPermissions(pDocument->getFileName(), bits));
    const bool bReadOnly = !(mode & 0200);
    TestSupport::ModalAnswerer answerer;
    if (bReadOnly)
        answerer.answer(QMessageBox::Yes);
    pDocument->changeItems(QStringLiteral("Add"), 0, items(2));
    QVERIFY(pDocument->save());
    QCOMPARE(answerer.records().size(), bReadOnly ? 1 : 0);
    QCOMPARE(QFileInfo(pDocument->getFileName()).permissions() & modeBits, bits);
    SceneDocument reopened;
    reopened.setFileName(pDocument->getFileName());
    QVERIFY(reopened.open());
    QVERIFY(reopened.project().m_lstScenes[0].lstItems == items(2));
}

void tst_SceneDocument::declinedSaveIsNotReportedAsFailure_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("question");
    QTest::newRow("format upgrade") << 1 << false << QStringLiteral("project format 1");
    QTest::newRow("read-only file") << 2 << true << QStringLiteral("read-only");
}

// Closing asks whether to save; a No to the question save() then asks is the
// user's choice, not a failed save: the project stays open, without a notice.
void tst_SceneDocument::declinedSaveIsNotReportedAsFailure()
{
    QFETCH(int, format);
    QFETCH(bool, readOnly);
    QFETCH(QString, question);
    const QString strFile = path(QStringLiteral("declined.zelto"));
    const QByteArray content = format == 1
        ? QByteArray(R"({"format": 1, "stage": {"width": 320, "height": 200, "fps": 24}, "items": []})")
        : QByteArray(R"({"format": 2, "stage": {"width": 320, "height": 200, "fps": 24}, "scenes": [{"duration": 5}]})");
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    if (readOnly)
        QVERIFY(QFile::setPermissions(strFile, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    SceneDocument document;
    document.setFileName(strFile);
    QVERIFY(document.open());
    document.changeItems(QStringLiteral("Add"), 0, items(1));

    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Yes);   // save the changes?
    answerer.answer(QMessageBox::No);    // the question of save()
    answerer.answer(QMessageBox::Ok);    // a notice of a failed save, which must not come
    QSignalSpy closing(&document, &IDocument::aboutToClose);
    QVERIFY(!document.close());
    QCOMPARE(answerer.records().size(), 2);
    QVERIFY2(answerer.records().at(1).text.contains(question), qPrintable(answerer.records().at(1).text));
    QCOMPARE(closing.count(), 0);
    QCOMPARE(readAll(strFile), content);
    QVERIFY(document.isModified());
}

void tst_SceneDocument::reloadReadsWhatAnotherProgramWrote()
{
    SceneDocument *pDocument = newProject(QStringLiteral("shared.zelto"), 1);
    QVERIFY(pDocument->save());
    SceneProject elsewhere = pDocument->project();
    elsewhere.m_lstScenes[0].lstItems = items(3);
    QString strError;
    QVERIFY(elsewhere.save(pDocument->getFileName(), &strError));
    pDocument->changeItems(QStringLiteral("Add"), 0, items(2));
    QVERIFY(pDocument->saveBackup());

    QSignalSpy dataSpy(pDocument, &IDocument::dataChanged);
    QVERIFY(pDocument->reload());
    QVERIFY(pDocument->project().m_lstScenes[0].lstItems == items(3));
    QVERIFY(!pDocument->isModified());
    QCOMPARE(pDocument->getUndoStack()->count(), 0);
    QCOMPARE(dataSpy.count(), 1);
    QVERIFY(!QFile::exists(pDocument->getBackupFileName()));   // the dropped work goes with it
}

void tst_SceneDocument::failedSaveWhileClosingShowsOneBox()
{
    SceneDocument *pDocument = newProject(QStringLiteral("lost.zelto"), 1);
    QVERIFY(pDocument);
    // Its folder is gone and a file is in its place: nothing can be written there.
    const QString strFolder = path(QStringLiteral("gone"));
    QVERIFY(QFile(strFolder).open(QIODevice::WriteOnly));
    pDocument->setFileName(strFolder + QStringLiteral("/lost.zelto"));
    pDocument->changeItems(QStringLiteral("Add"), 0, items(2));

    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Yes);   // save the changes?
    answerer.answer(QMessageBox::Ok);    // why saving failed
    answerer.answer(QMessageBox::Ok);    // a second box, which must not come
    QVERIFY(!pDocument->close());
    QCOMPARE(answerer.records().size(), 2);
    QVERIFY2(answerer.records().at(1).text.startsWith(QStringLiteral("Could not save the project.")),
             qPrintable(answerer.records().at(1).text));
    QVERIFY(pDocument->isModified());
}

void tst_SceneDocument::backupOfALongNameGoesToTheDataFolder()
{
    // 245 characters: the project fits the file system's 255, "<name>.backup"
    // with the temporary name it is first written under does not.
    const QString strName = QString(239, QLatin1Char('l')) + QStringLiteral(".zelto");
    SceneDocument *pDocument = newProject(strName, 1);
    QVERIFY2(pDocument, "a project with a 245-character name saves");
    pDocument->changeItems(QStringLiteral("Add"), 0, items(3));
    TestSupport::LogRecorder log("zelto.scene.document");
    QVERIFY(pDocument->saveBackup());
    const QString strBackup = pDocument->getBackupFileName();
    QVERIFY2(strBackup.startsWith(SceneDocument::backupFolder() + QLatin1Char('/')), qPrintable(strBackup));
    QVERIFY(QFile::exists(strBackup));
    QCOMPARE(QFileInfo(SceneDocument::backupFolder()).permissions() & 0x0077, QFileDevice::Permissions());
    QVERIFY(log.warnings.isEmpty());

    // Opening the project finds the work there, as it finds it beside a project.
    SceneDocument reopened;
    reopened.setFileName(pDocument->getFileName());
    QVERIFY(reopened.open());
    QVERIFY(reopened.isOpenAsBackup());
    QVERIFY(reopened.project().m_lstScenes[0].lstItems == items(3));

    // A failure is reported once, with its reason, until a backup succeeds again.
    const QString strFolder = SceneDocument::backupFolder();
    QVERIFY(QDir(strFolder).removeRecursively());
    QVERIFY(QFile(strFolder).open(QIODevice::WriteOnly));
    ZTNotificationBar *pBar = m_pWindow->getNotificationBar();
    m_pWindow->hideNotification();
    QVERIFY(!pDocument->saveBackup());
    QVERIFY(pBar->isVisible());
    QVERIFY(pBar->findChild<QLabel *>(QStringLiteral("m_pMessageLabel")));
    const QString strShown = pBar->findChild<QLabel *>(QStringLiteral("m_pMessageLabel"))->text();
    QVERIFY2(strShown.contains(QStringLiteral("automatic backup")) && strShown.contains(QDir::toNativeSeparators(strFolder)),
             qPrintable(strShown));
    m_pWindow->hideNotification();
    QVERIFY(!pDocument->saveBackup());
    QVERIFY(!pBar->isVisible());
    QCOMPARE(log.warnings.size(), 1);
    QVERIFY(QFile::remove(strFolder));
    QVERIFY(pDocument->saveBackup());
    QVERIFY(QFile(strFolder).exists() && QDir(strFolder).removeRecursively());
    QVERIFY(QFile(strFolder).open(QIODevice::WriteOnly));
    QVERIFY(!pDocument->saveBackup());
    QVERIFY(pBar->isVisible());
    QCOMPARE(log.warnings.size(), 2);
    QVERIFY(QFile::remove(strFolder));
}

QTEST_MAIN(tst_SceneDocument)
#include "tst_scenedocument.moc"
