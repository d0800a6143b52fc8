#include "sceneeditor.h"

#include "scenedocument.h"
#include "sceneeditorwidget.h"
#include "timelinewidget.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/coreids.h"
#include "core/documents/editormanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <iterator>

namespace {

const char s_contextId[] = "Scene.Editor";
const char s_playId[] = "Scene.Play_Pause";
const char s_historyId[] = "Scene.Undo_History";

// The commands of SceneEditorWidget::addShapeActions(), in their order.
const struct {
    const char *pId;
    Qt::Key key;
    const char *pDescription;
} s_shapeCommands[] = {
    {"Scene.Add_Rectangle", Qt::Key_R, QT_TRANSLATE_NOOP("SceneEditor", "Add a rectangle to the scene")},
    {"Scene.Add_Ellipse", Qt::Key_E, QT_TRANSLATE_NOOP("SceneEditor", "Add an ellipse to the scene")},
    {"Scene.Add_Text", Qt::Key_T, QT_TRANSLATE_NOOP("SceneEditor", "Add a text to the scene")},
    {"Scene.Add_Image", Qt::Key_I, QT_TRANSLATE_NOOP("SceneEditor", "Add an image file to the scene")},
};

// The commands of the playhead, the keys and the timeline, in the order of
// timelineActions(). Those without a key get one only from the user.
const struct {
    const char *pId;
    int nKey;
    const char *pDescription;
} s_timelineCommands[] = {
    {"Scene.Add_Keyframe", Qt::Key_K,
     QT_TRANSLATE_NOOP("SceneEditor", "Key every property of the selected items at the playhead")},
    {"Scene.Previous_Frame", Qt::Key_Left, QT_TRANSLATE_NOOP("SceneEditor", "Move the playhead one frame back")},
    {"Scene.Next_Frame", Qt::Key_Right, QT_TRANSLATE_NOOP("SceneEditor", "Move the playhead one frame on")},
    {"Scene.Go_To_Start", Qt::Key_Home, QT_TRANSLATE_NOOP("SceneEditor", "Move the playhead to the start of the scene")},
    {"Scene.Go_To_End", Qt::Key_End, QT_TRANSLATE_NOOP("SceneEditor", "Move the playhead to the end of the scene")},
    {"Scene.Stop", 0, QT_TRANSLATE_NOOP("SceneEditor", "Stop playing and go back to the start")},
    {"Scene.Loop", 0, QT_TRANSLATE_NOOP("SceneEditor", "Turn looping on or off")},
    {"Scene.Auto_Key", 0, QT_TRANSLATE_NOOP("SceneEditor", "Turn auto-key on or off")},
    {"Scene.Add_Scene", 0, QT_TRANSLATE_NOOP("SceneEditor", "Add a scene after the current one")},
    {"Scene.Duplicate_Scene", 0, QT_TRANSLATE_NOOP("SceneEditor", "Duplicate the current scene")},
    {"Scene.Rename_Scene", 0, QT_TRANSLATE_NOOP("SceneEditor", "Rename the current scene")},
    {"Scene.Delete_Scene", 0, QT_TRANSLATE_NOOP("SceneEditor", "Delete the current scene")},
    {"Scene.Move_Scene_Earlier", 0, QT_TRANSLATE_NOOP("SceneEditor", "Move the current scene one place earlier")},
    {"Scene.Move_Scene_Later", 0, QT_TRANSLATE_NOOP("SceneEditor", "Move the current scene one place later")},
};

QList<QAction *> timelineActions(const SceneEditorWidget *pWidget)
{
    const TimelineWidget *pTimeline = pWidget->timeline();
    return QList<QAction *>{pWidget->addKeyframeAction(), pWidget->previousFrameAction(), pWidget->nextFrameAction(),
                            pWidget->goToStartAction(),   pWidget->goToEndAction(),       pTimeline->stopAction(),
                            pTimeline->loopAction(),      pWidget->autoKeyAction()}
           + pTimeline->sceneActions();
}

// The core's Edit commands, in the order of SceneEditorWidget::editActions().
const char *const s_editIds[] = {CoreIds::EditCut,       CoreIds::EditCopy,   CoreIds::EditPaste,
                                 CoreIds::EditDuplicate, CoreIds::EditDelete, CoreIds::EditSelectAll};

// The commands of SceneEditorWidget::itemActions(), in their order.
const struct {
    const char *pId;
    const char *pKey;   // QKeySequence::PortableText
    const char *pDescription;
} s_itemCommands[] = {
    {"Scene.Rename", "F2", QT_TRANSLATE_NOOP("SceneEditor", "Rename the selected item")},
    {"Scene.Bring_Forward", "Ctrl+]", QT_TRANSLATE_NOOP("SceneEditor", "Move the selected items one step to the front")},
    {"Scene.Send_Backward", "Ctrl+[", QT_TRANSLATE_NOOP("SceneEditor", "Move the selected items one step to the back")},
    {"Scene.Bring_To_Front", "Ctrl+Shift+]", QT_TRANSLATE_NOOP("SceneEditor", "Move the selected items in front of all others")},
    {"Scene.Send_To_Back", "Ctrl+Shift+[", QT_TRANSLATE_NOOP("SceneEditor", "Move the selected items behind all others")},
};

QMdiArea *workArea()
{
    // The main window's work area is a QMdiArea subclass; finding it by its
    // Qt base keeps this plug-in independent of that class.
    MainWindow *pMainWindow = ICore::getMainWindow();
    return pMainWindow ? pMainWindow->findChild<QMdiArea *>() : nullptr;
}

} // namespace

SceneEditor::SceneEditor()
{
    connect(this, &IEditor::documentLoaded, this, &SceneEditor::onDocumentLoaded);
    connect(this, &IEditor::aboutToActivate, this, &SceneEditor::onActivate);
    connect(this, &IEditor::documentModifyChanged, this, &SceneEditor::updateCaption);
    connect(this, &IEditor::documentTitleChanged, this, &SceneEditor::updateCaption);
    connect(this, &IEditor::documentUnloading, this, &SceneEditor::detach);
}

SceneEditor::~SceneEditor()
{
    unregisterCommands();
    if (m_pSubWindow) {
        m_pSubWindow->removeEventFilter(this);
        delete m_pSubWindow;   // deletes the widget with it
    }
    delete m_pWidget;
}

void SceneEditor::detach()
{
    unregisterCommands();
    if (m_pSubWindow) {
        m_pSubWindow->removeEventFilter(this);
        if (QMdiArea *pArea = m_pSubWindow->mdiArea())
            disconnect(pArea, nullptr, this, nullptr);
        m_pSubWindow->hide();
        m_pSubWindow->deleteLater();   // takes the widget with it
        m_pSubWindow = nullptr;
    } else if (m_pWidget) {
        m_pWidget->removeEventFilter(this);
        m_pWidget->hide();
        m_pWidget->deleteLater();
    }
}

SceneEditorWidget *SceneEditor::getWidget() const
{
    return m_pWidget;
}

SceneDocument *SceneEditor::getSceneDocument() const
{
    return m_pSceneDocument;
}

void SceneEditor::onDocumentLoaded()
{
    if (m_pWidget)
        return;
    m_pSceneDocument = qobject_cast<SceneDocument *>(getDocument());
    SceneDocument *pDocument = m_pSceneDocument;
    if (!pDocument)
        return;
    m_pWidget = new SceneEditorWidget(pDocument);
    registerCommands();

    if (QMdiArea *pArea = workArea()) {
        m_pSubWindow = pArea->addSubWindow(m_pWidget);
        m_pSubWindow->setWindowIcon(QIcon(QStringLiteral(":/app/images/project_icon.ico")));
        // Closing the subwindow is closing the project, with its save prompt.
        m_pSubWindow->installEventFilter(this);
        connect(pArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *pSubWindow) {
            if (pSubWindow && pSubWindow == m_pSubWindow && EditorManager::getEditors().contains(this))
                EditorManager::activateEditor(this);
        });
        m_pSubWindow->showMaximized();
    } else {
        // Without a work area the editor is a window of its own.
        m_pWidget->setParent(ICore::getMainWindow(), Qt::Window);
        m_pWidget->installEventFilter(this);
        m_pWidget->resize(1000, 700);
        m_pWidget->show();
    }
    updateCaption();
    m_pWidget->setFocus();
}

void SceneEditor::registerCommands()
{
    // Undo and Redo are the main window's: they act on the project in front,
    // which is this one while its editor has the focus.
    if (!ActionManager::getInstance() || !ContextManager::getInstance())
        return;
    m_bCommandsRegistered = true;
    ContextManager::registerContext(m_pWidget, QLatin1String(s_contextId), tr("Scene Editor"));
    // A command of its own, so users can give it another key in the preferences.
    ContextAction *pPlay = ActionManager::registerAction(m_pWidget->togglePlayAction(), QLatin1String(s_playId), m_pWidget);
    pPlay->setDefaultKeySequence(QKeySequence(Qt::Key_Space));
    pPlay->setDescription(tr("Play or pause the scene"));
    // Shapes are added from the keyboard too; the letters stay with a text
    // field while it has the focus.
    const QList<QAction *> lstShapeActions = m_pWidget->addShapeActions();
    for (int i = 0; i < lstShapeActions.size() && i < int(std::size(s_shapeCommands)); ++i) {
        ContextAction *pShape = ActionManager::registerAction(
            lstShapeActions.at(i), QLatin1String(s_shapeCommands[i].pId), m_pWidget);
        pShape->setDefaultKeySequence(QKeySequence(s_shapeCommands[i].key));
        pShape->setDescription(tr(s_shapeCommands[i].pDescription));
    }
    const QList<QAction *> lstTimelineActions = timelineActions(m_pWidget);
    for (int i = 0; i < lstTimelineActions.size() && i < int(std::size(s_timelineCommands)); ++i) {
        ContextAction *pCommand = ActionManager::registerAction(
            lstTimelineActions.at(i), QLatin1String(s_timelineCommands[i].pId), m_pWidget);
        pCommand->setDefaultKeySequence(QKeySequence(s_timelineCommands[i].nKey));
        pCommand->setDescription(tr(s_timelineCommands[i].pDescription));
    }
    // Cut, Copy, Paste and the rest act on the stage's items here.
    const QList<QAction *> lstEditActions = m_pWidget->editActions();
    for (int i = 0; i < lstEditActions.size() && i < int(std::size(s_editIds)); ++i)
        ActionManager::registerAction(lstEditActions.at(i), QLatin1String(s_editIds[i]), m_pWidget);
    const QList<QAction *> lstItemActions = m_pWidget->itemActions();
    for (int i = 0; i < lstItemActions.size() && i < int(std::size(s_itemCommands)); ++i) {
        ContextAction *pItem =
            ActionManager::registerAction(lstItemActions.at(i), QLatin1String(s_itemCommands[i].pId), m_pWidget);
        pItem->setDefaultKeySequence(QKeySequence(QLatin1String(s_itemCommands[i].pKey), QKeySequence::PortableText));
        pItem->setDescription(tr(s_itemCommands[i].pDescription));
    }
    ContextAction *pHistory =
        ActionManager::registerAction(m_pWidget->undoHistoryAction(), QLatin1String(s_historyId), m_pWidget);
    pHistory->setDescription(tr("Show or hide the undo history"));
    // The command comes and goes with the editors, and its menu entry with it.
    if (ActionContainer *pView = ActionManager::getActionContainer(QLatin1String(CoreIds::MenuBarView))) {
        if (pView->getMenu() && !pView->getMenu()->actions().contains(pHistory->getAction()))
            pView->insertAction(pHistory);
    }
    // The focus may already be inside the widget.
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        ActionManager::setContext(ContextManager::getActiveContext(pMainWindow->focusWidget()
                                                                       ? pMainWindow->focusWidget()
                                                                       : pMainWindow).pWidget);
}

void SceneEditor::unregisterCommands()
{
    if (!m_pWidget || !m_bCommandsRegistered || !ActionManager::getInstance())
        return;
    m_bCommandsRegistered = false;
    ActionManager::unregisterAction(m_pWidget->togglePlayAction(), QLatin1String(s_playId));
    ActionManager::unregisterAction(m_pWidget->undoHistoryAction(), QLatin1String(s_historyId));
    const QList<QAction *> lstShapeActions = m_pWidget->addShapeActions();
    for (int i = 0; i < lstShapeActions.size() && i < int(std::size(s_shapeCommands)); ++i)
        ActionManager::unregisterAction(lstShapeActions.at(i), QLatin1String(s_shapeCommands[i].pId));
    const QList<QAction *> lstTimelineActions = timelineActions(m_pWidget);
    for (int i = 0; i < lstTimelineActions.size() && i < int(std::size(s_timelineCommands)); ++i)
        ActionManager::unregisterAction(lstTimelineActions.at(i), QLatin1String(s_timelineCommands[i].pId));
    const QList<QAction *> lstEditActions = m_pWidget->editActions();
    for (int i = 0; i < lstEditActions.size() && i < int(std::size(s_editIds)); ++i)
        ActionManager::unregisterAction(lstEditActions.at(i), QLatin1String(s_editIds[i]));
    const QList<QAction *> lstItemActions = m_pWidget->itemActions();
    for (int i = 0; i < lstItemActions.size() && i < int(std::size(s_itemCommands)); ++i)
        ActionManager::unregisterAction(lstItemActions.at(i), QLatin1String(s_itemCommands[i].pId));
    if (ContextManager::getInstance())
        ContextManager::unregisterContext(m_pWidget, QLatin1String(s_contextId));
}

void SceneEditor::onActivate()
{
    if (m_pSubWindow && m_pSubWindow->mdiArea() && m_pSubWindow->mdiArea()->activeSubWindow() != m_pSubWindow)
        m_pSubWindow->mdiArea()->setActiveSubWindow(m_pSubWindow);
    updateCaption();
}

void SceneEditor::updateCaption()
{
    SceneDocument *pDocument = getSceneDocument();
    if (!pDocument || !m_pWidget)
        return;
    const QString strFile = pDocument->getFileName();
    const bool bModified = pDocument->isModified();
    m_pWidget->setWindowTitle(pDocument->getTitle() + QStringLiteral("[*]"));
    m_pWidget->setWindowFilePath(strFile);
    m_pWidget->setWindowModified(bModified);
    if (m_pSubWindow) {
        m_pSubWindow->setWindowFilePath(strFile);
        m_pSubWindow->setWindowModified(bModified);
    }
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (pMainWindow && EditorManager::activeEditor() == this) {
        pMainWindow->setWindowFilePath(strFile);
        pMainWindow->setWindowModified(bModified);
    }
}

bool SceneEditor::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    // Only a close matters. Other events reach here while the window is being
    // destroyed (the run ended with the project open), when its pointer
    // must not be looked at as a subwindow any more.
    if (pEvent->type() != QEvent::Close)
        return IEditor::eventFilter(pWatched, pEvent);
    const bool bOurWindow = pWatched == m_pSubWindow || (!m_pSubWindow && pWatched == m_pWidget);
    if (bOurWindow) {
        // The window stays until the document agrees to close; then the main
        // window tears down the editor, which deletes the window.
        pEvent->ignore();
        if (IDocument *pDocument = m_pSceneDocument) {
            if (pDocument->close())
                emit pDocument->requestClosing(true);
        }
        return true;
    }
    return IEditor::eventFilter(pWatched, pEvent);
}
