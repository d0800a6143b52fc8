// MainWindow: menus, commands, toolbar, status bar and the language menu.
#include "core/mainwindow.h"
#include "core/mainwindow_p.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/coreids.h"
#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/documents/idocument.h"
#include "core/documents/ieditor.h"
#include "core/documents/standardeditcommands.h"
#include "core/documents/undoredocommands.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/iui.h"
#include "core/options/ioptionsdlg.h"
#include "core/ui/commandpalette.h"
#include "core/ui/imainmenuwidget.h"
#include "core/ui/popupfocus_p.h"
#include "core/welcome/imainmdiarea.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHash>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

namespace {

QIcon commandIcon(const char *name)
{
    return IUi::getIcon(QString::fromLatin1(name), IUi::Size16, QStringLiteral(":/core/images/"));
}

// The platform's keys for a standard command, followed by the conventional
// ones it lacks: a desktop that defines no Save As key still gets
// Ctrl+Shift+S, and Close answers to both Ctrl+W and Ctrl+F4.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QList<QKeySequence> &lstConventional = {})
{
    QList<QKeySequence> lstKeys = QKeySequence::keyBindings(key);
    for (const QKeySequence &conventional : lstConventional) {
        if (!lstKeys.contains(conventional))
            lstKeys.append(conventional);
    }
    return lstKeys;
}

// Registers a main-window command in the global context and appends it to its
// menu. No shortcut or an empty description leaves the command without one.
ContextAction *addCommand(ActionContainer *pContainer, QAction *pAction, const QString &strId,
                          const QList<QKeySequence> &lstShortcuts = {},
                          const QString &strDescription = QString())
{
    ContextAction *pCommand = ActionManager::registerAction(pAction, strId, ICore::getMainWindow(), false);
    if (!lstShortcuts.isEmpty())
        pCommand->setDefaultKeySequences(lstShortcuts);
    if (!strDescription.isEmpty())
        pCommand->setDescription(strDescription);
    pContainer->insertAction(pCommand);
    return pCommand;
}

// The action manager leaves its menus without an owner; the main window's
// own menus go with it. A popup keeps its window flags when reparented.
ActionContainer *createMenu(QWidget *pOwner, const QString &strTitle, const char *id)
{
    ActionContainer *pContainer = ActionManager::createMenuContainer(strTitle, QString::fromLatin1(id));
    if (QMenu *pMenu = pContainer->getMenu())
        pMenu->setParent(pOwner, pMenu->windowFlags());
    return pContainer;
}

// Switching projects hides the window that leaves the front, and Qt then
// hands its focus on to the next field, so each switch would move it one
// field further. Each project gets back the field it had when it left.
void stepProject(QMdiArea *pArea, int nStep)
{
    if (!pArea)
        return;
    const QList<QMdiSubWindow *> lstWindows = pArea->subWindowList(pArea->activationOrder());
    if (lstWindows.size() < 2)
        return;
    static QHash<QMdiSubWindow *, QPointer<QWidget>> s_hashFields;
    QMdiSubWindow *pCurrent = pArea->activeSubWindow();
    if (pCurrent)
        s_hashFields.insert(pCurrent, QApplication::focusWidget());
    const int nCurrent = qMax(0, lstWindows.indexOf(pCurrent));
    QMdiSubWindow *pNext = lstWindows.at((nCurrent + nStep + lstWindows.size()) % lstWindows.size());
    pArea->setActiveSubWindow(pNext);
    const QPointer<QWidget> pField = s_hashFields.take(pNext);
    // The window may be another one at the same address by now.
    if (pField && pNext->isAncestorOf(pField) && pField->isVisible() && pField->isEnabled())
        pField->setFocus(Qt::OtherFocusReason);
}

} // namespace

void MainWindow::initActions()
{
    ActionContainer *pMenuBar = ActionManager::createMenuBarContainer(QLatin1String(CoreIds::MenuBar));
    d->m_pMenuWidget->insertMenuBar(pMenuBar->getMenuBar());   // the title bar's layout takes it over

    // File
    ActionContainer *pFileMenu = createMenu(this, tr("&File"), CoreIds::MenuBarFile);
    pMenuBar->insertMenu(pFileMenu);

    d->m_pNewAction = new QAction(commandIcon("new"), tr("&New"), this);
    addCommand(pFileMenu, d->m_pNewAction, QLatin1String(CoreIds::FileNew), standardKeys(QKeySequence::New),
               tr("Create a new project"));
    connect(d->m_pNewAction, &QAction::triggered, this, &MainWindow::fileNew);

    d->m_pOpenAction = new QAction(commandIcon("open"), tr("&Open Project"), this);
    addCommand(pFileMenu, d->m_pOpenAction, QLatin1String(CoreIds::FileOpenProject), standardKeys(QKeySequence::Open),
               tr("Open an existing project"));
    connect(d->m_pOpenAction, &QAction::triggered, this, &MainWindow::fileOpen);

    ActionContainer *pRecentMenu =
        createMenu(this, tr("Recent &Projects"), CoreIds::FileRecentProjects);
    const int nMaxRecent = IRecentFilesManager::getInstance()->getMaxCount();
    for (int i = 1; i <= nMaxRecent; ++i) {
        auto *pAction = new QAction(this);
        pAction->setVisible(false);
        addCommand(pRecentMenu, pAction, QLatin1String(CoreIds::FileRecentProjectsProject) + QString::number(i));
        connect(pAction, &QAction::triggered, this, &MainWindow::recentFileOpen);
        d->m_recentActions.append(pAction);
    }
    pRecentMenu->insertSeparator();
    auto *pClearRecentAction = new QAction(tr("&Clear List"), this);
    addCommand(pRecentMenu, pClearRecentAction, QLatin1String(CoreIds::FileRecentProjectsClearList), {},
               tr("Empty the list of recent projects"));
    connect(pClearRecentAction, &QAction::triggered, this, [] { IRecentFilesManager::getInstance()->clear(); });
    auto *pRemoveMissingAction = new QAction(tr("&Remove Missing Projects"), this);
    addCommand(pRecentMenu, pRemoveMissingAction, QLatin1String(CoreIds::FileRecentProjectsRemoveMissing), {},
               tr("Remove the projects that no longer exist from the list"));
    connect(pRemoveMissingAction, &QAction::triggered, this, &MainWindow::removeMissingRecentFiles);
    pFileMenu->insertMenu(pRecentMenu);
    updateRecentFileActions();
    pFileMenu->insertSeparator();

    d->m_pSaveAction = new QAction(commandIcon("save"), tr("&Save"), this);
    d->m_pSaveAction->setEnabled(false);
    connect(DocumentManager::getUndoGroup(), &QUndoGroup::cleanChanged, this,
            &MainWindow::onEnabledSaveActionChanged);
    addCommand(pFileMenu, d->m_pSaveAction, QLatin1String(CoreIds::FileSave), standardKeys(QKeySequence::Save),
               tr("Save the current project"));
    connect(d->m_pSaveAction, &QAction::triggered, this, &MainWindow::fileSave);

    ActionContainer *pSaveAsMenu = createMenu(this, tr("Save &As"), CoreIds::FileSaveAs);
    d->m_pSaveAsMenu = pSaveAsMenu->getMenu();
    d->m_pSaveAsMenu->setEnabled(false);
    d->m_pSaveAsAction = new QAction(tr("&Other Project"), this);
    d->m_pSaveAsAction->setEnabled(false);
    addCommand(pSaveAsMenu, d->m_pSaveAsAction, QLatin1String(CoreIds::FileSaveAsProject),
               standardKeys(QKeySequence::SaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
               tr("Save the current project as a new one"));
    connect(d->m_pSaveAsAction, &QAction::triggered, this, &MainWindow::fileSaveAs);
    pFileMenu->insertMenu(pSaveAsMenu);

    d->m_pCloseAction = new QAction(tr("&Close"), this);
    d->m_pCloseAction->setEnabled(false);
    addCommand(pFileMenu, d->m_pCloseAction, QLatin1String(CoreIds::FileClose),
               standardKeys(QKeySequence::Close,
                            {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)}),
               tr("Close the current project"));
    connect(d->m_pCloseAction, &QAction::triggered, this, &MainWindow::fileClose);
    pFileMenu->insertSeparator();

    // Declared here so that the preview and export plug-ins find them by
    // identifier; without those plug-ins they do nothing.
    d->m_pPreviewSceneAction = new QAction(tr("Preview Current Scene in &Browser"), this);
    addCommand(pFileMenu, d->m_pPreviewSceneAction, QLatin1String(CoreIds::FilePreviewCurrentSceneInBrowser),
               {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S)});
    d->m_pPreviewProjectAction = new QAction(tr("Preview Pro&ject in Browser"), this);
    addCommand(pFileMenu, d->m_pPreviewProjectAction, QLatin1String(CoreIds::FilePreviewProjectInBrowser),
               {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P)});
    d->m_pExportAction = new QAction(tr("&Export to HTML5"), this);
    addCommand(pFileMenu, d->m_pExportAction, QLatin1String(CoreIds::FileExportToHtml5),
               {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E)});
    pFileMenu->insertSeparator();

    d->m_pExitAction = new QAction(tr("E&xit"), this);
    addCommand(pFileMenu, d->m_pExitAction, QLatin1String(CoreIds::FileExit), standardKeys(QKeySequence::Quit),
               tr("Quit the program"));
    connect(d->m_pExitAction, &QAction::triggered, this, &MainWindow::fileExit);

    // Edit
    ActionContainer *pEditMenu = createMenu(this, tr("&Edit"), CoreIds::MenuBarEdit);
    pMenuBar->insertMenu(pEditMenu);
    new UndoRedoCommands(this, pEditMenu);   // a child of the window
    new StandardEditCommands(this, pEditMenu);   // likewise; editors give them their behaviour
    d->m_pPreferencesAction = new QAction(commandIcon("preferences"), tr("&Preferences"), this);
    addCommand(pEditMenu, d->m_pPreferencesAction, QLatin1String(CoreIds::EditPreferences),
               standardKeys(QKeySequence::Preferences));
    connect(d->m_pPreferencesAction, &QAction::triggered, this, &MainWindow::onPreferences);

    // View
    ActionContainer *pViewMenu = createMenu(this, tr("&View"), CoreIds::MenuBarView);
    pMenuBar->insertMenu(pViewMenu);
    createLanguageMenu(pViewMenu->getMenu());
    createThemeMenu(pViewMenu->getMenu());
    pViewMenu->insertSeparator();
    d->m_pNextProjectAction = new QAction(tr("&Next Project"), this);
    addCommand(pViewMenu, d->m_pNextProjectAction, QLatin1String(CoreIds::ViewNextProject),
               {QKeySequence(Qt::CTRL | Qt::Key_Tab)}, tr("Bring the next project's tab to the front"));
    connect(d->m_pNextProjectAction, &QAction::triggered, this, [this] { stepProject(d->m_pMdiArea, 1); });
    d->m_pPreviousProjectAction = new QAction(tr("&Previous Project"), this);
    addCommand(pViewMenu, d->m_pPreviousProjectAction, QLatin1String(CoreIds::ViewPreviousProject),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)}, tr("Bring the previous project's tab to the front"));
    connect(d->m_pPreviousProjectAction, &QAction::triggered, this, [this] { stepProject(d->m_pMdiArea, -1); });

    // Help: apart from Help Contents, the about box, community link, updater
    // and account plug-ins attach their behaviour to these.
    ActionContainer *pHelpMenu = createMenu(this, tr("&Help"), CoreIds::MenuBarHelp);
    pMenuBar->insertMenu(pHelpMenu);
    addCommand(pHelpMenu, new QAction(tr("&About"), this), QLatin1String(CoreIds::HelpAbout));
    d->m_pHelpContentsAction = new QAction(tr("&Help Contents"), this);
    addCommand(pHelpMenu, d->m_pHelpContentsAction, QLatin1String(CoreIds::HelpHelpContents),
               {QKeySequence(Qt::Key_F1)});
    connect(d->m_pHelpContentsAction, &QAction::triggered, this, &MainWindow::onHelpContents);
    auto *pFindCommandAction = new QAction(tr("&Find Command..."), this);
    addCommand(pHelpMenu, pFindCommandAction, QLatin1String(CoreIds::HelpFindCommand),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, tr("Find a command by its name and run it"));
    connect(pFindCommandAction, &QAction::triggered, this, &MainWindow::showCommandPalette);
    addCommand(pHelpMenu, new QAction(tr("User &Community"), this), QLatin1String(CoreIds::HelpCommunity));
    addCommand(pHelpMenu, new QAction(tr("Check &Updates..."), this), QLatin1String(CoreIds::HelpCheckUpdates));
    pHelpMenu->insertSeparator();
    addCommand(pHelpMenu, new QAction(tr("&My Account"), this), QLatin1String(CoreIds::HelpUserAccount));
}

void MainWindow::createToolBars()
{
    d->m_pFileToolbar = addToolBar(tr("File"));
    d->m_pFileToolbar->setObjectName(QStringLiteral("m_pFileToolbar"));
    // The commands' visible actions, so the buttons follow the focused context.
    const auto addButton = [this](const char *id) {
        if (ContextAction *pCommand = ActionManager::getAction(QString::fromLatin1(id)))
            d->m_pFileToolbar->addAction(pCommand->getAction());
    };
    addButton(CoreIds::FileNew);
    addButton(CoreIds::FileOpenProject);
    addButton(CoreIds::FileSave);
    d->m_pFileToolbar->addSeparator();
    addButton(CoreIds::FilePreviewCurrentSceneInBrowser);
    addButton(CoreIds::FilePreviewProjectInBrowser);
    addButton(CoreIds::FileExportToHtml5);
}

void MainWindow::createStatusBar()
{
    statusBar()->showMessage(tr("Ready"), 0);
}

void MainWindow::createLanguageMenu(QMenu *viewMenu)
{
    auto *pLanguageMenu = new QMenu(tr("&Language"), viewMenu);
    pLanguageMenu->setIcon(commandIcon("language"));
    viewMenu->addMenu(pLanguageMenu);

    auto *pGroup = new QActionGroup(this);
    pGroup->setExclusive(true);
    ILanguageManager &languages = ILanguageManager::getInstance();
    const QString strCurrentId = languages.getCurrentLangId();
    for (const LanguageInfo *pInfo : languages.getLanguages()) {
        auto *pAction = new QAction(QStringLiteral("%1 (%2)").arg(pInfo->nativeLanguageName, pInfo->countryName), this);
        pAction->setCheckable(true);
        pAction->setData(pInfo->id);
        pLanguageMenu->addAction(pAction);
        pGroup->addAction(pAction);
        if (pInfo->id == strCurrentId) {
            pAction->setChecked(true);
            d->m_pCurrentLanguageAction = pAction;
        }
    }
    connect(pGroup, &QActionGroup::triggered, this, &MainWindow::languageChanged);
}

void MainWindow::createThemeMenu(QMenu *viewMenu)
{
    auto *pThemeMenu = new QMenu(tr("&Theme"), viewMenu);
    viewMenu->addMenu(pThemeMenu);
    auto *pGroup = new QActionGroup(this);
    pGroup->setExclusive(true);
    IThemesManager &themes = IThemesManager::getInstance();
    for (const ThemesInfo *pInfo : themes.getThemes()) {
        auto *pAction = new QAction(pInfo->name, pGroup);
        pAction->setCheckable(true);
        pAction->setData(pInfo->id);
        pAction->setChecked(pInfo->id == themes.getCurrentThemeId());
        pThemeMenu->addAction(pAction);
    }
    pThemeMenu->setEnabled(!pGroup->actions().isEmpty());
    // Unlike the language, a theme takes effect at once.
    // Whoever switched the theme (this menu, the preferences), the mark
    // follows; a theme that could not be applied leaves it where it was.
    const auto markCurrent = [pGroup]() {
        const QString strId = IThemesManager::getInstance().getCurrentThemeId();
        for (QAction *pAction : pGroup->actions())
            pAction->setChecked(pAction->data().toString() == strId);
    };
    connect(pGroup, &QActionGroup::triggered, this, [markCurrent](QAction *pAction) {
        if (!IThemesManager::getInstance().applyTheme(pAction->data().toString()))
            markCurrent();
    });
    connect(&themes, &IThemesManager::themeChanged, pGroup, markCurrent);
}

void MainWindow::languageChanged(QAction *pAction)
{
    if (!pAction)
        return;
    ILanguageManager &languages = ILanguageManager::getInstance();
    const QString strId = pAction->data().toString();
    // Catalogues are installed at start-up only, so the mark stays on the
    // language the application is running in.
    pAction->setChecked(false);
    if (d->m_pCurrentLanguageAction)
        d->m_pCurrentLanguageAction->setChecked(true);
    if (strId == languages.getCurrentLangId())
        return;
    if (!languages.saveLanguage(strId)) {
        IUi::information(this, QStringLiteral(ZELTO_APP_TITLE), tr("Failed to change language."), QMessageBox::Ok,
                         QMessageBox::Ok);
        return;
    }
    offerLanguageRestart();
}

void MainWindow::offerLanguageRestart()
{
    const QMessageBox::StandardButton answer =
        IUi::question(this, QStringLiteral(ZELTO_APP_TITLE),
                      tr("The language change will take effect when the application starts again.\nRestart now?"),
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        restart();
}

void MainWindow::restart()
{
    // The normal close saves the settings and asks every project; a project
    // the user keeps open cancels the restart.
    if (!close())
        return;
    // The user asked for a new language, not for a fresh start: the projects
    // come back whatever the preferences say.
    reopenSessionAtNextStart();
    ExtensionSystem::PluginManager::requestRestart();
    QCoreApplication::quit();
}

void MainWindow::updateFocusWidget(QWidget *, QWidget *now)
{
    // Opening a menu or the command palette must not take the commands away
    // from the focused context.
    if (holdsFocusInPassing(now))
        return;
    QWidget *focusWidget = QApplication::focusWidget();
    if (!focusWidget)
        return;
    const Context context = ContextManager::getActiveContext(focusWidget);
    if (!context.strId.isEmpty())
        ActionManager::setContext(context.pWidget);
}

void MainWindow::showCommandPalette()
{
    if (!d->m_pCommandPalette)
        d->m_pCommandPalette = new CommandPalette(this);
    d->m_pCommandPalette->popup();
}

void MainWindow::onPreferences()
{
    // Shared with getOptionsDialog(): one dialog for the whole run.
    if (IOptionsDlg *pDialog = getOptionsDialog())
        pDialog->showOptionsDialog();
}

void MainWindow::updateSaveAsMenu()
{
    IEditor *pEditor = EditorManager::activeEditor();
    const bool bHasDocument = pEditor && pEditor->getDocument();
    if (d->m_pSaveAsMenu)
        d->m_pSaveAsMenu->setEnabled(bHasDocument);
    // Other Project and Close act on the active project too; left disabled
    // they could never be used from the main window.
    if (d->m_pSaveAsAction)
        d->m_pSaveAsAction->setEnabled(bHasDocument);
    if (d->m_pCloseAction)
        d->m_pCloseAction->setEnabled(bHasDocument);
    // Moving between projects needs two of them.
    const bool bSeveral = d->m_pMdiArea && d->m_pMdiArea->subWindowList().size() > 1;
    if (d->m_pNextProjectAction)
        d->m_pNextProjectAction->setEnabled(bSeveral);
    if (d->m_pPreviousProjectAction)
        d->m_pPreviousProjectAction->setEnabled(bSeveral);
    // Save follows the project that has just become the active one.
    onEnabledSaveActionChanged(DocumentManager::getUndoGroup()->isClean());
}

void MainWindow::followActiveEditor()
{
    IEditor *pEditor = EditorManager::activeEditor();
    IDocument *pDocument = pEditor ? pEditor->getDocument() : nullptr;
    // The global Undo and Redo act on the group's active stack, and Save
    // hears of edits through it: both must be the project in front.
    QUndoStack *pStack = pDocument ? pDocument->getUndoStack() : nullptr;
    if (QUndoGroup *pGroup = DocumentManager::getUndoGroup()) {
        if (!pStack || pGroup->stacks().contains(pStack))
            pGroup->setActiveStack(pStack);
    }
    emit updateWindowFilePath(pDocument ? pDocument->getFileName() : QString());
    emit updateModified(pDocument && pDocument->isModified());
    showActiveStatus();
    updateSaveAsMenu();
}

void MainWindow::onEnabledSaveActionChanged(bool)
{
    if (!d->m_pSaveAction)
        return;
    IEditor *pEditor = EditorManager::activeEditor();
    IDocument *pDocument = pEditor ? pEditor->getDocument() : nullptr;
    if (!pDocument) {
        d->m_pSaveAction->setEnabled(false);
        return;
    }
    // The document's own stack, not the group's: the group may still point at
    // the previously active project while an editor is being activated.
    QUndoStack *pStack = pDocument->getUndoStack();
    const bool bUnsaved = pStack && !pStack->isClean();
    d->m_pSaveAction->setEnabled(pDocument->isTempDocument() || pDocument->isOpenAsBackup() || bUnsaved);
}
