#include "core/mainwindow.h"

#include "core/icore.h"
#include "core/iui.h"
#include "core/ui/eventfilter.h"
#include "core/ui/imainmenuwidget.h"
#include "core/ui/ishadowborderframe.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setAcceptDrops(true);
    m_pCore = new ICore(this);

    // The frameless window's own title bar; it also carries the notification bar.
    m_pMenuWidget = new IMainMenuWidget(this, QStringLiteral(ZELTO_APP_TITLE),
                                        IUi::getIcon(QStringLiteral("icon"), IUi::SizeNone,
                                                     QStringLiteral(":/core/images/")));
    connect(this, &MainWindow::updateWindowFilePath, m_pMenuWidget, &IMainMenuWidget::updateWindowFilePath);
    connect(this, &MainWindow::updateModified, m_pMenuWidget, &IMainMenuWidget::updateModified);
    connect(m_pMenuWidget->accountLinkLabel(), &QLabel::linkActivated, this, &MainWindow::userAccountLinkActivated);
    setMenuWidget(m_pMenuWidget);

    // Every activation change redraws the shadow borders (active shadow or inactive line).
    m_pEventFilter = new EventFilter(this);
    connect(m_pEventFilter, &EventFilter::activationChangeFiltered, this, &MainWindow::activationChangeFiltered);
    QCoreApplication::instance()->installEventFilter(m_pEventFilter);
}

MainWindow::~MainWindow()
{
    disconnect(m_pEventFilter, nullptr, nullptr, nullptr);
    delete m_pEventFilter;
    m_pEventFilter = nullptr;
    delete m_pCore;
}

bool MainWindow::init(QString *)
{
    return true;
}

void MainWindow::extensionsInitialized()
{
    createBorders();
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
    return m_pMenuWidget->notificationBar();
}

QLabel *MainWindow::getUserAccountLink() const
{
    return m_pMenuWidget->accountLinkLabel();
}

void MainWindow::updateUserAccountLink(const QString &text)
{
    m_pMenuWidget->setAccountLinkText(text);
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

void MainWindow::showNotification(const QString &text, ZTNotificationBar::Type type,
                                  const QString &buttonText, bool closable)
{
    if (!text.isEmpty())
        qInfo("%s", qUtf8Printable(text));
    m_pMenuWidget->notificationBar()->show(text, type, buttonText, closable);
}

void MainWindow::hideNotification()
{
    m_pMenuWidget->notificationBar()->hide();
}

QString MainWindow::getDefaultTempPath()
{
    return QString();
}

bool MainWindow::removeDefaultTempDir()
{
    return false;
}

void MainWindow::updateShadowBorderFrame(bool active)
{
    for (IShadowBorderFrame *pBorder : m_pBorders) {
        if (!pBorder)
            return;
    }
    for (IShadowBorderFrame *pBorder : m_pBorders)
        pBorder->updateBorder(active);
    // A maximized or full-screen window has no edge to drag or shade.
    const bool bVisible = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    for (IShadowBorderFrame *pBorder : m_pBorders)
        pBorder->setVisible(bVisible);
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
    updateShadowBorderFrame(isActiveWindow());
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    removeBorders();
    e->accept();
}

void MainWindow::moveEvent(QMoveEvent *e)
{
    updateShadowBorderFrame(true);
    QMainWindow::moveEvent(e);
}

void MainWindow::resizeEvent(QResizeEvent *e)
{
    updateShadowBorderFrame(true);
    QMainWindow::resizeEvent(e);
}

void MainWindow::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::WindowStateChange && m_pMenuWidget) {
        const Qt::WindowStates oldState = static_cast<QWindowStateChangeEvent *>(e)->oldState();
        if ((oldState ^ windowState()) & Qt::WindowMaximized)
            m_pMenuWidget->updateMaximized(windowState() & Qt::WindowMaximized);
    }
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
    for (int nSide = 0; nSide < 4; ++nSide)
        m_pBorders[nSide] = new IShadowBorderFrame(this, nSide);
    if (m_pEventFilter) {
        for (int nSide : {2, 0, 1, 3})
            connect(m_pEventFilter, &EventFilter::activationChangeFiltered, m_pBorders[nSide],
                    &IShadowBorderFrame::activationChangeFiltered);
    }
}

void MainWindow::removeBorders()
{
    for (IShadowBorderFrame *&pBorder : m_pBorders) {
        if (!pBorder)
            continue;
        if (m_pEventFilter)
            disconnect(m_pEventFilter, &EventFilter::activationChangeFiltered, pBorder,
                       &IShadowBorderFrame::activationChangeFiltered);
        pBorder->close();
        pBorder = nullptr;
    }
}

void MainWindow::fixAutoHideTaskbar()
{
}
