#include "core/mainwindow.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextmanager.h"
#include "core/icore.h"

#include <QApplication>
#include <QCloseEvent>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setAcceptDrops(true);
    m_pCore = new ICore(this);
    m_pActionManager = new ActionManager;
    m_pContextManager = new ContextManager;
    ActionManager::initialize();

    connect(qApp, &QApplication::focusChanged, this, &MainWindow::updateFocusWidget);
}

MainWindow::~MainWindow()
{
    delete m_pCore;
    disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::updateFocusWidget);
}

bool MainWindow::init(QString *)
{
    return true;
}

void MainWindow::extensionsInitialized()
{
    show();
}

void MainWindow::aboutToShutdown()
{
}

bool MainWindow::IsFirstRun()
{
    return false;
}

void MainWindow::forceQuit()
{
}

QWebSocketServer *MainWindow::getServer() const
{
    return m_pServer;
}

QWebChannel *MainWindow::getChannel() const
{
    return m_pChannel;
}

IMainMdiArea *MainWindow::getMdiArea() const
{
    return m_pMdiArea;
}

QToolBar *MainWindow::getFileToolbar() const
{
    return m_pFileToolbar;
}

ZTNotificationBar *MainWindow::getNotificationBar() const
{
    return nullptr;
}

QLabel *MainWindow::getUserAccountLink() const
{
    return nullptr;
}

void MainWindow::updateUserAccountLink(const QString &)
{
}

IOptionsDlg *MainWindow::getOptionsDialog()
{
    return m_pOptionsDlg;
}

void MainWindow::setWelcomeWidget(QWidget *)
{
}

void MainWindow::setWindowFilePath(const QString &path)
{
    emit updateWindowFilePath(path);
}

void MainWindow::setWindowModified(bool modified)
{
    emit updateModified(modified);
}

void MainWindow::showNotification(const QString &, ZTNotificationBar::Type, const QString &, bool)
{
}

void MainWindow::hideNotification()
{
}

QString MainWindow::getDefaultTempPath()
{
    return QString();
}

bool MainWindow::removeDefaultTempDir()
{
    return false;
}

void MainWindow::updateShadowBorderFrame(bool)
{
}

void MainWindow::setVisibleWelcomeWidget(bool)
{
}

void MainWindow::raiseUp()
{
}

void MainWindow::updateActivatedMdiSubFilePath(QMdiSubWindow *)
{
}

void MainWindow::activationChangeFiltered()
{
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    e->accept();
}

void MainWindow::moveEvent(QMoveEvent *e)
{
    QMainWindow::moveEvent(e);
}

void MainWindow::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
}

void MainWindow::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    return QWidget::nativeEvent(eventType, message, result);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *e)
{
    return QObject::eventFilter(watched, e);
}

void MainWindow::createBorders()
{
}

void MainWindow::removeBorders()
{
}

void MainWindow::fixAutoHideTaskbar()
{
}
