#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/coreplugin.h"
#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/mainwindow.h"
#include "core/welcome/imainmdiarea.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

namespace {

const QString kCannotOpen = QStringLiteral("Cannot open this file type.");

QStringList recentFiles()
{
    return IRecentFilesManager::getInstance()->getRecentFiles();
}

IDocument *activeDocument()
{
    IEditor *pEditor = EditorManager::activeEditor();
    return pEditor ? pEditor->getDocument() : nullptr;
}

} // namespace

class tst_FileCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void openProject();
    void openAlreadyOpenProject_data();
    void openAlreadyOpenProject();
    void missingFileDoesNotMatchDeletedProject();
    void capitalSuffixFindsFactory();
    void unknownSuffixSaysSo();
    void failedOpenDeletesDocument_data();
    void failedOpenDeletesDocument();
    void loadOpenedDocumentWithoutRecentEntry();
    void newProject();
    void newProjectNotCreated_data();
    void newProjectNotCreated();
    void saveNeverSavedProjectRunsSaveAs();
    void failedSaveAsKeepsSaveEnabled();
    void saveOfSavedProject();
    void closeLastProject();
    void quitWithSecondPromptCancelled();
    void argumentsThatAreNotProjects();
    void dropOpensFirstProjectOnly();
    void statusTextBelongsToItsProject();
    void captionFollowsActiveTab();
    void secondInstanceReachesLoadFile();
    void everyDocumentTypeServedAlike();
    // Last: QCoreApplication::quit() makes every later nested event loop
    // (message boxes) return at once.
    void forceQuitClosesWithoutAsking();

private:
    TestSupport::TestHost m_host;
    TestDocumentFactory *m_pFactory = nullptr;
    QTemporaryDir *m_pDir = nullptr;
    MainWindow *m_pWindow = nullptr;

    QString path(const QString &name) const { return m_pDir->filePath(name); }
    QString project(const QString &name) const
    {
        const QString strPath = path(name);
        writeProjectFile(strPath);
        return strPath;
    }
};

void tst_FileCommands::initTestCase()
{
    m_pFactory = new TestDocumentFactory;
    ExtensionSystem::PluginManager::addObject(m_pFactory);
}

void tst_FileCommands::cleanupTestCase()
{
    ExtensionSystem::PluginManager::removeObject(m_pFactory);
    delete m_pFactory;
}

void tst_FileCommands::init()
{
    ICore::settings()->clear();
    m_pFactory->m_lstDocuments.clear();
    m_pFactory->m_strSaveAsTarget.clear();
    m_pFactory->m_bSaveSucceeds = true;
    m_pFactory->m_nDialogResult = QDialog::Accepted;
    m_pFactory->m_bInitSucceeds = true;
    m_pFactory->m_bEditorSucceeds = true;
    m_pFactory->m_bNewIsTemp = true;
    m_pFactory->m_nCleanTempCount = 0;
    m_pDir = new QTemporaryDir;
    m_pWindow = new MainWindow;
}

void tst_FileCommands::cleanup()
{
    // Nothing is modified any more, so the close asks nothing.
    for (const QPointer<FactoryDocument> &pDocument : qAsConst(m_pFactory->m_lstDocuments)) {
        if (pDocument) {
            pDocument->getUndoStack()->setClean();
            pDocument->setIsTempDocument(false);
        }
    }
    m_pWindow->close();
    delete m_pWindow;
    m_pWindow = nullptr;
    delete m_pDir;
}

void tst_FileCommands::openProject()
{
    const QString strFile = project(QStringLiteral("a.zelto"));
    QVERIFY(m_pWindow->loadFile(strFile));

    QCOMPARE(m_pFactory->m_lstDocuments.size(), 1);
    FactoryDocument *pDocument = m_pFactory->m_lstDocuments.first();
    QCOMPARE(activeDocument(), pDocument);
    QCOMPARE(pDocument->getFileName(), strFile);
    QCOMPARE(DocumentManager::getDocuments(), QList<IDocument *>{pDocument});
    QVERIFY(DocumentManager::getUndoGroup()->stacks().contains(pDocument->getUndoStack()));
    QCOMPARE(DocumentManager::getUndoGroup()->activeStack(), pDocument->getUndoStack());
    QCOMPARE(recentFiles(), QStringList{strFile});
    QVERIFY(commandAction("File.Close")->isEnabled());
    QVERIFY(commandAction("File.SaveAs.Project")->isEnabled());
    QVERIFY(!commandAction("File.Save")->isEnabled());

    // The command goes the same way once the factory has a name.
    const QString strOther = project(QStringLiteral("b.zelto"));
    m_pFactory->m_strOpenFileName = strOther;
    commandAction("File.Open_Project")->trigger();
    QCOMPARE(activeDocument()->getFileName(), strOther);
    QCOMPARE(recentFiles(), (QStringList{strOther, strFile}));
}

void tst_FileCommands::openAlreadyOpenProject_data()
{
    QTest::addColumn<QString>("otherSpelling");

    QTest::newRow("redundant folder parts") << QStringLiteral("sub/./x/../a.zelto");
    QTest::newRow("doubled separators") << QStringLiteral("sub//a.zelto");
    QTest::newRow("link to the file") << QStringLiteral("link.zelto");
#ifdef Q_OS_WIN
    QTest::newRow("backslashes") << QStringLiteral("sub\\a.zelto");
#endif
}

void tst_FileCommands::openAlreadyOpenProject()
{
    QFETCH(QString, otherSpelling);
    const QString strFile = project(QStringLiteral("sub/a.zelto"));
    QDir().mkpath(path(QStringLiteral("sub/x")));
    QFile::link(strFile, path(QStringLiteral("link.zelto")));

    QVERIFY(m_pWindow->loadFile(strFile));
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("b.zelto"))));
    IDocument *pFirst = m_pFactory->m_lstDocuments.first();
    QVERIFY(activeDocument() != pFirst);

    QVERIFY(m_pWindow->loadFile(m_pDir->path() + QLatin1Char('/') + otherSpelling));
    QCOMPARE(activeDocument(), pFirst);
    QCOMPARE(m_pFactory->m_lstDocuments.size(), 2);
    QCOMPARE(EditorManager::getEditors().size(), 2);
}

void tst_FileCommands::missingFileDoesNotMatchDeletedProject()
{
    const QString strFile = project(QStringLiteral("a.zelto"));
    QVERIFY(m_pWindow->loadFile(strFile));
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("b.zelto"))));
    IDocument *pActive = activeDocument();
    // The first project's file goes away while it is open.
    QVERIFY(QFile::remove(strFile));

    QVERIFY(!m_pWindow->loadFile(path(QStringLiteral("never-existed.zelto"))));
    QCOMPARE(activeDocument(), pActive);
    QCOMPARE(EditorManager::getEditors().size(), 2);
}

void tst_FileCommands::capitalSuffixFindsFactory()
{
    const QString strFile = project(QStringLiteral("Upper.ZELTOPACK"));
    QVERIFY(m_pWindow->loadFile(strFile));
    QCOMPARE(activeDocument()->getFileName(), strFile);
}

void tst_FileCommands::unknownSuffixSaysSo()
{
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    QVERIFY(!m_pWindow->loadFile(project(QStringLiteral("notes.txt"))));
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().first().text, kCannotOpen);
    QCOMPARE(answerer.records().first().title, QStringLiteral("Zelto Rideved"));
    QVERIFY(m_pFactory->m_lstDocuments.isEmpty());
}

void tst_FileCommands::failedOpenDeletesDocument_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("editor");
    // The test document opens only files that exist.
    QTest::newRow("file missing") << false << true;
    QTest::newRow("no editor for it") << true << false;
}

void tst_FileCommands::failedOpenDeletesDocument()
{
    QFETCH(bool, exists);
    QFETCH(bool, editor);
    m_pFactory->m_bEditorSucceeds = editor;
    const QString strFile = exists ? project(QStringLiteral("kept.zelto")) : path(QStringLiteral("missing.zelto"));
    QVERIFY(!m_pWindow->loadFile(strFile));
    QCOMPARE(m_pFactory->m_lstDocuments.size(), 1);
    QVERIFY(m_pFactory->m_lstDocuments.first().isNull());
    QVERIFY(EditorManager::getEditors().isEmpty());
    QVERIFY(recentFiles().isEmpty());
}

void tst_FileCommands::loadOpenedDocumentWithoutRecentEntry()
{
    const QString strFile = project(QStringLiteral("backup.zelto"));
    IDocument *pDocument = m_pFactory->createDocument();
    pDocument->setFileName(strFile);
    pDocument->setOpenAsBackup(true);
    QVERIFY(m_pWindow->loadOpenedDocument(pDocument, false));
    QVERIFY(recentFiles().isEmpty());
    QCOMPARE(activeDocument(), pDocument);
    // Restored from a backup: worth saving although nothing changed yet.
    QVERIFY(commandAction("File.Save")->isEnabled());

    // A document no factory serves is left alone.
    FactoryDocument stranger(m_pFactory);
    stranger.setFileName(path(QStringLiteral("x.other")));
    QVERIFY(!m_pWindow->loadOpenedDocument(&stranger, true));
    QCOMPARE(EditorManager::getEditors().size(), 1);
}

void tst_FileCommands::newProject()
{
    const QString strTemp = path(QStringLiteral("temp/Untitled.zelto"));
    QDir().mkpath(path(QStringLiteral("temp")));
    m_pFactory->m_strNewFilePath = strTemp;
    commandAction("File.New")->trigger();

    QCOMPARE(m_pFactory->m_lstDocuments.size(), 1);
    FactoryDocument *pDocument = m_pFactory->m_lstDocuments.first();
    QVERIFY(pDocument);
    QCOMPARE(activeDocument(), pDocument);
    QCOMPARE(pDocument->m_lstInitValues, (QList<int>{1, 2, 3, 1}));
    QCOMPARE(pDocument->m_nSaveCount, 1);   // written at once
    QVERIFY(QFileInfo::exists(strTemp));
    QCOMPARE(recentFiles(), QStringList{strTemp});
    // Never saved under a chosen name: Save is offered before any change.
    QVERIFY(commandAction("File.Save")->isEnabled());
    QVERIFY(commandAction("File.Close")->isEnabled());
}

void tst_FileCommands::newProjectNotCreated_data()
{
    QTest::addColumn<int>("dialogResult");
    QTest::addColumn<QString>("filePath");
    QTest::addColumn<bool>("initSucceeds");
    QTest::addColumn<bool>("inRecentList");

    QTest::newRow("dialog cancelled") << int(QDialog::Rejected) << QStringLiteral("p.zelto") << true << false;
    QTest::newRow("no path chosen") << int(QDialog::Accepted) << QString() << true << false;
    QTest::newRow("initialisation fails") << int(QDialog::Accepted) << QStringLiteral("p.zelto") << false << true;
}

void tst_FileCommands::newProjectNotCreated()
{
    QFETCH(int, dialogResult);
    QFETCH(QString, filePath);
    QFETCH(bool, initSucceeds);
    QFETCH(bool, inRecentList);

    m_pFactory->m_nDialogResult = dialogResult;
    m_pFactory->m_strNewFilePath = filePath.isEmpty() ? QString() : path(filePath);
    m_pFactory->m_bInitSucceeds = initSucceeds;
    commandAction("File.New")->trigger();

    QCOMPARE(m_pFactory->m_lstDocuments.size(), 1);
    QVERIFY(m_pFactory->m_lstDocuments.first().isNull());
    QVERIFY(EditorManager::getEditors().isEmpty());
    QCOMPARE(recentFiles().size(), inRecentList ? 1 : 0);
    QVERIFY(!commandAction("File.Save")->isEnabled());
}

void tst_FileCommands::saveNeverSavedProjectRunsSaveAs()
{
    const QString strTemp = path(QStringLiteral("temp.zelto"));
    const QString strChosen = path(QStringLiteral("chosen.zelto"));
    const QString strOlder = project(QStringLiteral("older.zelto"));
    IRecentFilesManager::getInstance()->addFile(strOlder);
    m_pFactory->m_strNewFilePath = strTemp;
    commandAction("File.New")->trigger();
    QCOMPARE(recentFiles(), (QStringList{strTemp, strOlder}));

    m_pFactory->m_strSaveAsTarget = strChosen;
    commandAction("File.Save")->trigger();
    QCOMPARE(activeDocument()->getFileName(), strChosen);
    QCOMPARE(recentFiles(), (QStringList{strChosen, strOlder}));
    QVERIFY(!commandAction("File.Save")->isEnabled());
}

void tst_FileCommands::failedSaveAsKeepsSaveEnabled()
{
    m_pFactory->m_strNewFilePath = path(QStringLiteral("temp.zelto"));
    commandAction("File.New")->trigger();
    QVERIFY(commandAction("File.Save")->isEnabled());

    // The user cancels the file dialog.
    commandAction("File.Save")->trigger();
    QVERIFY(commandAction("File.Save")->isEnabled());
    commandAction("File.SaveAs.Project")->trigger();
    QVERIFY(commandAction("File.Save")->isEnabled());
    QCOMPARE(recentFiles(), QStringList{path(QStringLiteral("temp.zelto"))});
}

void tst_FileCommands::saveOfSavedProject()
{
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("a.zelto"))));
    auto *pDocument = qobject_cast<FactoryDocument *>(activeDocument());
    pDocument->edit();
    QVERIFY(commandAction("File.Save")->isEnabled());

    // A failed save leaves Save on, so the user can try again.
    m_pFactory->m_bSaveSucceeds = false;
    commandAction("File.Save")->trigger();
    QCOMPARE(pDocument->m_nSaveCount, 1);
    QVERIFY(commandAction("File.Save")->isEnabled());

    m_pFactory->m_bSaveSucceeds = true;
    commandAction("File.Save")->trigger();
    QCOMPARE(pDocument->m_nSaveCount, 2);
    QVERIFY(!commandAction("File.Save")->isEnabled());

    // Save As of a named project keeps the old name in the list.
    const QString strOld = pDocument->getFileName();
    m_pFactory->m_strSaveAsTarget = path(QStringLiteral("copy.zelto"));
    commandAction("File.SaveAs.Project")->trigger();
    QCOMPARE(recentFiles(), (QStringList{path(QStringLiteral("copy.zelto")), strOld}));
}

void tst_FileCommands::closeLastProject()
{
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("a.zelto"))));
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("b.zelto"))));
    QSignalSpy titleSpy(m_pWindow, &MainWindow::updateWindowFilePath);
    QMenu *pSaveAsMenu = ActionManager::getActionContainer(QStringLiteral("File.SaveAs"))->getMenu();

    commandAction("File.Close")->trigger();
    QCOMPARE(EditorManager::getEditors().size(), 1);
    QVERIFY(pSaveAsMenu->isEnabled());
    QVERIFY(commandAction("File.Close")->isEnabled());

    QPointer<FactoryDocument> pLast = qobject_cast<FactoryDocument *>(activeDocument());
    pLast->setIsTempDocument(true);
    pLast->getUndoStack()->setClean();
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);   // do not keep the temporary project
    commandAction("File.Close")->trigger();
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());
    QVERIFY(DocumentManager::getDocuments().isEmpty());
    QVERIFY(pLast.isNull());
    QCOMPARE(m_pFactory->m_nCleanTempCount, 1);

    QVERIFY(!titleSpy.isEmpty());
    QCOMPARE(titleSpy.last().first().toString(), QString());
    QVERIFY(!pSaveAsMenu->isEnabled());
    QVERIFY(!commandAction("File.Close")->isEnabled());
    QVERIFY(!commandAction("File.Save")->isEnabled());
    QVERIFY(!commandAction("File.SaveAs.Project")->isEnabled());
}

void tst_FileCommands::quitWithSecondPromptCancelled()
{
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("first.zelto"))));
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("second.zelto"))));
    QPointer<FactoryDocument> pFirst = m_pFactory->m_lstDocuments.at(0);
    QPointer<FactoryDocument> pSecond = m_pFactory->m_lstDocuments.at(1);
    pFirst->edit();
    pSecond->edit();

    // The last opened project is asked first.
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    answerer.answer(QMessageBox::Cancel);
    m_pWindow->show();
    QVERIFY(!m_pWindow->close());

    QCOMPARE(answerer.records().size(), 2);
    QVERIFY(answerer.records().at(0).text.contains(QStringLiteral("second")));
    QVERIFY(answerer.records().at(1).text.contains(QStringLiteral("first")));
    // The No belonged to a quit that did not happen: nothing was closed.
    QVERIFY(pSecond);
    QVERIFY(pFirst);
    QCOMPARE(EditorManager::getEditors().size(), 2);
    QVERIFY(m_pWindow->isVisible());
}

void tst_FileCommands::forceQuitClosesWithoutAsking()
{
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("a.zelto"))));
    QPointer<FactoryDocument> pDocument = m_pFactory->m_lstDocuments.first();
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("b.zelto"))));
    // Unchanged projects: their close() asks nothing.
    m_pWindow->forceQuit();
    QVERIFY(pDocument.isNull());
    QVERIFY(EditorManager::getEditors().isEmpty());
}

void tst_FileCommands::argumentsThatAreNotProjects()
{
    const QString strProject = project(QStringLiteral("p.zelto"));
    ExtensionSystem::PluginManager::setArguments(
        {project(QStringLiteral("one.txt")), strProject, project(QStringLiteral("two.png"))});
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    answerer.answer(QMessageBox::Ok);
    QVERIFY(QMetaObject::invokeMethod(m_pWindow, "openFilesPassedAsArguments"));
    ExtensionSystem::PluginManager::setArguments(QStringList());

    QCOMPARE(answerer.records().size(), 2);
    for (const TestSupport::ModalRecord &record : answerer.records())
        QCOMPARE(record.text, kCannotOpen);
    QCOMPARE(EditorManager::getEditors().size(), 1);
    QCOMPARE(activeDocument()->getFileName(), strProject);
}

void tst_FileCommands::dropOpensFirstProjectOnly()
{
    const QString strFirst = project(QStringLiteral("First.ZELTO"));
    const QString strSecond = project(QStringLiteral("second.zelto"));
    QWidget workArea;

    QMimeData mimeData;
    mimeData.setUrls({QUrl::fromLocalFile(strFirst), QUrl::fromLocalFile(strSecond)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mimeData, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QObject *pFilter = m_pWindow;
    QVERIFY(pFilter->eventFilter(&workArea, &drop));

    QVERIFY(drop.isAccepted());
    QCOMPARE(EditorManager::getEditors().size(), 1);
    QCOMPARE(activeDocument()->getFileName(), strFirst);
}

void tst_FileCommands::statusTextBelongsToItsProject()
{
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("a.zelto"))));
    IDocument *pBackground = activeDocument();
    QVERIFY(m_pWindow->loadFile(project(QStringLiteral("b.zelto"))));
    auto *pActive = qobject_cast<FactoryDocument *>(activeDocument());
    QVERIFY(pActive);

    emit pActive->statusChanged(QStringLiteral("Scene 2 of 3"));
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QStringLiteral("Scene 2 of 3"));
    emit pBackground->statusChanged(QStringLiteral("Saved a."));
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QStringLiteral("Scene 2 of 3"));

    // Each tab brings its own project's text.
    EditorManager::activateEditor(EditorManager::getEditorOfDocument(pBackground));
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QStringLiteral("Saved a."));
    EditorManager::activateEditor(EditorManager::getEditorOfDocument(pActive));
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QStringLiteral("Scene 2 of 3"));

    // The next edit makes the text out of date.
    pActive->edit();
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QString());
    EditorManager::activateEditor(EditorManager::getEditorOfDocument(pBackground));
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QStringLiteral("Saved a."));
}

void tst_FileCommands::captionFollowsActiveTab()
{
    QSignalSpy pathSpy(m_pWindow, &MainWindow::updateWindowFilePath);
    QSignalSpy modifiedSpy(m_pWindow, &MainWindow::updateModified);
    QMdiSubWindow tab;
    tab.setWindowFilePath(QStringLiteral("/projects/a.zelto"));
    tab.setWindowModified(true);
    QVERIFY(QMetaObject::invokeMethod(m_pWindow, "updateActivatedMdiSubFilePath",
                                      Q_ARG(QMdiSubWindow *, &tab)));
    QCOMPARE(pathSpy.count(), 1);
    QCOMPARE(pathSpy.first().first().toString(), QStringLiteral("/projects/a.zelto"));
    QCOMPARE(modifiedSpy.count(), 1);
    QCOMPARE(modifiedSpy.first().first().toBool(), true);

    // The last tab went away: the caption stays as the closing left it.
    QVERIFY(QMetaObject::invokeMethod(m_pWindow, "updateActivatedMdiSubFilePath",
                                      Q_ARG(QMdiSubWindow *, nullptr)));
    QCOMPARE(pathSpy.count(), 1);
}

void tst_FileCommands::secondInstanceReachesLoadFile()
{
    // The plug-in brings its own main window.
    m_pWindow->close();
    delete m_pWindow;
    m_pWindow = nullptr;

    const QString strFile = project(QStringLiteral("work/rel.zelto"));
    {
        CorePlugin plugin;
        plugin.secondInstanceCommand(QStringList(), path(QStringLiteral("work")), {QStringLiteral("rel.zelto")});
        QCOMPARE(EditorManager::getEditors().size(), 1);
        QCOMPARE(activeDocument()->getFileName(), strFile);
        ICore::getMainWindow()->close();
    }
    m_pWindow = new MainWindow;
}

void tst_FileCommands::everyDocumentTypeServedAlike()
{
    // Alone, a type is created without a question.
    m_pFactory->m_bNewIsTemp = false;
    m_pFactory->m_strNewFilePath = path(QStringLiteral("alone.zelto"));
    {
        TestSupport::ModalAnswerer unexpected;
        unexpected.reject();
        commandAction("File.New")->trigger();
        QCOMPARE(unexpected.records().size(), 0);
    }
    QCOMPARE(activeDocument()->getFileName(), path(QStringLiteral("alone.zelto")));

    TestDocumentFactory notes;
    notes.m_lstSuffixes = QStringList{QStringLiteral("note")};
    notes.m_strTypeName = QStringLiteral("Note");
    notes.m_bNewIsTemp = false;
    m_pFactory->m_strTypeName = QStringLiteral("Project");
    ExtensionSystem::PluginManager::addObject(&notes);

    // A second type opens by a drop and from the welcome page, as the first does.
    const QString strDropped = project(QStringLiteral("dropped.note"));
    QMimeData mimeData;
    mimeData.setUrls({QUrl::fromLocalFile(strDropped)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mimeData, Qt::LeftButton, Qt::NoModifier);
    QWidget workArea;
    QVERIFY(static_cast<QObject *>(m_pWindow)->eventFilter(&workArea, &drop));
    QCOMPARE(notes.m_lstDocuments.size(), 1);
    QCOMPARE(activeDocument()->getFileName(), strDropped);
    const QString strListed = project(QStringLiteral("listed.note"));
    IRecentFilesManager::getInstance()->addFile(strListed);
    m_pWindow->getMdiArea()->openFile(strListed);
    QCOMPARE(notes.m_lstDocuments.size(), 2);
    QCOMPARE(activeDocument()->getFileName(), strListed);

    // New asks for the type, Open filters for each and for all.
    TestSupport::ModalAnswerer answerer;
    QStringList lstOffered;
    answerer.answerWith([&lstOffered](QWidget *pWidget) {
        if (auto *pDialog = qobject_cast<QInputDialog *>(pWidget)) {
            lstOffered = pDialog->comboBoxItems();
            pDialog->setTextValue(QStringLiteral("Note"));
            pDialog->accept();
        } else {
            pWidget->close();
        }
    });
    notes.m_strNewFilePath = path(QStringLiteral("new.note"));
    commandAction("File.New")->trigger();
    QCOMPARE(lstOffered, (QStringList{QStringLiteral("Project"), QStringLiteral("Note")}));
    QCOMPARE(notes.m_lstDocuments.size(), 3);
    QCOMPARE(activeDocument()->getFileName(), path(QStringLiteral("new.note")));
    QStringList lstFilters;
    answerer.answerWith([&lstFilters](QWidget *pWidget) {
        if (auto *pDialog = qobject_cast<QFileDialog *>(pWidget))
            lstFilters = pDialog->nameFilters();
        pWidget->close();
    });
    commandAction("File.Open_Project")->trigger();
    QCOMPARE(lstFilters, (QStringList{QStringLiteral("All supported files (*.zelto *.zeltopack *.note)"),
                                      QStringLiteral("Project (*.zelto *.zeltopack)"),
                                      QStringLiteral("Note (*.note)")}));

    // And when another start of the application hands it over.
    m_pWindow->close();
    delete m_pWindow;
    m_pWindow = nullptr;
    const QString strHanded = project(QStringLiteral("handed.note"));
    {
        CorePlugin plugin;
        plugin.secondInstanceCommand(QStringList(), QString(), {strHanded});
        QCOMPARE(notes.m_lstDocuments.size(), 4);
        QCOMPARE(activeDocument()->getFileName(), strHanded);
        ICore::getMainWindow()->close();
    }
    m_pWindow = new MainWindow;
    m_pFactory->m_strTypeName.clear();
    ExtensionSystem::PluginManager::removeObject(&notes);
}

QTEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
