#include "core/welcome/imainmdiarea.h"
#include "core/welcome/imainmdiarea_p.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/documents/documentfactories_p.h"
#include "core/documents/pathcheck.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "core/welcome/bridgelogthrottle_p.h"
#include "core/welcome/welcomelogging_p.h"
#include "core/welcome/zthtmlexposingwelcome.h"
#include "zeltoversion.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>
#include <QUrl>

namespace {

const char kGetLocale[] = "WelcomeScreen.getLocale";
const char kGetBuildNumber[] = "WelcomeScreen.getBuildNumber";

// Pages may reach only the application's own files (samples, tutorials)
// and the recent projects it lists itself; anything else a page names is
// refused with a line in the log.
bool mayReach(const QString &strFile, const QString &strPath)
{
    if (IRecentFilesManager::getInstance()->getRecentFiles().contains(strFile))
        return true;
    const QString strAppDir = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(strPath))
        return PathCheck::isInside(strPath, strAppDir);
    // A sample that is missing is reported as missing, where the page looks
    // for it: in the application's folder or a folder inside it.
    const QString strParent = QFileInfo(strPath).absolutePath();
    return QFileInfo(strParent).canonicalFilePath() == QFileInfo(strAppDir).canonicalFilePath()
           || PathCheck::isInside(strParent, strAppDir);
}

void logRefused(const char *pWhat, const QString &strFile)
{
    if (BridgeLogThrottle::allow())
        qCWarning(lcWelcome, "Refused to %s %s: it is outside the application's folder.", pWhat,
                  qUtf8Printable(BridgeLogThrottle::excerpt(strFile)));
}

} // namespace

IMainMdiArea::IMainMdiArea(QWidget *parent)
    : QMdiArea(parent)
    , d(std::make_unique<IMainMdiAreaPrivate>())
{
    // Files dropped on the work area are opened by the main window.
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        installEventFilter(pMainWindow);
    setAcceptDrops(true);
    d->m_pWelcome = new ZTHTMLExposingWelcome(this);

    connect(this, &QMdiArea::subWindowActivated, this, &IMainMdiArea::onSubWindowActivated);
}

void IMainMdiArea::onSubWindowActivated(QMdiSubWindow *pWindow)
{
    if (!pWindow)
        return;
    // The window's own Close holds the platform's Close key (Ctrl+W) for
    // the whole window, as File > Close does: Qt finds the key ambiguous and
    // runs neither. The command, which asks to save, keeps it. A window gets
    // the focus, where its key would count, only by becoming active.
    if (QMenu *pMenu = pWindow->systemMenu()) {
        for (QAction *pAction : pMenu->actions())
            pAction->setShortcuts(QList<QKeySequence>());
    }
    // In tabbed view every project is a full tab. QMdiArea maximises the
    // window coming to the front only when the one leaving was maximised and
    // still visible; a closing project hides its window first, which would
    // leave the next one a small window with a caption bar of its own.
    if (viewMode() == TabbedView && !testOption(DontMaximizeSubWindowOnActivation) && !pWindow->isMaximized())
        pWindow->showMaximized();
}

IMainMdiArea::~IMainMdiArea() = default;

void IMainMdiArea::setWelcomeWidget(QWidget *w)
{
    d->m_pWelcomeWidget = w;
    if (!w)
        return;
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        w->installEventFilter(pMainWindow);
    // Laid over the work area rather than added as a subwindow, so it gets
    // no tab and never counts as an open project. It covers the whole area,
    // not the viewport, whose size changes as the tab bar comes and goes
    // with the first project: a web page would draw again at each change,
    // and with some OpenGL drivers keep the memory of every size it had.
    // Reparenting hides it; the main window decides when it shows.
    w->setParent(this);
    w->hide();
    w->raise();
    w->setGeometry(contentsRect());
}

QWidget *IMainMdiArea::getWelcomeWidget() const
{
    return d->m_pWelcomeWidget;
}

bool IMainMdiArea::viewportEvent(QEvent *e)
{
    // The viewport follows every change of the area's size.
    if (e->type() == QEvent::Resize && d->m_pWelcomeWidget && d->m_pWelcomeWidget->parentWidget() == this)
        d->m_pWelcomeWidget->setGeometry(contentsRect());
    return QMdiArea::viewportEvent(e);
}

void IMainMdiArea::showInExplorer(QString strFileName)
{
    const QString strFolder = QFileInfo(strFileName).path();
    if (strFolder.isEmpty())
        return;
    // The file browser shows whatever folder it is given, and the page is
    // not to show the user's other folders.
    if (!mayReach(strFileName, strFileName)) {
        logRefused("show the folder of", strFileName);
        return;
    }
    if (QFileInfo::exists(strFileName)) {
        // fromLocalFile gives "file:///C:/..." on Windows and "file:///home/..."
        // elsewhere; gluing "file:///" to an absolute Unix path would not.
        const QUrl url = QUrl::fromLocalFile(QFileInfo(strFolder).absoluteFilePath());
        if (!QDesktopServices::openUrl(url))
            IUi::warning(this, QStringLiteral(ZELTO_APP_TITLE), tr("Could not open file %1.").arg(strFileName),
                         QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    offerToForget(strFileName);
}

void IMainMdiArea::offerToForget(const QString &strFileName)
{
    const QMessageBox::StandardButton answer = IUi::question(
        this, QStringLiteral(ZELTO_APP_TITLE),
        tr("The project [%1] no longer exists.\nDo you want to remove this entry from history?").arg(strFileName),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        removeFile(strFileName);
}

void IMainMdiArea::removeFile(QString strFile)
{
    // The menu follows the list by itself; the page is told even when the
    // path was not listed, so it drops a row it shows by mistake.
    IRecentFilesManager::getInstance()->removeFile(strFile);
    emit resetRecentFiles();
}

QStringList IMainMdiArea::getRecentFileList()
{
    return IRecentFilesManager::getInstance()->getRecentFiles();
}

void IMainMdiArea::callbackTunnelAsync(QString cmd)
{
    ContextAction *pCommand = ActionManager::getAction(cmd);
    if (!pCommand)
        return;
    // Emitted directly instead of QAction::trigger(): the page's buttons run
    // the command whatever its enabled state, and nothing toggles.
    if (QAction *pAction = pCommand->getAction())
        emit pAction->triggered(true);
}

QString IMainMdiArea::callbackAsyncfromJS(QString cmd, QString)
{
    if (cmd == QLatin1String(kGetLocale))
        return ILanguageManager::getInstance().getCurrentLangId();
    if (cmd == QLatin1String(kGetBuildNumber))
        return QStringLiteral(ZELTO_VERSION);
    return QString();
}

void IMainMdiArea::openURL(QString strURL)
{
    if (strURL.startsWith(QLatin1String("http://")) || strURL.startsWith(QLatin1String("https://"))) {
        QDesktopServices::openUrl(QUrl(strURL));
        return;
    }
    IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE), QStringLiteral("URL: ") + strURL,
                     QMessageBox::Ok, QMessageBox::Ok);
}

void IMainMdiArea::openFile(QString strFile)
{
    // Samples and tutorials ship next to the executable. The page also opens
    // the recent projects it lists, wherever they are; nothing else outside
    // the application's folder is handed to the system.
    const QString strPath = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(strFile);
    if (!mayReach(strFile, strPath)) {
        logRefused("open", strFile);
        return;
    }
    const bool bRecent = IRecentFilesManager::getInstance()->getRecentFiles().contains(strFile);
    const QFileInfo info(strPath);
    // A recent project that is gone may leave the list, as it may from the menu.
    if (!info.exists() && bRecent) {
        offerToForget(strFile);
        return;
    }
    if (!info.exists()) {
        IUi::information(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                         tr("Could not find the requested file.") + QLatin1Char('\n') + strPath, QMessageBox::Ok,
                         QMessageBox::Ok);
        return;
    }
    if (DocumentFactories::forFile(strPath)) {
        if (MainWindow *pMainWindow = ICore::getMainWindow())
            pMainWindow->loadFile(strPath);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(strPath));
}
