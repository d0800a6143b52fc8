// The scene plug-in inside a real main window: commands pressed by their
// identifiers, dialogs answered as a user would, projects created, edited,
// saved, closed, reopened, restored, exported and previewed.
#include "newscenedialog.h"
#include "sceneclipboard.h"
#include "scenecommandhandler.h"
#include "scenedocument.h"
#include "scenedocumentfactory.h"
#include "sceneeditor.h"
#include "sceneeditorwidget.h"
#include "sceneoptionsdialog.h"
#include "sceneplayer.h"
#include "scenesettings.h"
#include "timelineview.h"
#include "timelinewidget.h"
#include "breakpointsoptionpage.h"
#include "generaloptionpage.h"
#include "shortcutsoptionpage.h"
#include "stagehandles.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/coreids.h"
#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/updater/qsimpleupdater.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeWidget>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUndoView>
#include <QtTest>

// The commands (New, Save, Close, Recent Projects...) are pressed as a user
// would; a command that is missing or disabled fails the test.
#define TRIGGER(id)                                                                                  \
    do {                                                                                             \
        ContextAction *pCommand_ = ActionManager::getAction(QStringLiteral(id));                    \
        QVERIFY2(pCommand_, "There is no command " id);                                              \
        QVERIFY2(pCommand_->getAction()->isEnabled(), id " is disabled");                           \
        pCommand_->getAction()->trigger();                                                           \
    } while (false)

namespace {

// A drag with the left button, as the mouse does it, in five steps.
void drag(QWidget *pWidget, const QPoint &from, const QPoint &to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, pWidget->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(pWidget, &press);
    for (int i = 1; i <= 5; ++i) {
        const QPoint pos = from + (to - from) * i / 5;
        QMouseEvent move(QEvent::MouseMove, pos, pWidget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(pWidget, &move);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, to, pWidget->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(pWidget, &release);
}

} // namespace

class tst_SceneApp : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the web browser.
    void openUrl(const QUrl &url) { m_lstOpenedUrls.append(url); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void createEditSaveCloseAndReopen();
    void undoAndRedoFollowTheFocusedEditor();
    void undoIsNamedAndFieldsUndoFirst();
    void keyboardAddsMovesAndSwitches();
    void saveUndoAndTabsFollowTheProjectInFront();
    void shortcutsHaveOneOwnerAndWork();
    void dragMovesAsOneUndoableStep();
    void handlesResizeAndRotate();
    void clipboardCarriesItemsBetweenProjects();
    void itemsAreRenamedRestackedHiddenAndLocked();
    void autoKeyAnimatesAndUndoes();
    void timelineEditsKeyframesAndPlays();
    void scenesAreAddedOrderedAndDeleted();
    void newProjectDialogValidates_data();
    void newProjectDialogValidates();
    void restoredProjectOffersRevert();
    void closingTheSubwindowAsksToSave();
    void imagesTravelWithTheProject();
    void exportAndPreview();
    void aboutAndUpdateCheck();
    void shortcutSurvivesRestart();
    void conflictingShortcutsAreNotSaved();
    void keyFieldSpeaksTheUsersLanguage();
    void guideNamesEveryDefaultKey();
    void preferencesChangeBackupAndBreakpoints();
    void preferencesScheduleUpdateChecks();

private:
    void startWindow();
    SceneEditor *createProject(const QString &strName, int nWidth = 800, int nHeight = 600);
    SceneEditor *activeEditor() const;
    void screenshot(QWidget *pWidget, const QString &strName);

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
    SceneDocumentFactory *m_pFactory = nullptr;
    SceneCommandHandler *m_pHandler = nullptr;
    QTemporaryDir *m_pDir = nullptr;
    QList<QUrl> m_lstOpenedUrls;
};

void tst_SceneApp::startWindow()
{
    // What the host does with the core and scene plug-ins, in that order.
    m_pWindow = new MainWindow();
    m_pFactory = new SceneDocumentFactory();
    ExtensionSystem::PluginManager::addObject(m_pFactory);
    m_pHandler = new SceneCommandHandler();
    m_pHandler->connectCommands();
    m_pWindow->resize(1200, 800);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
}

void tst_SceneApp::initTestCase()
{
    // What zelto's main() and then the core plug-in do first.
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.0"));
    ILanguageManager::getInstance().initialize();
    IThemesManager::getInstance().initialize();
    const QString strTheme = qEnvironmentVariable("ZELTO_SCREENSHOT_THEME");
    if (!strTheme.isEmpty()) {
        QFile styleSheet(QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/resources/styles/zelto_")
                         + strTheme + QStringLiteral(".qss"));
        if (styleSheet.open(QIODevice::ReadOnly))
            qApp->setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
    }
}

void tst_SceneApp::init()
{
    m_pDir = new QTemporaryDir();
    m_lstOpenedUrls.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    startWindow();
}

void tst_SceneApp::cleanup()
{
    // Nothing may ask questions on the way out.
    for (IEditor *pEditor : EditorManager::getEditors())
        pEditor->getDocument()->getUndoStack()->setClean();
    m_pWindow->close();
    delete m_pWindow;
    ExtensionSystem::PluginManager::removeObject(m_pFactory);
    delete m_pFactory;
    delete m_pHandler;
    delete m_pDir;
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

SceneEditor *tst_SceneApp::activeEditor() const
{
    return qobject_cast<SceneEditor *>(EditorManager::activeEditor());
}

void tst_SceneApp::screenshot(QWidget *pWidget, const QString &strName)
{
    const QString strFolder = qEnvironmentVariable("ZELTO_SCREENSHOT_DIR");
    if (strFolder.isEmpty())
        return;
    QDir().mkpath(strFolder);
    QCoreApplication::processEvents();
    const QString strTheme = qEnvironmentVariable("ZELTO_SCREENSHOT_THEME");
    pWidget->grab().save(QDir(strFolder).filePath(strName + (strTheme.isEmpty() ? QString() : QLatin1Char('-') + strTheme)
                                                   + QStringLiteral(".png")));
}

SceneEditor *tst_SceneApp::createProject(const QString &strName, int nWidth, int nHeight)
{
    ContextAction *pNew = ActionManager::getAction(QStringLiteral("File.New"));
    if (!pNew) {
        QTest::qFail("There is no command File.New", __FILE__, __LINE__);
        return nullptr;
    }
    TestSupport::ModalAnswerer answerer;
    bool bAnswered = false;
    answerer.answerWith([&](QWidget *pWidget) {
        auto *pDialog = qobject_cast<NewSceneDialog *>(pWidget);
        QVERIFY2(pDialog, qPrintable(QStringLiteral("File.New showed a %1").arg(pWidget->metaObject()->className())));
        pDialog->setFolder(m_pDir->path());
        pDialog->setProjectName(strName);
        pDialog->setStage(nWidth, nHeight, 30, false);
        screenshot(pDialog, QStringLiteral("new-project"));
        pDialog->accept();
        bAnswered = true;
    });
    pNew->getAction()->trigger();
    if (!answerer.waitForAnswers(1) || !bAnswered) {
        QTest::qFail("File.New did not ask for the new project with its dialog", __FILE__, __LINE__);
        return nullptr;
    }
    return activeEditor();
}

void tst_SceneApp::createEditSaveCloseAndReopen()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("first"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneDocument *pDocument = pEditor->getSceneDocument();
    const QString strFile = m_pDir->filePath(QStringLiteral("first.zelto"));
    QCOMPARE(pDocument->getFileName(), strFile);
    QVERIFY(QFile::exists(strFile));   // a new project is written at once
    QCOMPARE(pDocument->project().m_nWidth, 800);

    SceneEditorWidget *pWidget = pEditor->getWidget();
    QVERIFY(pWidget && pWidget->isVisible());
    QVERIFY(m_pWindow->findChild<QMdiArea *>()->subWindowList().size() == 1);
    pWidget->addRectangle();
    pWidget->addEllipse();
    pWidget->addText();
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 3);
    QVERIFY(pDocument->isModified());
    screenshot(m_pWindow, QStringLiteral("editor"));

    // Delete the selected text with the Delete key, then undo it.
    pWidget->view()->setFocus();
    QTest::keyClick(pWidget->view(), Qt::Key_Delete);
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 2);
    pDocument->getUndoStack()->undo();
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 3);

    TRIGGER("File.Save");
    QVERIFY(!pDocument->isModified());
    TRIGGER("File.Close");
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());

    // The recent projects menu is refreshed when it is built; this run added
    // the project after that.
    m_pWindow->updateRecentFileActions();
    TRIGGER("File.Recent_Projects.Project_1");
    SceneEditor *pReopened = activeEditor();
    QVERIFY(pReopened);
    QCOMPARE(pReopened->getSceneDocument()->getFileName(), strFile);
    QCOMPARE(pReopened->getSceneDocument()->project().m_lstScenes[0].lstItems.size(), 3);
    QCOMPARE(m_pWindow->statusBar()->currentMessage(), QStringLiteral("Opened first."));
    QVERIFY(!pReopened->getSceneDocument()->isModified());
}

void tst_SceneApp::undoAndRedoFollowTheFocusedEditor()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("undo"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    pWidget->addRectangle();
    pWidget->addEllipse();
    pWidget->view()->setFocus();
    QTRY_VERIFY(pWidget->view()->hasFocus());

    ContextAction *pUndo = ActionManager::getAction(QStringLiteral("Edit.Undo"));
    QVERIFY(pUndo);
    // Undo and Redo stand before Preferences in the Edit menu.
    if (ActionContainer *pEdit = ActionManager::getActionContainer(QStringLiteral("MenuBar.Edit"))) {
        const QList<QAction *> lstActions = pEdit->getMenu()->actions();
        const int nUndo = lstActions.indexOf(pUndo->getAction());
        const int nRedo = lstActions.indexOf(ActionManager::getAction(QStringLiteral("Edit.Redo"))->getAction());
        const int nPreferences = lstActions.indexOf(ActionManager::getAction(QStringLiteral("Edit.Preferences"))->getAction());
        QVERIFY(nUndo >= 0 && nUndo < nRedo && nRedo < nPreferences);
    }
    QCOMPARE(pUndo->getDefaultKeySequence(), QKeySequence(QKeySequence::Undo));
    TRIGGER("Edit.Undo");
    QCOMPARE(pEditor->getSceneDocument()->project().m_lstScenes[0].lstItems.size(), 1);
    TRIGGER("Edit.Redo");
    QCOMPARE(pEditor->getSceneDocument()->project().m_lstScenes[0].lstItems.size(), 2);

    // The shortcut reaches the command too.
    QTest::keySequence(m_pWindow->windowHandle() ? static_cast<QWidget *>(pWidget->view()) : pWidget,
                       pUndo->getKeySequence());
    QTRY_COMPARE(pEditor->getSceneDocument()->project().m_lstScenes[0].lstItems.size(), 1);
}

void tst_SceneApp::undoIsNamedAndFieldsUndoFirst()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("named"));
    QVERIFY(pEditor);
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QAction *pUndo = ActionManager::getAction(QStringLiteral("Edit.Undo"))->getAction();
    QAction *pRedo = ActionManager::getAction(QStringLiteral("Edit.Redo"))->getAction();
    QCOMPARE(pUndo->text(), QStringLiteral("&Undo"));
    QVERIFY(!pUndo->isEnabled());

    // The menu entries are named after the step they undo and redo.
    pWidget->addRectangle();
    QCOMPARE(pUndo->text(), QStringLiteral("&Undo Add Rectangle"));
    pWidget->moveSelected(5, 0);
    QCOMPARE(pUndo->text(), QStringLiteral("&Undo Move"));
    pUndo->trigger();
    QCOMPARE(pRedo->text(), QStringLiteral("&Redo Move"));
    pWidget->addText();
    auto *pFont = pWidget->findChild<QSpinBox *>(QStringLiteral("m_pFontSpin"));
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    pFont->setFocus();
    QTRY_VERIFY(pFont->hasFocus());
    pFont->selectAll();
    QTest::keyClicks(pFont, QStringLiteral("44"));
    QTest::keyClick(pFont, Qt::Key_Return);
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.last().nFontSize, 44);
    QCOMPARE(pUndo->text(), QStringLiteral("&Undo Change Font Size"));

    // With the focus in a field, its own typing goes first, then the project's steps.
    QTest::keyClick(pFont, Qt::Key_End);
    QTest::keyClicks(pFont, QStringLiteral("0"));
    QCOMPARE(pFont->text(), QStringLiteral("440"));
    QCOMPARE(pUndo->text(), QStringLiteral("&Undo Typing"));
    pUndo->trigger();
    QCOMPARE(pFont->text(), QStringLiteral("44"));
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.last().nFontSize, 44);
    pUndo->trigger();
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.last().nFontSize, pDocument->project().m_nHeight / 12);
    QTRY_VERIFY(pFont->hasFocus());
    // The key does the same, though the field claims it first.
    QTest::keySequence(pFont, pUndo->shortcut());
    QTRY_COMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 1);   // the text is gone

    // The history lists every step and hides with View > Undo History.
    QUndoView *pHistory = pWidget->undoHistory();
    QVERIFY(pHistory->isVisible());
    QCOMPARE(pHistory->model()->rowCount(), pDocument->getUndoStack()->count() + 1);
    QCOMPARE(pHistory->model()->index(1, 0).data().toString(), QStringLiteral("Add Rectangle"));
    ContextAction *pToggle = ActionManager::getAction(QStringLiteral("Scene.Undo_History"));
    QVERIFY(pToggle);
    QVERIFY(ActionManager::getActionContainer(QStringLiteral("MenuBar.View"))->getMenu()->actions().contains(
        pToggle->getAction()));
    pWidget->view()->setFocus();
    QTRY_VERIFY(pToggle->getAction()->isEnabled());
    pToggle->getAction()->trigger();
    QVERIFY(!pHistory->isVisible());
    QVERIFY(!SceneSettings::showUndoHistory());
    pToggle->getAction()->trigger();
    QVERIFY(pHistory->isVisible());
}

void tst_SceneApp::keyboardAddsMovesAndSwitches()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pA = createProject(QStringLiteral("keys a"));
    SceneEditor *pB = createProject(QStringLiteral("keys b"));
    QVERIFY(pA && pB);
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    QGraphicsView *pView = pB->getWidget()->view();
    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());
    const auto items = [pB]() { return pB->getSceneDocument()->project().m_lstScenes[0].lstItems; };

    // A letter adds a shape, which is selected and moves with the arrow keys.
    QTest::keyClick(pView, Qt::Key_R);
    QTRY_COMPARE(items().size(), 1);
    QCOMPARE(items().at(0).type, SceneItem::Rectangle);
    const QPointF start = items().at(0).rect.topLeft();
    QTest::keyClick(pView, Qt::Key_Right);
    QTest::keyClick(pView, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(items().at(0).rect.topLeft(), start + QPointF(1, 10));
    QTest::keyClick(pView, Qt::Key_E);
    QTest::keyClick(pView, Qt::Key_T);
    QTRY_COMPARE(items().size(), 3);
    QCOMPARE(items().at(1).type, SceneItem::Ellipse);
    QCOMPARE(items().at(2).type, SceneItem::Text);
    TestSupport::ModalAnswerer answerer;
    answerer.reject();
    QTest::keyClick(pView, Qt::Key_I);
    QVERIFY(answerer.waitForAnswers(1));
    QCOMPARE(answerer.records().at(0).className, QStringLiteral("QFileDialog"));
    QCOMPARE(ActionManager::getAction(QStringLiteral("Scene.Add_Image"))->getDescription(),
             QStringLiteral("Add an image file to the scene"));

    // Ctrl+Tab and Ctrl+Shift+Tab go from project to project.
    pView->setFocus();
    QTest::keyClick(pView, Qt::Key_Tab, Qt::ControlModifier);
    QTRY_COMPARE(activeEditor(), pA);
    QTest::keyClick(pA->getWidget()->view(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(activeEditor(), pB);
}

void tst_SceneApp::saveUndoAndTabsFollowTheProjectInFront()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pA = createProject(QStringLiteral("a"));
    SceneEditor *pB = createProject(QStringLiteral("b"));
    QVERIFY(pA && pB);
    QTabBar *pTabs = m_pWindow->findChild<QMdiArea *>()->findChild<QTabBar *>();
    QAction *pSave = ActionManager::getAction(QStringLiteral("File.Save"))->getAction();
    SceneDocument *pDocumentA = pA->getSceneDocument();

    // A click on A's tab, then an edit of A: Save and the menu's Undo act on A.
    pTabs->setCurrentIndex(0);
    QTRY_COMPARE(activeEditor(), pA);
    pA->getWidget()->addRectangle();
    QVERIFY(pSave->isEnabled());
    ActionManager::setContext(m_pWindow);
    TRIGGER("Edit.Undo");
    QVERIFY(pDocumentA->project().m_lstScenes.first().lstItems.isEmpty());
    QVERIFY(!pSave->isEnabled());

    // Closing B, in front, leaves A a full tab with its caption, whose edits
    // reach Save and Undo.
    pTabs->setCurrentIndex(1);
    QTRY_COMPARE(activeEditor(), pB);
    TRIGGER("File.Close");
    QTRY_COMPARE(activeEditor(), pA);
    QTRY_VERIFY(qobject_cast<QMdiSubWindow *>(pA->getWidget()->parentWidget())->isMaximized());
    QVERIFY(m_pWindow->menuWidget()->windowTitle().startsWith(pDocumentA->getFileName()));
    pA->getWidget()->addEllipse();
    QVERIFY(pSave->isEnabled());
    QCOMPARE(DocumentManager::getUndoGroup()->activeStack(), pDocumentA->getUndoStack());
}

void tst_SceneApp::shortcutsHaveOneOwnerAndWork()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pA = createProject(QStringLiteral("a"));
    SceneEditor *pB = createProject(QStringLiteral("b"));
    QVERIFY(pA && pB);

    // Every command's proxy fires from anywhere in the window; any other
    // action of the window that holds the same key makes both ambiguous.
    QSet<QAction *> setActions;
    for (QAction *pAction : m_pWindow->findChildren<QAction *>())
        setActions.insert(pAction);
    for (ContextAction *pCommand : ActionManager::getActions())
        setActions.insert(pCommand->getAction());
    QSet<QAction *> setInWidgets;
    QList<QWidget *> lstWidgets = m_pWindow->findChildren<QWidget *>();
    lstWidgets.append(m_pWindow);
    for (QWidget *pWidget : qAsConst(lstWidgets)) {
        for (QAction *pAction : pWidget->actions())
            setInWidgets.insert(pAction);
    }
    QMultiMap<QString, QString> mapOwners;
    for (QAction *pAction : qAsConst(setActions)) {
        if (!setInWidgets.contains(pAction))
            continue;   // in no widget: no key reaches it
        for (const QKeySequence &key : pAction->shortcuts())
            mapOwners.insert(key.toString(QKeySequence::PortableText),
                             pAction->objectName().isEmpty() ? pAction->text() : pAction->objectName());
    }
    for (ContextAction *pCommand : ActionManager::getActions()) {
        for (const QKeySequence &key : pCommand->getAction()->shortcuts()) {
            const QStringList lstOwners = mapOwners.values(key.toString(QKeySequence::PortableText));
            QVERIFY2(lstOwners.size() == 1, qPrintable(key.toString() + QStringLiteral(": ") + lstOwners.join(", ")));
        }
    }

    // The keys the menus and the README show close the project in front.
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    pB->getWidget()->view()->setFocus();
    QTest::keyClick(pB->getWidget()->view(), Qt::Key_W, Qt::ControlModifier);
    QTRY_COMPARE(EditorManager::getEditors().size(), 1);
    QTRY_COMPARE(activeEditor(), pA);
    pA->getWidget()->view()->setFocus();
    QTest::keyClick(pA->getWidget()->view(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());
    QCOMPARE(ActionManager::getAction(QStringLiteral("File.SaveAs.Project"))->getKeySequence(),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

void tst_SceneApp::dragMovesAsOneUndoableStep()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("drag"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    pWidget->addRectangle();
    const QRectF before = pDocument->project().m_lstScenes[0].lstItems.at(0).rect;
    QGraphicsView *pView = pWidget->view();
    QTRY_VERIFY(pView->isVisible());
    QCoreApplication::processEvents();

    // Away from the handles, which sit on the edges.
    drag(pView->viewport(), pView->mapFromScene(before.center()),
         pView->mapFromScene(before.center() + QPointF(100, 50)));

    QTRY_VERIFY(pDocument->project().m_lstScenes[0].lstItems.at(0).rect.topLeft() != before.topLeft());
    const QRectF after = pDocument->project().m_lstScenes[0].lstItems.at(0).rect;
    QVERIFY(qAbs(after.x() - before.x() - 100) < 5);
    QVERIFY(qAbs(after.y() - before.y() - 50) < 5);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(pDocument->getUndoStack()->count(), 2);   // add, move
    pDocument->getUndoStack()->undo();
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.at(0).rect, before);

    // Resizing through the property panel is one step as well.
    pWidget->selectIds({pDocument->project().m_lstScenes[0].lstItems.at(0).strId});
    pWidget->setSelectedGeometry(QRectF(before.topLeft(), QSizeF(300, 40)));
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.at(0).rect.size(), QSizeF(300, 40));
    QCOMPARE(pDocument->getUndoStack()->undoText(), QStringLiteral("Resize"));
}

void tst_SceneApp::handlesResizeAndRotate()
{
    SceneEditor *pEditor = createProject(QStringLiteral("handles"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QUndoStack *pStack = pDocument->getUndoStack();
    pWidget->addRectangle();
    const auto item = [&]() { return pDocument->project().m_lstScenes[0].lstItems.at(0); };
    const QRectF start = item().rect;
    QGraphicsView *pView = pWidget->view();
    QTRY_VERIFY(pView->isVisible());
    QCoreApplication::processEvents();
    const StageHandles &handles = pWidget->handles();
    QVERIFY(handles.isVisible());
    // Dragged to a place on the stage, or by stage pixels; the view at its own zoom.
    const auto dragHandleTo = [&](StageHandles::Kind kind, const QPointF &to, Qt::KeyboardModifiers modifiers) {
        drag(pView->viewport(), handles.viewPosition(kind, pView), pView->mapFromScene(to), modifiers);
    };
    const auto dragHandle = [&](StageHandles::Kind kind, const QPointF &by, Qt::KeyboardModifiers modifiers) {
        dragHandleTo(kind, pView->mapToScene(handles.viewPosition(kind, pView)) + by, modifiers);
    };
    const auto rectText = [](const QRectF &rect) {
        return QStringLiteral("%1, %2 %3 × %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
    };
    // Within what a screen pixel is on the stage, twice over around the centre.
    const auto near = [](const QRectF &a, const QRectF &b) {
        return qAbs(a.x() - b.x()) <= 4 && qAbs(a.y() - b.y()) <= 4 && qAbs(a.width() - b.width()) <= 4
               && qAbs(a.height() - b.height()) <= 4;
    };

    // A corner: the opposite one stays.
    dragHandle(StageHandles::BottomRight, QPointF(60, 40), Qt::NoModifier);
    QVERIFY2(near(item().rect, start.adjusted(0, 0, 60, 40)), qPrintable(rectText(item().rect)));
    QCOMPARE(pStack->undoText(), QStringLiteral("Resize"));
    QCOMPARE(pStack->count(), 2);   // add, resize

    // Shift keeps the aspect ratio; Alt resizes around the centre.
    const QRectF resized = item().rect;
    dragHandle(StageHandles::Right, QPointF(resized.width() / 2, 0), Qt::ShiftModifier);
    QVERIFY2(near(item().rect, QRectF(resized.x(), resized.center().y() - resized.height() * 0.75,
                                      resized.width() * 1.5, resized.height() * 1.5)),
             qPrintable(rectText(item().rect)));
    pStack->undo();
    dragHandle(StageHandles::Top, QPointF(0, -30), Qt::AltModifier);
    QVERIFY2(near(item().rect, resized.adjusted(0, -30, 0, 30)), qPrintable(rectText(item().rect)));
    pStack->undo();

    // The knob above turns it; Shift snaps to 15 degrees.
    const QPointF centre = item().rect.center();
    dragHandleTo(StageHandles::Rotate, centre + QPointF(200, 3), Qt::ShiftModifier);
    QCOMPARE(item().dRotation, 90.0);
    QCOMPARE(pStack->undoText(), QStringLiteral("Rotate"));
    QCOMPARE(item().rect, resized);
    // Turned, a side still stays where it was.
    const QPoint leftSide = handles.viewPosition(StageHandles::Left, pView);
    dragHandle(StageHandles::Right, QPointF(0, 50), Qt::NoModifier);   // the right side points down now
    QVERIFY2(qAbs(item().rect.width() - (resized.width() + 50)) <= 4, qPrintable(rectText(item().rect)));
    QVERIFY((handles.viewPosition(StageHandles::Left, pView) - leftSide).manhattanLength() <= 3);
    pStack->undo();
    pStack->undo();

    // They keep their size on the screen at every zoom.
    QGraphicsItem *pHandle = pView->itemAt(handles.viewPosition(StageHandles::TopLeft, pView));
    QVERIFY(pHandle);
    const QSizeF onScreen = pHandle->deviceTransform(pView->viewportTransform()).mapRect(pHandle->boundingRect()).size();
    pView->scale(3, 3);
    QCOMPARE(pHandle->deviceTransform(pView->viewportTransform()).mapRect(pHandle->boundingRect()).size(), onScreen);
    pView->scale(1 / 3.0, 1 / 3.0);

    // With Auto-Key, a drag later in the scene keys what it changed at the playhead.
    pWidget->setAutoKey(true);
    pWidget->setTime(1);
    dragHandle(StageHandles::BottomRight, QPointF(30, 30), Qt::NoModifier);
    QCOMPARE(item().tracks[SceneItem::Width].size(), 2);
    QCOMPARE(item().tracks[SceneItem::Height].size(), 2);
    QVERIFY(item().tracks[SceneItem::X].isEmpty() && item().tracks[SceneItem::Rotation].isEmpty());
    QCOMPARE(item().valueAt(SceneItem::Width, 0).toDouble(), resized.width());
    pStack->undo();
    QVERIFY(!item().isAnimated());
}

void tst_SceneApp::clipboardCarriesItemsBetweenProjects()
{
    SceneEditor *pFrom = createProject(QStringLiteral("copy from"));
    SceneEditor *pTo = createProject(QStringLiteral("paste into"));
    QVERIFY2(pFrom && pTo, "File.New opened no scene editor");
    // Two projects: the commands that move between them are there at once.
    for (const char *pId : {CoreIds::ViewNextProject, CoreIds::ViewPreviousProject})
        QVERIFY2(ActionManager::getAction(QLatin1String(pId))->getAction()->isEnabled(), pId);
    // Going there and back leaves the focus where it was, not a field further.
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    pTo->getWidget()->view()->setFocus();
    QTRY_VERIFY(pTo->getWidget()->view()->hasFocus());
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QTRY_VERIFY(pTo->getWidget()->view()->hasFocus());
    SceneEditorWidget *pSource = pFrom->getWidget();
    SceneEditorWidget *pTarget = pTo->getWidget();
    SceneDocument *pTargetDocument = pTo->getSceneDocument();
    const auto items = [](SceneEditor *pEditor) { return pEditor->getSceneDocument()->project().m_lstScenes[0].lstItems; };
    const auto focus = [&](SceneEditorWidget *pWidget) {
        m_pWindow->findChild<QMdiArea *>()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(pWidget->parentWidget()));
        pWidget->view()->setFocus();
        QTRY_VERIFY(pWidget->view()->hasFocus());
        QCoreApplication::processEvents();
    };
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));

    // An image and an animated, named ellipse.
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString strImage = m_pDir->filePath(QStringLiteral("blue.png"));
    QVERIFY(image.save(strImage));
    QVERIFY(pSource->addImageFile(strImage));
    pSource->addEllipse();
    pSource->renameItem(QStringLiteral("item2"), QStringLiteral("Ball"));
    pSource->setAutoKey(true);
    pSource->setTime(1);
    pSource->selectIds({QStringLiteral("item2")});
    pSource->moveSelected(50, 0);
    pSource->selectAll();
    focus(pSource);
    TRIGGER("Edit.Copy");
    const QMimeData *pData = QApplication::clipboard()->mimeData();
    QVERIFY(pData->hasFormat(QLatin1String(SceneClipboard::s_mimeType)));
    QCOMPARE(pData->text(), QStringLiteral("item1 (Image)\nBall (Ellipse)"));

    // Into the other project, beside what it has: new ids, 10 px away, with
    // the keyframes and the image; one step.
    pTarget->addRectangle();
    focus(pTarget);
    TRIGGER("Edit.Paste");
    QCOMPARE(items(pTo).size(), 3);
    const SceneItem pastedImage = items(pTo).at(1), pastedBall = items(pTo).at(2);
    QCOMPARE(pastedImage.strId, QStringLiteral("item2"));
    QCOMPARE(pastedBall.strId, QStringLiteral("item3"));
    QCOMPARE(pastedBall.strName, QStringLiteral("Ball"));
    QCOMPARE(pastedImage.rect, items(pFrom).at(0).rect.translated(10, 10));
    QCOMPARE(pastedBall.valueAt(SceneItem::X, 1).toDouble(), items(pFrom).at(1).valueAt(SceneItem::X, 1).toDouble() + 10);
    QCOMPARE(pTargetDocument->project().m_mapImages.value(pastedImage.strImage),
             pFrom->getSceneDocument()->project().m_mapImages.value(items(pFrom).at(0).strImage));
    QCOMPARE(pTarget->selectedIds(), (QStringList{QStringLiteral("item2"), QStringLiteral("item3")}));
    QCOMPARE(pTargetDocument->getUndoStack()->undoText(), QStringLiteral("Paste"));
    pTargetDocument->getUndoStack()->undo();
    QCOMPARE(items(pTo).size(), 1);
    pTargetDocument->getUndoStack()->redo();

    // Duplicate is copy and paste at once, and leaves the clipboard alone.
    const QByteArray clipboard = QApplication::clipboard()->mimeData()->data(QLatin1String(SceneClipboard::s_mimeType));
    pTarget->selectIds({QStringLiteral("item3")});
    TRIGGER("Edit.Duplicate");
    QCOMPARE(items(pTo).size(), 4);
    QCOMPARE(items(pTo).at(3).rect, pastedBall.rect.translated(10, 10));
    QCOMPARE(pTargetDocument->getUndoStack()->undoText(), QStringLiteral("Duplicate"));
    QCOMPARE(QApplication::clipboard()->mimeData()->data(QLatin1String(SceneClipboard::s_mimeType)), clipboard);

    // Cut takes them away in one step.
    focus(pSource);
    pSource->selectAll();
    TRIGGER("Edit.Cut");
    QVERIFY(items(pFrom).isEmpty());
    QCOMPARE(pFrom->getSceneDocument()->getUndoStack()->undoText(), QStringLiteral("Cut"));

    // Anything else is refused with a message and changes nothing.
    focus(pTarget);
    SceneProject tooLarge;
    SceneItem picture;
    picture.strId = QStringLiteral("item1");
    picture.type = SceneItem::Image;
    picture.rect = QRectF(0, 0, 10, 10);
    picture.strImage = tooLarge.addImage("P5\n9000 9000\n255\n" + QByteArray(64, '\0'), QStringLiteral("pgm"));
    tooLarge.m_lstScenes[0].lstItems = {picture};
    QString strError;
    const struct {
        QByteArray data;
        QString strMessage;
    } refused[] = {
        {QByteArray(), QStringLiteral("The clipboard holds nothing that can be pasted into a scene.")},
        {QByteArray("damaged"), QStringLiteral("The items on the clipboard cannot be pasted: ")},
        {tooLarge.toPack(&strError), QStringLiteral("measures 9000 × 9000 pixels")},
    };
    const int nSteps = pTargetDocument->getUndoStack()->count();
    for (const auto &payload : refused) {
        auto *pRefused = new QMimeData;
        pRefused->setText(QStringLiteral("plain words"));
        if (!payload.data.isEmpty())
            pRefused->setData(QLatin1String(SceneClipboard::s_mimeType), payload.data);
        QApplication::clipboard()->setMimeData(pRefused);
        TRIGGER("Edit.Paste");
        QVERIFY2(m_pWindow->statusBar()->currentMessage().contains(payload.strMessage),
                 qPrintable(m_pWindow->statusBar()->currentMessage()));
        QCOMPARE(pTargetDocument->getUndoStack()->count(), nSteps);
    }
}

void tst_SceneApp::itemsAreRenamedRestackedHiddenAndLocked()
{
    SceneEditor *pEditor = createProject(QStringLiteral("items"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QUndoStack *pStack = pDocument->getUndoStack();
    pWidget->addRectangle();
    pWidget->addEllipse();
    pWidget->addText();
    const auto items = [&]() { return pDocument->project().m_lstScenes[0].lstItems; };
    const auto order = [&]() {
        QStringList lstIds;
        for (const SceneItem &item : items())
            lstIds.append(item.strId);
        return lstIds.join(QLatin1Char(' '));
    };
    QGraphicsView *pView = pWidget->view();
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());
    TestSupport::ModalAnswerer answerer;
    const auto answerName = [&](const QString &strName) {
        answerer.answerWith([strName](QWidget *pDialog) {
            auto *pInput = qobject_cast<QInputDialog *>(pDialog);
            QVERIFY(pInput);
            pInput->setTextValue(strName);
            pInput->accept();
        });
    };

    // F2, and a double click on the item's row, rename it.
    pWidget->selectIds({QStringLiteral("item1")});
    answerName(QStringLiteral("Ground"));
    QTest::keyClick(pView, Qt::Key_F2);
    QVERIFY(answerer.waitForAnswers(1));
    QCOMPARE(items().at(0).strName, QStringLiteral("Ground"));
    QCOMPARE(pStack->undoText(), QStringLiteral("Rename Item"));
    TimelineView *pTimeline = pWidget->timeline()->view();
    const QPoint ballRow = pTimeline->diamondCenter(QStringLiteral("item2"), -1, 0) + QPoint(-120, 0);
    QVERIFY(ballRow.x() > 0);
    answerName(QStringLiteral("Ball"));
    QTest::mouseDClick(pTimeline->viewport(), Qt::LeftButton, Qt::NoModifier, ballRow);
    QVERIFY(answerer.waitForAnswers(2));
    QCOMPARE(items().at(1).strName, QStringLiteral("Ball"));

    // The stacking keys move the selection through the order, back to front.
    pWidget->selectIds({QStringLiteral("item1")});
    m_pWindow->activateWindow();   // the dialogs took it away
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());
    const struct {
        QKeySequence key;
        const char *pOrder;
        const char *pStep;
    } steps[] = {
        {QKeySequence(QStringLiteral("Ctrl+Shift+]")), "item2 item3 item1", "Bring to Front"},
        {QKeySequence(QStringLiteral("Ctrl+[")), "item2 item1 item3", "Send Backward"},
        {QKeySequence(QStringLiteral("Ctrl+Shift+[")), "item1 item2 item3", "Send to Back"},
        {QKeySequence(QStringLiteral("Ctrl+]")), "item2 item1 item3", "Bring Forward"},
    };
    for (const auto &step : steps) {
        QTest::keySequence(pView, step.key);
        QTRY_COMPARE(order(), QString::fromLatin1(step.pOrder));
        QCOMPARE(pStack->undoText(), QString::fromLatin1(step.pStep));
    }
    QCOMPARE(ActionManager::getAction(QStringLiteral("Scene.Rename"))->getKeySequence(), QKeySequence(Qt::Key_F2));

    // The eye on a row (37 px before the time 0) hides the item in the
    // editor; the page still has it.
    QTest::mouseClick(pTimeline->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pTimeline->diamondCenter(QStringLiteral("item3"), -1, 0) + QPoint(-37, 0));
    QVERIFY(items().at(2).bHidden);
    QCOMPARE(pStack->undoText(), QStringLiteral("Hide"));
    QGraphicsItem *pShown = pView->itemAt(pView->mapFromScene(items().at(2).rect.center()));
    QVERIFY(!pShown || pShown->topLevelItem()->data(0).toString() != QLatin1String("item3"));
    const QString strHtml = m_pDir->filePath(QStringLiteral("items.html"));
    QVERIFY(m_pHandler->exportToFile(strHtml));
    QFile html(strHtml);
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(html.readAll().contains("s1-item3"));

    // Locked from the item's menu, it can no longer be selected on the stage.
    QMenu menu;
    pWidget->fillItemMenu(&menu, QStringLiteral("item1"));
    QAction *pLock = nullptr;
    for (QAction *pAction : menu.actions()) {
        if (pAction->text() == QLatin1String("Lock"))
            pLock = pAction;
    }
    QVERIFY2(pLock, "The item's menu has no Lock");
    pLock->trigger();
    QVERIFY(items().at(1).bLocked);
    QCOMPARE(pStack->undoText(), QStringLiteral("Lock"));
    pWidget->selectIds({});
    // Where no other item lies under it.
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pView->mapFromScene(items().at(1).rect.topLeft() + QPointF(4, 4)));
    QVERIFY(pWidget->selectedIds().isEmpty());
    pWidget->selectAll();
    QCOMPARE(pWidget->selectedIds(), QStringList{QStringLiteral("item2")});

    // Names, order, hidden and locked are saved.
    TRIGGER("File.Save");
    SceneProject saved;
    QString strError;
    QVERIFY2(saved.load(m_pDir->filePath(QStringLiteral("items.zelto")), &strError), qPrintable(strError));
    QVERIFY(saved.m_lstScenes[0].lstItems == items());
}

void tst_SceneApp::autoKeyAnimatesAndUndoes()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("autokey"));
    QVERIFY(pEditor);
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    pWidget->addRectangle();
    auto item = [&]() { return pDocument->project().m_lstScenes[0].lstItems.at(0); };
    const QRectF start = item().rect;

    // At the start, a move changes the item, auto-key or not.
    pWidget->setAutoKey(true);
    pWidget->moveSelected(10, 0);
    QVERIFY(!item().isAnimated());
    QCOMPARE(item().rect.x(), start.x() + 10);

    // Later, it animates the property from where it was.
    pWidget->setTime(2);
    pWidget->moveSelected(100, 0);
    QCOMPARE(pDocument->getUndoStack()->undoText(), QStringLiteral("Move"));
    QCOMPARE(item().tracks[SceneItem::X].size(), 2);
    QCOMPARE(item().tracks[SceneItem::Y].size(), 2);   // position is keyed as one
    QCOMPARE(item().valueAt(SceneItem::X, 0).toDouble(), start.x() + 10);
    QCOMPARE(item().valueAt(SceneItem::X, 1).toDouble(), start.x() + 60);
    QCOMPARE(pWidget->view()->scene()->selectedItems().value(0)->pos().x(), start.x() + 110);

    // Without auto-key, an animated property is still keyed at the playhead,
    // one that is not changes everywhere.
    pWidget->setAutoKey(false);
    pWidget->setTime(4);
    pWidget->setSelectedGeometry(QRectF(start.x() + 200, start.y(), start.width(), start.height() + 5));
    QCOMPARE(item().tracks[SceneItem::X].size(), 3);
    QCOMPARE(item().tracks[SceneItem::Y].size(), 3);
    QVERIFY(item().tracks[SceneItem::Height].isEmpty());
    QCOMPARE(item().rect.height(), start.height() + 5);

    // Each change is one step back.
    pDocument->getUndoStack()->undo();
    QCOMPARE(item().tracks[SceneItem::X].size(), 2);
    pDocument->getUndoStack()->undo();
    QVERIFY(!item().isAnimated());
    QCOMPARE(item().rect, start.translated(10, 0));
    QCOMPARE(pWidget->view()->scene()->selectedItems().value(0)->pos().x(), start.x() + 10);
}

void tst_SceneApp::timelineEditsKeyframesAndPlays()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("timeline"));
    QVERIFY(pEditor);
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QUndoStack *pStack = pDocument->getUndoStack();
    pWidget->addRectangle();
    pWidget->setAutoKey(true);
    pWidget->setTime(1);
    pWidget->moveSelected(0, 50);
    auto track = [&]() { return pDocument->project().m_lstScenes[0].lstItems.at(0).tracks[SceneItem::Y]; };
    QCOMPARE(track().size(), 2);

    // The diamond at 1 s, dragged half a second later with the mouse.
    TimelineView *pView = pWidget->timeline()->view();
    QTRY_VERIFY(pView->isVisible());
    const QPoint from = pView->diamondCenter(QStringLiteral("item1"), SceneItem::Y, 1);
    QVERIFY(!from.isNull());
    const QPoint to = from + QPoint(qRound(pView->zoom() / 2), 0);
    QTest::mousePress(pView->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, pView->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pView->viewport(), &move);
    QTest::mouseRelease(pView->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    QCOMPARE(track().at(1).dTime, 1.5);
    QCOMPARE(pStack->undoText(), QStringLiteral("Move Keyframe"));

    pView->setSelectedEasing(Keyframe::EaseInOut);
    QCOMPARE(track().at(1).easing, Keyframe::EaseInOut);
    screenshot(m_pWindow, QStringLiteral("timeline"));
    QCOMPARE(pStack->undoText(), QStringLiteral("Set Easing"));
    pView->setFocus();
    QTest::keyClick(pView, Qt::Key_Delete);
    QCOMPARE(track().size(), 1);
    QCOMPARE(pStack->undoText(), QStringLiteral("Delete Keyframe"));
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 1);   // the item stays
    pStack->undo();
    QCOMPARE(track().at(1).easing, Keyframe::EaseInOut);

    // Space plays and pauses; playing stops at the end of the scene.
    pWidget->setSceneDuration(2);
    pWidget->view()->setFocus();
    QTRY_VERIFY(pWidget->view()->hasFocus());
    QTest::keyClick(pWidget->view(), Qt::Key_Space);
    QVERIFY(pWidget->player()->isPlaying());
    QTest::keyClick(pWidget->view(), Qt::Key_Space);
    QVERIFY(!pWidget->player()->isPlaying());
    pWidget->setTime(1.5);
    QSignalSpy stopped(pWidget->player(), &ScenePlayer::playingChanged);
    pWidget->player()->play();
    QTRY_COMPARE_WITH_TIMEOUT(pWidget->player()->isPlaying(), false, 5000);
    QCOMPARE(pWidget->time(), 2.0);
    QCOMPARE(pWidget->view()->scene()->selectedItems().value(0)->pos().y(),
             pDocument->project().m_lstScenes[0].lstItems.at(0).valueAt(SceneItem::Y, 2).toDouble());
}

void tst_SceneApp::scenesAreAddedOrderedAndDeleted()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("scenes"));
    QVERIFY(pEditor);
    SceneEditorWidget *pWidget = pEditor->getWidget();
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QUndoStack *pStack = pDocument->getUndoStack();
    auto names = [&]() {
        QStringList lstNames;
        for (const Scene &scene : pDocument->project().m_lstScenes)
            lstNames.append(scene.strName);
        return lstNames;
    };
    pWidget->addRectangle();
    pWidget->addScene();
    QCOMPARE(names(), QStringList({QStringLiteral("Scene 1"), QStringLiteral("Scene 2")}));
    QCOMPARE(pWidget->currentScene(), 1);
    QVERIFY(pWidget->scene().lstItems.isEmpty());
    pWidget->renameScene(1, QStringLiteral("  Titles "));
    pWidget->setCurrentScene(0);
    pWidget->duplicateScene();
    QCOMPARE(names(), QStringList({QStringLiteral("Scene 1"), QStringLiteral("Scene 1 Copy"), QStringLiteral("Titles")}));
    QCOMPARE(pWidget->scene().lstItems.size(), 1);

    // The editor keeps showing the scene it showed while the order changes.
    pWidget->moveScene(1, 2);
    QCOMPARE(names(), QStringList({QStringLiteral("Scene 1"), QStringLiteral("Titles"), QStringLiteral("Scene 1 Copy")}));
    QCOMPARE(pWidget->currentScene(), 2);
    QCOMPARE(pWidget->timeline()->sceneCombo()->currentText(), QStringLiteral("3. Scene 1 Copy"));
    pWidget->deleteScene();
    QCOMPARE(names(), QStringList({QStringLiteral("Scene 1"), QStringLiteral("Titles")}));
    QCOMPARE(pWidget->currentScene(), 1);

    const QStringList lstSteps = {QStringLiteral("Delete Scene"), QStringLiteral("Move Scene"),
                                  QStringLiteral("Duplicate Scene"), QStringLiteral("Rename Scene"),
                                  QStringLiteral("Add Scene")};
    for (const QString &strStep : lstSteps) {
        QCOMPARE(pStack->undoText(), strStep);
        pStack->undo();
    }
    QCOMPARE(names(), QStringList({QStringLiteral("Scene 1")}));
    QCOMPARE(pWidget->currentScene(), 0);

    // The order is saved.
    pStack->redo();
    pStack->redo();
    TRIGGER("File.Save");
    SceneProject saved;
    QString strError;
    QVERIFY(saved.load(m_pDir->filePath(QStringLiteral("scenes.zelto")), &strError));
    QCOMPARE(saved.m_lstScenes.size(), 2);
    QCOMPARE(saved.m_lstScenes.at(1).strName, QStringLiteral("Titles"));
}

void tst_SceneApp::newProjectDialogValidates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << QStringLiteral("Scene 1") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blank") << QStringLiteral("   ") << false;
    QTest::newRow("slash") << QStringLiteral("a/b") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    QTest::newRow("colon") << QStringLiteral("a:b") << false;
    QTest::newRow("leading dot") << QStringLiteral(".hidden") << false;
    QTest::newRow("existing") << QStringLiteral("exists") << false;
}

void tst_SceneApp::newProjectDialogValidates()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QFile existing(m_pDir->filePath(QStringLiteral("exists.zelto")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    NewSceneDialog dialog(m_pWindow);
    dialog.setFolder(m_pDir->filePath(QStringLiteral("sub/folder")));
    dialog.setProjectName(name);
    if (name == QLatin1String("exists"))
        dialog.setFolder(m_pDir->path());
    QCOMPARE(dialog.validationError().isEmpty(), valid);
    dialog.accept();
    QCOMPARE(dialog.result() == QDialog::Accepted, valid);
    QCOMPARE(dialog.getFilePath().isEmpty(), !valid);
    if (valid) {
        QCOMPARE(dialog.getFilePath(), m_pDir->filePath(QStringLiteral("sub/folder/Scene 1.zelto")));
        QVERIFY(QFileInfo(m_pDir->filePath(QStringLiteral("sub/folder"))).isDir());   // created on accept
    }
}

void tst_SceneApp::restoredProjectOffersRevert()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.Open_Project")), "The main window cannot open projects");
    // A project with unsaved work in its backup, as a crash leaves it.
    const QString strFile = m_pDir->filePath(QStringLiteral("restored.zelto"));
    {
        SceneDocument document;
        document.setFileName(strFile);
        QVERIFY(document.initNewDocument(640, 360, 24, false));
        QVERIFY(document.save());
        SceneItem item;
        item.strId = QStringLiteral("item1");
        item.rect = QRectF(10, 10, 100, 100);
        document.changeItems(QStringLiteral("Add"), 0, {item});
        QVERIFY(document.saveBackup());
    }
    QVERIFY(m_pWindow->loadFile(strFile));
    SceneEditor *pEditor = activeEditor();
    QVERIFY(pEditor);
    QVERIFY(pEditor->getSceneDocument()->isOpenAsBackup());
    QCOMPARE(pEditor->getSceneDocument()->project().m_lstScenes[0].lstItems.size(), 1);
    ZTNotificationBar *pBar = m_pWindow->getNotificationBar();
    QVERIFY(pBar->isVisible());
    screenshot(m_pWindow, QStringLiteral("restore-notification"));
    auto *pButton = pBar->findChild<QPushButton *>(QStringLiteral("m_pButton"));
    QVERIFY(pButton);
    pButton->click();
    QVERIFY(!pBar->isVisible());
    QVERIFY(pEditor->getSceneDocument()->project().m_lstScenes[0].lstItems.isEmpty());
    QVERIFY(!pEditor->getSceneDocument()->isModified());
}

void tst_SceneApp::closingTheSubwindowAsksToSave()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("ask"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    pEditor->getWidget()->addRectangle();
    QMdiSubWindow *pSubWindow = m_pWindow->findChild<QMdiArea *>()->subWindowList().value(0);
    QVERIFY(pSubWindow);
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Cancel);
    pSubWindow->close();
    QCOMPARE(answerer.records().size(), 1);
    QVERIFY(answerer.records().at(0).text.contains(QLatin1String("ask")));
    QCOMPARE(EditorManager::getEditors().size(), 1);

    answerer.answer(QMessageBox::Yes);
    pSubWindow->close();
    QTRY_VERIFY(EditorManager::getEditors().isEmpty());
    SceneDocument saved;
    saved.setFileName(m_pDir->filePath(QStringLiteral("ask.zelto")));
    QVERIFY(saved.open());
    QCOMPARE(saved.project().m_lstScenes[0].lstItems.size(), 1);
}

void tst_SceneApp::imagesTravelWithTheProject()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("pictures"));
    QVERIFY(pEditor);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString strImage = m_pDir->filePath(QStringLiteral("green.png"));
    QVERIFY(image.save(strImage));
    QFile notAnImage(m_pDir->filePath(QStringLiteral("fake.png")));
    QVERIFY(notAnImage.open(QIODevice::WriteOnly));
    notAnImage.write("not a picture");
    notAnImage.close();

    SceneEditorWidget *pWidget = pEditor->getWidget();
    QVERIFY(!pWidget->addImageFile(notAnImage.fileName()));
    QVERIFY(pWidget->addImageFile(strImage));
    SceneDocument *pDocument = pEditor->getSceneDocument();
    QCOMPARE(pDocument->project().m_lstScenes[0].lstItems.size(), 1);
    const SceneItem item = pDocument->project().m_lstScenes[0].lstItems.at(0);
    QCOMPARE(item.type, SceneItem::Image);
    QCOMPARE(item.rect.size(), QSizeF(40, 20));   // small images keep their size

    // Saved as a project, the image lands in the images folder beside it.
    TRIGGER("File.Save");
    QVERIFY(QFile::exists(m_pDir->filePath(QStringLiteral("pictures.zelto"))));
    QVERIFY(QFile::exists(m_pDir->filePath(item.strImage)));

    // Saved as a packed project, it travels inside the one file.
    const QString strPack = m_pDir->filePath(QStringLiteral("moved/pictures.zeltopack"));
    QDir().mkpath(QFileInfo(strPack).absolutePath());
    QVERIFY(pDocument->saveAs(strPack));
    QCOMPARE(pDocument->getFileName(), strPack);
    QVERIFY(!QFileInfo::exists(m_pDir->filePath(QStringLiteral("moved/images"))));
    SceneDocument packed;
    packed.setFileName(strPack);
    QVERIFY(packed.open());
    QCOMPARE(packed.project().m_mapImages.value(item.strImage).size(), QFileInfo(strImage).size());
}

void tst_SceneApp::exportAndPreview()
{
    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("export"));
    QVERIFY2(pEditor, "File.New opened no scene editor");
    pEditor->getWidget()->addRectangle();
    pEditor->getWidget()->addText();
    const QString strHtml = m_pDir->filePath(QStringLiteral("export.html"));
    QVERIFY(m_pHandler->exportToFile(strHtml));
    QFile html(strHtml);
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QString strPage = QString::fromUtf8(html.readAll());
    QVERIFY(strPage.contains(QLatin1String("<g id=\"s1-item1\">")));
    QVERIFY(strPage.contains(QLatin1String("<g id=\"s1-item2\">")));
    QVERIFY(strPage.contains(QLatin1String("viewBox=\"0 0 800 600\"")));

    // The project plays all scenes; the current scene is the one shown.
    pEditor->getWidget()->addScene();
    pEditor->getWidget()->renameScene(1, QStringLiteral("Finale"));
    TRIGGER("File.Preview_Project_In_Browser");
    TRIGGER("File.Preview_Current_Scene_In_Browser");
    QCOMPARE(m_lstOpenedUrls.size(), 2);
    QStringList lstPages;
    for (const QUrl &url : qAsConst(m_lstOpenedUrls)) {
        QVERIFY(url.isLocalFile());
        QVERIFY(url.toLocalFile().startsWith(m_pWindow->getDefaultTempPath()));
        QFile page(url.toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        lstPages.append(QString::fromUtf8(page.readAll()));
    }
    QVERIFY(lstPages.at(0).contains(QLatin1String("s1-item1")) && lstPages.at(0).contains(QLatin1String("data-name=\"Finale\"")));
    QVERIFY(!lstPages.at(1).contains(QLatin1String("s1-item1")) && lstPages.at(1).contains(QLatin1String("data-name=\"Finale\"")));
}

void tst_SceneApp::aboutAndUpdateCheck()
{
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    answerer.answer(QMessageBox::Ok);
    TRIGGER("Help.About");
    TRIGGER("Help.CheckUpdates");
    QVERIFY(answerer.waitForAnswers(2));
    QCOMPARE(answerer.records().at(0).title, QStringLiteral("Zelto Rideved"));
    QVERIFY(answerer.records().at(0).text.contains(QCoreApplication::applicationVersion()));
    // There is no user community or account to go to: nothing offers one.
    QVERIFY(!ActionManager::getAction(QStringLiteral("Help.Community"))->getAction()->isVisible());
    QVERIFY(!ActionManager::getAction(QStringLiteral("Help.UserAccount"))->getAction()->isVisible());
    QVERIFY(m_pWindow->getUserAccountLink()->isHidden());
    ShortcutsOptionPage page(nullptr);
    page.initValues();
    QVERIFY(page.findChild<QTreeWidget *>()->findItems(QStringLiteral("Help.Community"), Qt::MatchExactly).isEmpty());
    QVERIFY(answerer.records().at(1).text.contains(QLatin1String("No update address")));

    // With an address, the check goes to the update registry, which reads the
    // appcast's entry for the system it runs on and says that this version
    // is the latest: the newer one offered to another system is not taken.
    const QString strAppcast = m_pDir->filePath(QStringLiteral("appcast.json"));
    QFile appcast(strAppcast);
    QVERIFY(appcast.open(QIODevice::WriteOnly));
    const QString strSystem = QSimpleUpdater::systemPlatformKey();
    const QString strOther = strSystem == QLatin1String("windows") ? QStringLiteral("linux") : QStringLiteral("windows");
    appcast.write(QStringLiteral(R"({"updates":{"%1":{"latest-version":"99.0","download-url":"","changelog":""},)"
                                 R"("%2":{"latest-version":"0.1.0","download-url":"","changelog":""}}})")
                      .arg(strOther, strSystem)
                      .toUtf8());
    appcast.close();
    ICore::settings()->setValue(QStringLiteral("Designer/UpdateUrl"), QUrl::fromLocalFile(strAppcast).toString());
    answerer.answer(QMessageBox::Close);
    TRIGGER("Help.CheckUpdates");
    QVERIFY(answerer.waitForAnswers(3, 15000));
    QVERIFY2(answerer.records().at(2).text.contains(QLatin1String("latest version")),
             qPrintable(answerer.records().at(2).text));
}

void tst_SceneApp::shortcutSurvivesRestart()
{
    const QString strId = QStringLiteral("File.Export_To_HTML5");
    QVERIFY2(ActionManager::getAction(strId), "The main window has no export command");
    const QKeySequence shortcut(QStringLiteral("Ctrl+Shift+H"));
    TestSupport::ModalAnswerer answerer;
    answerer.answerWith([&](QWidget *pWidget) {
        auto *pDialog = qobject_cast<SceneOptionsDialog *>(pWidget);
        QVERIFY(pDialog);
        pDialog->setCurrentPage(2);
        pDialog->shortcutsPage()->setPendingShortcut(strId, shortcut);
        screenshot(pDialog, QStringLiteral("preferences-shortcuts"));
        pDialog->setCurrentPage(0);
        screenshot(pDialog, QStringLiteral("preferences-general"));
        pDialog->setCurrentPage(1);
        screenshot(pDialog, QStringLiteral("preferences-breakpoints"));
        pDialog->onOK();
    });
    TRIGGER("Edit.Preferences");
    QVERIFY(answerer.waitForAnswers(1));
    QCOMPARE(ActionManager::getAction(strId)->getKeySequence(), shortcut);

    // A restart: a new main window reading the same settings file.
    cleanup();
    init();
    ActionManager::readFromSettings();
    QCOMPARE(ActionManager::getAction(strId)->getKeySequence(), shortcut);
}

void tst_SceneApp::conflictingShortcutsAreNotSaved()
{
    SceneOptionsDialog dialog;
    dialog.shortcutsPage()->initValues();
    const QKeySequence undo = ActionManager::getAction(QStringLiteral("Edit.Undo"))->getKeySequence();
    dialog.shortcutsPage()->setPendingShortcut(QStringLiteral("Edit.Redo"), undo);
    QCOMPARE(dialog.shortcutsPage()->conflicts().size(), 1);
    QVERIFY(dialog.shortcutsPage()->conflicts().at(0).contains(QLatin1String("Edit.Redo")));

    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    QVERIFY(!dialog.applyChanges());
    QCOMPARE(answerer.records().size(), 1);
    QVERIFY(ActionManager::getAction(QStringLiteral("Edit.Redo"))->getKeySequence() != undo);

    dialog.shortcutsPage()->resetAll();
    QVERIFY(dialog.shortcutsPage()->conflicts().isEmpty());
    QVERIFY(dialog.applyChanges());

    // A command's other default keys count too: Ctrl+F4 closes, beside Ctrl+W.
    dialog.shortcutsPage()->setPendingShortcut(QStringLiteral("File.Export_To_HTML5"),
                                               QKeySequence(Qt::CTRL | Qt::Key_F4));
    QCOMPARE(dialog.shortcutsPage()->conflicts().size(), 1);
    QVERIFY(dialog.shortcutsPage()->conflicts().at(0).contains(QLatin1String("File.Close")));
}

void tst_SceneApp::keyFieldSpeaksTheUsersLanguage()
{
    // What zelto installs for a user who chose German; Qt's own catalogue
    // may be missing.
    QTranslator german;
    QVERIFY(german.load(qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/translations/zelto_de.qm")));
    QCoreApplication::installTranslator(&german);
    ShortcutsOptionPage page(nullptr);
    QCoreApplication::removeTranslator(&german);
    const auto *pField = page.findChild<QKeySequenceEdit *>()->findChild<QLineEdit *>();
    QVERIFY(pField);
    QCOMPARE(pField->placeholderText(), QStringLiteral("Geben Sie ein Tastenkürzel ein"));
}

void tst_SceneApp::guideNamesEveryDefaultKey()
{
    // A command given a default key must not be missing from the user
    // guides. Keys are marked <kbd> there, in the names the menus show: the
    // German interface calls some keys otherwise.
    QVERIFY(createProject(QStringLiteral("keys")));
    const QMap<QString, QString> mapGerman{
        {"Ctrl", "Strg"},   {"Shift", "Umschalt"}, {"Del", "Entf"},          {"Ins", "Einfg"},
        {"Home", "Pos1"},   {"End", "Ende"},       {"Space", "Leertaste"},   {"Left", "Links"},
        {"Right", "Rechts"}, {"Up", "Hoch"},       {"Down", "Herunter"},     {"Backspace", "Rücktaste"},
        {"PgUp", "Bild aufwärts"}, {"PgDown", "Bild abwärts"}};
    const QRegularExpression kbd(QStringLiteral("<kbd>([^<]*)</kbd>"));
    for (const QString &strLanguage : {QStringLiteral("en"), QStringLiteral("de")}) {
        QFile guide(qEnvironmentVariable("ZELTO_SOURCE_DIR") + QStringLiteral("/doc/help/zelto_help_%1.html").arg(strLanguage));
        QVERIFY2(guide.open(QIODevice::ReadOnly), qPrintable(guide.fileName()));
        QSet<QString> setKeys;
        for (auto it = kbd.globalMatch(QString::fromUtf8(guide.readAll())); it.hasNext();)
            setKeys.insert(it.next().captured(1));
        for (ContextAction *pCommand : ActionManager::getActions()) {
            const QKeySequence key = pCommand->getDefaultKeySequence();
            if (key.isEmpty())
                continue;
            QStringList lstParts = key.toString(QKeySequence::PortableText).split(QLatin1Char('+'));
            for (QString &strPart : lstParts)
                strPart = strLanguage == QLatin1String("de") ? mapGerman.value(strPart, strPart) : strPart;
            const QString strKey = lstParts.join(QLatin1Char('+'));
            QVERIFY2(setKeys.contains(strKey), qPrintable(QStringLiteral("The %1 guide does not name %2, the key of %3")
                                                              .arg(strLanguage, strKey, pCommand->getId())));
        }
    }
}

void tst_SceneApp::preferencesChangeBackupAndBreakpoints()
{
    SceneOptionsDialog dialog;
    dialog.generalPage()->initValues();
    dialog.breakpointsPage()->initValues();
    dialog.generalPage()->autoBackupCheck()->setChecked(true);
    dialog.generalPage()->intervalSpin()->setValue(42);
    dialog.breakpointsPage()->showGuidesCheck()->setChecked(true);
    dialog.breakpointsPage()->setBreakpoints({{500, true}, {900, false}}, {{300, true}});
    QComboBox *pStartup = dialog.generalPage()->startupCombo();
    QCOMPARE(pStartup->currentData().toInt(), int(ICore::ShowWelcomePage));
    pStartup->setCurrentIndex(pStartup->findData(int(ICore::ReopenLastSession)));
    QVERIFY(dialog.applyChanges());
    QCOMPARE(ICore::startupAction(), ICore::ReopenLastSession);
    QCOMPARE(DocumentManager::getAutobackupTimeout(), 42);
    QCOMPARE(DocumentManager::getHBreakpoints(), (QList<QPair<int, bool>>{{500, true}, {900, false}}));
    QCOMPARE(ICore::settings()->value(QStringLiteral("Designer/ShowBreakpoints")).toBool(), true);

    QVERIFY2(ActionManager::getAction(QStringLiteral("File.New")), "The main window has no command File.New");
    SceneEditor *pEditor = createProject(QStringLiteral("guides"), 1000, 700);
    QVERIFY2(pEditor, "File.New opened no scene editor");
    QCOMPARE(pEditor->getWidget()->guideCount(), 2);   // 500 wide, 300 high; 900 is off

    dialog.breakpointsPage()->resetToDefaults();
    QVERIFY(dialog.applyChanges());
    QCOMPARE(DocumentManager::getHBreakpoints().size(), 5);
    QCOMPARE(pEditor->getWidget()->guideCount(), 3);   // 375, 667 and 768; 1024 and 1280 are off the stage
}

void tst_SceneApp::preferencesScheduleUpdateChecks()
{
    const QString strAppcast = m_pDir->filePath(QStringLiteral("scheduled.json"));
    QFile appcast(strAppcast);
    QVERIFY(appcast.open(QIODevice::WriteOnly));
    appcast.write(R"({"updates":{"windows":{"latest-version":"0.1.0"}}})");
    appcast.close();
    const QString strUrl = QUrl::fromLocalFile(strAppcast).toString();

    SceneOptionsDialog dialog;
    dialog.generalPage()->initValues();
    dialog.generalPage()->updateUrlEdit()->setText(strUrl);
    QComboBox *pCombo = dialog.generalPage()->updateCheckCombo();
    pCombo->setCurrentIndex(pCombo->findText(QStringLiteral("Weekly")));
    QSimpleUpdater *pRegistry = QSimpleUpdater::getInstance();
    QSignalSpy checked(pRegistry, &QSimpleUpdater::checkingFinished);
    TestSupport::ModalAnswerer answerer;
    QVERIFY(dialog.applyChanges());
    QCOMPARE(pRegistry->getCheckInterval(strUrl), 7 * 24 * 3600);
    // Never checked before, so at once; and silently, as nothing is newer.
    QVERIFY(checked.wait(15000));
    QVERIFY(answerer.records().isEmpty());

    pCombo->setCurrentIndex(pCombo->findText(QStringLiteral("Never")));
    QVERIFY(dialog.applyChanges());
    QCOMPARE(pRegistry->getCheckInterval(strUrl), 0);
}

QTEST_MAIN(tst_SceneApp)
#include "tst_sceneapp.moc"
