#include "core/mainwindow.h"
#include "core/mainwindow_p.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextmanager.h"
#include "core/documents/documentfactories_p.h"
#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/documents/idocument.h"
#include "core/documents/idocumentfactory.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/iui.h"
#include "core/ui/chromeaccessibility.h"
#include "core/ui/eventfilter.h"
#include "core/ui/imainmenuwidget.h"
#include "core/ui/ishadowborderframe.h"
#include "core/ui/menumnemonics.h"
#include "core/welcome/bridgeconnectionfile.h"
#include "core/welcome/imainmdiarea.h"
#include "core/welcome/websocketclientwrapper.h"
#include "core/welcome/websockettransport.h"

#include "extensionsystem/pluginmanager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostAddress>
#include <QIcon>
#include <QLabel>
#include <QLoggingCategory>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QNetworkProxyFactory>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebChannel>
#include <QWebSocketServer>
#include <QWindowStateChangeEvent>

#include <memory>

Q_LOGGING_CATEGORY(lcTempFolder, "zelto.core.tempfolder")

// The working folder of one running instance: "Zelto-Rideved-" and six
// random characters, made by this process with mode 0700. So no other user
// can have made it, put anything in it or be handed our files through it,
// and closing one instance never touches the files of another.
static const char s_tempDirPrefix[] = "Zelto-Rideved-";

// A tool tip wraps at spaces and hyphens only: a long name without them would
// run off the screen. A zero-width space after each folder and every so many
// characters lets it wrap there.
static QString wrappableToolTip(const QString &strText)
{
    const int nLongestRun = 60;
    QString strWrappable;
    int nRun = 0;
    for (const QChar c : strText) {
        strWrappable += c;
        nRun = c.isSpace() || c == QLatin1Char('-') ? 0 : nRun + 1;
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || nRun >= nLongestRun) {
            strWrappable += QChar(0x200B);
            nRun = 0;
        }
    }
    return strWrappable;
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , d(std::make_unique<MainWindowPrivate>())
{
    setAcceptDrops(true);
    QNetworkProxyFactory::setUseSystemConfiguration(true);

    // Web pages (the welcome page first of all) reach the application through
    // this server; port 0 lets the system pick a free one, read via getServer().
    d->m_pServer = new QWebSocketServer(QStringLiteral("ZTServer"), QWebSocketServer::NonSecureMode, this);
    if (!d->m_pServer->listen(QHostAddress::LocalHost, 0))
        qFatal("Failed to open web socket server.");

    // Every accepted connection becomes a transport of the channel. Both are
    // deleted by the destructor.
    d->m_pClientWrapper = new WebSocketClientWrapper(d->m_pServer, nullptr);
    d->m_pChannel = new QWebChannel(nullptr);
    connect(d->m_pClientWrapper, &WebSocketClientWrapper::clientConnected, d->m_pChannel, &QWebChannel::connectTo);
    // Tools and tests find the port and the token in the user's runtime
    // folder; the file goes when the window does.
    d->m_pConnectionFile = new BridgeConnectionFile;
    d->m_pConnectionFile->write(d->m_pServer->serverPort(), d->m_pClientWrapper->token());

    statusBar()->setSizeGripEnabled(false);
    // Small enough for a netbook or a tiled desktop, large enough for the
    // menus, the welcome page and an editor to stay usable.
    setMinimumSize(640, 480);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/app/images/app_icon.ico")));

    // The registries; the document and editor managers are deleted by the
    // destructor, the action and context managers live until the process ends.
    d->m_pCore = new ICore(this);
    d->m_pDocumentManager = new DocumentManager;
    d->m_pEditorManager = new EditorManager;
    d->m_pActionManager = new ActionManager;
    d->m_pContextManager = new ContextManager;
    ActionManager::initialize();
    DocumentManager::setSettings(ExtensionSystem::PluginManager::settings());
    DocumentManager::readSettings();

    connect(d->m_pEditorManager, &EditorManager::editorActivated, this, &MainWindow::followActiveEditor,
            Qt::UniqueConnection);

    // The work area; it publishes the welcome object on the channel, which
    // exists by now. Deleted by the destructor.
    d->m_pMdiArea = new IMainMdiArea(this);
    d->m_pMdiArea->setViewMode(QMdiArea::TabbedView);
    d->m_pMdiArea->setDocumentMode(true);
    d->m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    d->m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    d->m_pMdiArea->setWindowIcon(QIcon(QStringLiteral(":/app/images/project_icon.ico")));
    d->m_pMdiArea->setFocusPolicy(Qt::ClickFocus);
    connect(d->m_pMdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::updateActivatedMdiSubFilePath);
    // A project's window joins the area after its editor became the active
    // one: the commands that need two projects count the windows again then.
    connect(d->m_pMdiArea, &QMdiArea::subWindowActivated, this, &MainWindow::updateSaveAsMenu);
    setCentralWidget(d->m_pMdiArea);
    // A plug-in that puts its own central widget in place makes QMainWindow
    // delete the area; forget it then instead of deleting it twice.
    connect(d->m_pMdiArea, &QObject::destroyed, this, [this] { d->m_pMdiArea = nullptr; });
    if (QTabBar *pTabBar = d->m_pMdiArea->findChild<QTabBar *>()) {
        pTabBar->setExpanding(false);
        // Closable once the first project opens: asking the style sheet for
        // the close button loads its image, and the first image read by
        // guessing its format loads every image plug-in installed. An empty
        // work area has no tab to close, so the start-up need not pay that.
        auto pFirstTab = std::make_shared<QMetaObject::Connection>();
        *pFirstTab = connect(pTabBar, &QTabBar::currentChanged, pTabBar, [pTabBar, pFirstTab] {
            QObject::disconnect(*pFirstTab);
            pTabBar->setTabsClosable(true);
        });
        QFont font = pTabBar->font();
        font.setBold(true);
        pTabBar->setFont(font);
        pTabBar->setDrawBase(false);
        // A long project name shares the bar with the others: the tab keeps
        // the name's start and end, and its tool tip the whole path.
        pTabBar->setElideMode(Qt::ElideMiddle);
        pTabBar->setStyleSheet(QStringLiteral("QTabBar::tab { max-width: 24em; }"));
        connect(this, &MainWindow::updateWindowFilePath, pTabBar, [this, pTabBar]() {
            if (!d->m_pMdiArea)
                return;
            // The work area keeps one tab per subwindow, in the order they were made.
            const QList<QMdiSubWindow *> lstWindows = d->m_pMdiArea->subWindowList(QMdiArea::CreationOrder);
            for (int i = 0; i < pTabBar->count() && i < lstWindows.size(); ++i) {
                const QString strPath = lstWindows.at(i)->windowFilePath();
                pTabBar->setTabToolTip(i, wrappableToolTip(QDir::toNativeSeparators(
                                              strPath.isEmpty() ? lstWindows.at(i)->windowTitle() : strPath)));
            }
        });
    }

    // The frameless window's own title bar; it also carries the notification bar.
    ChromeAccessibility::install();
    d->m_pMenuWidget = new IMainMenuWidget(this, QStringLiteral(ZELTO_APP_TITLE),
                                           IUi::getIcon(QStringLiteral("icon"), IUi::SizeNone,
                                                        QStringLiteral(":/core/images/")));
    connect(this, &MainWindow::updateWindowFilePath, d->m_pMenuWidget, &IMainMenuWidget::updateWindowFilePath);
    connect(this, &MainWindow::updateModified, d->m_pMenuWidget, &IMainMenuWidget::updateModified);
    connect(d->m_pMenuWidget->accountLinkLabel(), &QLabel::linkActivated, this, &MainWindow::userAccountLinkActivated);
    setMenuWidget(d->m_pMenuWidget);

    initActions();
    createToolBars();
    createStatusBar();
    // Every menu entry, the plug-ins' too, gets a mnemonic of its own.
    QCoreApplication::instance()->installEventFilter(new MenuMnemonics(this));
    // Whoever changes the recent projects list (a file command, a document's
    // close prompt, the welcome page), the menu shows it.
    connect(IRecentFilesManager::getInstance(), &IRecentFilesManager::recentFilesChanged, this,
            &MainWindow::updateRecentFileActions);

    // Every activation change redraws the shadow borders (active shadow or inactive line).
    d->m_pEventFilter = new EventFilter(this);
    connect(d->m_pEventFilter, &EventFilter::activationChangeFiltered, this, &MainWindow::activationChangeFiltered);
    QCoreApplication::instance()->installEventFilter(d->m_pEventFilter);

    connect(qApp, &QApplication::focusChanged, this, &MainWindow::updateFocusWidget);
}

MainWindow::~MainWindow()
{
    delete d->m_pDocumentManager;
    d->m_pDocumentManager = nullptr;
    delete d->m_pEditorManager;
    d->m_pEditorManager = nullptr;
    delete d->m_pCore;
    d->m_pCore = nullptr;

    disconnect(d->m_pEventFilter, nullptr, nullptr, nullptr);
    delete d->m_pEventFilter;
    d->m_pEventFilter = nullptr;
    disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::updateFocusWidget);
    disconnect(d->m_pClientWrapper, nullptr, d->m_pChannel, nullptr);

    // Web pages must not reach objects that are about to go away.
    const QHash<QString, QObject *> registered = d->m_pChannel->registeredObjects();
    for (QObject *pObject : registered)
        d->m_pChannel->deregisterObject(pObject);
    d->m_pServer->close();

    delete d->m_pConnectionFile;
    d->m_pConnectionFile = nullptr;
    delete d->m_pClientWrapper;
    d->m_pClientWrapper = nullptr;
    delete d->m_pChannel;
    d->m_pChannel = nullptr;
    delete d->m_pServer;
    d->m_pServer = nullptr;
    delete d->m_pMdiArea;
    d->m_pMdiArea = nullptr;

    // A window that was never closed (forceQuit) leaves no folder behind.
    removeDefaultTempDir();
}

bool MainWindow::init(QString *)
{
    return true;
}

void MainWindow::extensionsInitialized()
{
    createBorders();
    // Where the window was at the last quit, maximised or not. Else the
    // frameless window has no size of its own yet: give it a comfortable
    // share of the screen, centred, so it also looks right where no window
    // manager honours the maximised state.
    const bool bRestored = restoreWindowGeometry();
    if (!bRestored) {
        if (QScreen *pScreen = QGuiApplication::primaryScreen()) {
            const QRect available = pScreen->availableGeometry();
            resize(available.size() * 3 / 4);
            move(available.center() - rect().center());
        }
    }
    show();
    if (!bRestored && IsFirstRun())
        setWindowState(Qt::WindowMaximized);
    // Command-line projects open once the event loop runs.
    QTimer::singleShot(0, this, &MainWindow::openFilesPassedAsArguments);
}

void MainWindow::aboutToShutdown()
{
    // Ended without the window's close (the event loop was told to quit, or
    // the system sent SIGTERM): what is still open is what the user had
    // open. Its work goes to the backups, and the settings are kept, as a
    // close would have done.
    if (!d->m_bSessionSaved)
        saveSession();
    DocumentManager::backUpModifiedDocuments();
    ICore::saveSettings();
}

bool MainWindow::IsFirstRun()
{
    // The designer plug-in keeps its settings under "Designer"; until that
    // group exists the application has never been set up by the user.
    QSettings *pSettings = ICore::settings();
    if (!pSettings)
        return true;
    const QStringList groups = pSettings->childGroups();
    return !groups.contains(QStringLiteral("Designer"), Qt::CaseInsensitive);
}

void MainWindow::forceQuit()
{
    // Nothing is saved, the last session included.
    d->m_bSessionSaved = true;
    // Closing removes editors from the live list, so walk a copy.
    const QList<IEditor *> lstEditors = EditorManager::getEditors();
    for (IEditor *pEditor : lstEditors) {
        IDocument *pDocument = pEditor->getDocument();
        if (!pDocument)
            continue;
        pDocument->close();
        emit pDocument->requestClosing(false);
    }
    QCoreApplication::quit();
}

QWebSocketServer *MainWindow::getServer() const
{
    return d->m_pServer;
}

QWebChannel *MainWindow::getChannel() const
{
    return d->m_pChannel;
}

QString MainWindow::getServerToken() const
{
    return d->m_pClientWrapper->token();
}

IMainMdiArea *MainWindow::getMdiArea() const
{
    return d->m_pMdiArea;
}

QToolBar *MainWindow::getFileToolbar() const
{
    return d->m_pFileToolbar;
}

ZTNotificationBar *MainWindow::getNotificationBar() const
{
    return d->m_pMenuWidget->notificationBar();
}

QLabel *MainWindow::getUserAccountLink() const
{
    return d->m_pMenuWidget->accountLinkLabel();
}

void MainWindow::updateUserAccountLink(const QString &text)
{
    d->m_pMenuWidget->setAccountLinkText(text);
}

IOptionsDlg *MainWindow::getOptionsDialog()
{
    if (!d->m_pOptionsDlg) {
        if (IDocumentFactory *pFactory = selectDocumentFactory())
            d->m_pOptionsDlg = pFactory->createOptionsDialog();   // kept until the application ends
    }
    return d->m_pOptionsDlg;
}

void MainWindow::setWelcomeWidget(QWidget *w)
{
    if (d->m_pMdiArea)
        d->m_pMdiArea->setWelcomeWidget(w);
}

void MainWindow::setWindowFilePath(const QString &path)
{
    emit updateWindowFilePath(path);
}

void MainWindow::setWindowModified(bool modified)
{
    emit updateModified(modified);
}

void MainWindow::showNotification(const QString &text, ZTNotificationBar::Type type,
                                  const QString &buttonText, bool closable)
{
    if (!text.isEmpty())
        qInfo("%s", qUtf8Printable(text));
    d->m_pMenuWidget->notificationBar()->show(text, type, buttonText, closable);
}

void MainWindow::hideNotification()
{
    d->m_pMenuWidget->notificationBar()->hide();
}

// A link (symbolic link, or a junction on Windows) is removed as a link and
// never followed: following it would delete the user's files elsewhere.
static bool removeLink(const QFileInfo &info)
{
    const QString path = info.absoluteFilePath();
    if (QFile::remove(path))
        return true;
    // Windows removes a link to a folder as a folder; rmdir never touches
    // the target's content.
    return QDir().rmdir(path);
}

static bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

// Removes a folder with everything in it. Stops at the first entry that
// cannot be removed; that entry, the ones after it and the folder stay.
static bool removeFolderRecursively(const QString &path)
{
    QDir dir(path);
    if (!dir.exists())
        return false;
    const QFileInfoList entries = dir.entryInfoList(
        QDir::Files | QDir::AllDirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::DirsFirst);
    for (const QFileInfo &entry : entries) {
        bool bRemoved;
        if (isLink(entry))
            bRemoved = removeLink(entry);
        else if (entry.isDir())
            bRemoved = removeFolderRecursively(entry.absoluteFilePath());
        else
            bRemoved = QFile::remove(entry.absoluteFilePath());
        if (!bRemoved)
            return false;
    }
    return dir.rmdir(dir.absolutePath());
}

// Still the folder this process made: a real folder, not a link, with the
// owner it had then. Another user can only put something in its place
// after it was removed (by a cleaner of old temporary files, say).
static bool isOwnFolder(const QString &strPath, uint nOwner)
{
    const QFileInfo info(strPath);
    return !isLink(info) && info.isDir() && info.ownerId() == nOwner;
}

QString MainWindow::getDefaultTempPath()
{
    if (!d->m_strTempPath.isEmpty() && isOwnFolder(d->m_strTempPath, d->m_nTempOwner))
        return d->m_strTempPath;
    d->m_strTempPath.clear();

    // The per-user cache folder serves when the temporary one is not writable.
    const QString strBases[] = {QDir::tempPath(), QStandardPaths::writableLocation(QStandardPaths::CacheLocation)};
    for (const QString &strBase : strBases) {
        if (strBase.isEmpty() || !QDir().mkpath(strBase))
            continue;
        QTemporaryDir made(
            QDir(strBase).absoluteFilePath(QString::fromLatin1(s_tempDirPrefix) + QStringLiteral("XXXXXX")));
        if (!made.isValid())
            continue;
        made.setAutoRemove(false);
        // Qt restricts the folder to its owner right after making it: with
        // a lax umask someone could have put an entry in it in between.
        if (!QDir(made.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            continue;
        d->m_strTempPath = made.path();
        d->m_nTempOwner = QFileInfo(d->m_strTempPath).ownerId();
        return d->m_strTempPath;
    }
    qCWarning(lcTempFolder, "No private temporary folder could be made.");
    return QString();
}

bool MainWindow::removeDefaultTempDir()
{
    if (d->m_strTempPath.isEmpty())
        return false;
    // Only what this process made: never a link or a folder put in its place.
    if (!isOwnFolder(d->m_strTempPath, d->m_nTempOwner)) {
        d->m_strTempPath.clear();
        return false;
    }
    if (!removeFolderRecursively(d->m_strTempPath))
        return false;
    d->m_strTempPath.clear();
    return true;
}

void MainWindow::updateShadowBorderFrame(bool active)
{
    for (IShadowBorderFrame *pBorder : d->m_pBorders) {
        if (!pBorder)
            return;
    }
    for (IShadowBorderFrame *pBorder : d->m_pBorders)
        pBorder->updateBorder(active);
    // A maximized or full-screen window has no edge to drag or shade.
    const bool bVisible = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    for (IShadowBorderFrame *pBorder : d->m_pBorders)
        pBorder->setVisible(bVisible);
}

void MainWindow::setVisibleWelcomeWidget(bool bVisible)
{
    QWidget *pWelcome = d->m_pMdiArea ? d->m_pMdiArea->getWelcomeWidget() : nullptr;
    if (!pWelcome)
        return;
    // isHidden(), not isVisible(): the window itself may not be shown yet.
    if (pWelcome->isHidden() == bVisible)
        pWelcome->setVisible(bVisible);
    // The list may have changed while the page was hidden; the keyboard
    // starts on the page, where the next step is.
    if (bVisible) {
        emit d->m_pMdiArea->resetRecentFiles();
        pWelcome->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::raiseUp()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void MainWindow::updateActivatedMdiSubFilePath(QMdiSubWindow *mdiSubWindow)
{
    // The caption follows the project whose tab is in front.
    if (!mdiSubWindow)
        return;
    emit updateModified(mdiSubWindow->isWindowModified());
    emit updateWindowFilePath(mdiSubWindow->windowFilePath());
}

void MainWindow::activationChangeFiltered()
{
    updateShadowBorderFrame(isActiveWindow());
}

// The open documents in the order a quit asks about them: the editors'
// documents, last editor first, then the documents without an editor.
static QList<IDocument *> documentsInCloseOrder()
{
    QList<IDocument *> lstDocuments;
    const QList<IEditor *> &lstEditors = EditorManager::getEditors();
    for (int i = lstEditors.size() - 1; i >= 0; --i) {
        IDocument *pDocument = lstEditors.at(i)->getDocument();
        if (pDocument && !lstDocuments.contains(pDocument))
            lstDocuments.append(pDocument);
    }
    for (IDocument *pDocument : DocumentManager::getDocuments()) {
        if (!lstDocuments.contains(pDocument))
            lstDocuments.append(pDocument);
    }
    return lstDocuments;
}

bool MainWindow::closeAllDocuments()
{
    // Every question is answered before anything closes: a No that belongs
    // to a quit cancelled later must not have cost the project already.
    // Questions run event loops, in which another start may hand over a
    // project; it is asked about too, and one that goes meanwhile is skipped.
    QList<QPair<QPointer<IDocument>, IDocument::CloseAnswer>> lstAnswers;
    QList<IDocument *> lstAsked;
    const QPointer<IEditor> pFront = EditorManager::activeEditor();
    for (;;) {
        IDocument *pNext = nullptr;
        for (IDocument *pDocument : documentsInCloseOrder()) {
            if (!lstAsked.contains(pDocument)) {
                pNext = pDocument;
                break;
            }
        }
        if (!pNext)
            break;
        lstAsked.append(pNext);
        // The project a question names is the one in front while it asks.
        if (pNext->isModified()) {
            if (IEditor *pEditor = EditorManager::getEditorOfDocument(pNext))
                EditorManager::activateEditor(pEditor);
            raiseUp();
        }
        QPointer<IDocument> pGuard(pNext);
        const IDocument::CloseAnswer answer = pNext->askToSave();
        if (answer == IDocument::Cancelled)
            return false;
        if (pGuard)
            lstAnswers.append({pGuard, answer});
    }

    // The session remembers the project that was in front before the questions.
    if (pFront && EditorManager::getEditors().contains(pFront))
        EditorManager::activateEditor(pFront);
    saveSession();
    for (const auto &entry : qAsConst(lstAnswers)) {
        IDocument *pDocument = entry.first;
        if (!pDocument || !DocumentManager::getDocuments().contains(pDocument))
            continue;   // went with an earlier one
        pDocument->closeAnswered(entry.second);
        emit pDocument->requestClosing(false);
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    // Saved first, so a vetoed close still keeps what the user set.
    ICore::saveSettings();

    if (!closeAllDocuments()) {
        e->ignore();
        return;
    }

    removeBorders();
    removeDefaultTempDir();
    d->m_pConnectionFile->remove();
    e->accept();
}

void MainWindow::moveEvent(QMoveEvent *e)
{
    QMainWindow::moveEvent(e);
    fixAutoHideTaskbar();
    updateShadowBorderFrame(true);
}

void MainWindow::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    fixAutoHideTaskbar();
    updateShadowBorderFrame(true);
}

void MainWindow::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::WindowStateChange)
        d->m_bShrunkWhileMaximized = false;
    if (e->type() == QEvent::WindowStateChange && d->m_pMenuWidget) {
        const Qt::WindowStates oldState = static_cast<QWindowStateChangeEvent *>(e)->oldState();
        if ((oldState ^ windowState()) & Qt::WindowMaximized)
            d->m_pMenuWidget->updateMaximized(windowState() & Qt::WindowMaximized);
    }
    QWidget::changeEvent(e);
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, NativeEventResult *result)
{
    return QWidget::nativeEvent(eventType, message, result);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *e)
{
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        static_cast<QDragMoveEvent *>(e)->acceptProposedAction();
        return true;
    case QEvent::DragLeave:
        e->accept();
        break;
    case QEvent::Drop: {
        auto *dropEvent = static_cast<QDropEvent *>(e);
        const QList<QUrl> urls = dropEvent->mimeData() ? dropEvent->mimeData()->urls() : QList<QUrl>();
        if (urls.isEmpty())
            return false;
        // Only the first file is opened, and only when a document type
        // serves it; other files are ignored silently.
        const QString path = urls.first().toLocalFile();
        if (DocumentFactories::forFile(path) && loadFile(path))
            dropEvent->acceptProposedAction();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

void MainWindow::createBorders()
{
    for (int nSide = 0; nSide < 4; ++nSide)
        d->m_pBorders[nSide] = new IShadowBorderFrame(this, nSide);
    if (d->m_pEventFilter) {
        for (int nSide : {2, 0, 1, 3})
            connect(d->m_pEventFilter, &EventFilter::activationChangeFiltered, d->m_pBorders[nSide],
                    &IShadowBorderFrame::activationChangeFiltered);
    }
}

void MainWindow::removeBorders()
{
    for (IShadowBorderFrame *&pBorder : d->m_pBorders) {
        if (!pBorder)
            continue;
        if (d->m_pEventFilter)
            disconnect(d->m_pEventFilter, &EventFilter::activationChangeFiltered, pBorder,
                       &IShadowBorderFrame::activationChangeFiltered);
        pBorder->close();
        pBorder = nullptr;
    }
}

// True when the screen reserves no space for a taskbar (it hides itself) and
// the window covers the whole screen: then the taskbar could never be revealed.
static bool coversAutoHideTaskbar(const QWidget *pWindow)
{
    const QScreen *pScreen = pWindow->screen();
    if (!pScreen)
        return false;
    return pScreen->geometry() == pScreen->availableGeometry() && pWindow->rect() == pScreen->availableGeometry();
}

void MainWindow::fixAutoHideTaskbar()
{
    if (!coversAutoHideTaskbar(this))
        return;
    // One pixel short of the screen edge lets the auto-hidden taskbar show.
    QTimer::singleShot(0, this, [this] {
        if (!coversAutoHideTaskbar(this))
            return;
        // Resizing drops Qt's maximised state without telling; to the user
        // and to the session the window stays maximised.
        const bool bMaximized = windowState() & Qt::WindowMaximized;
        resize(width(), height() - 1);
        d->m_bShrunkWhileMaximized = d->m_bShrunkWhileMaximized || bMaximized;
    });
}
