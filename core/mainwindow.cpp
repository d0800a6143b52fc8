#include "core/mainwindow.h"

#include "core/documents/documentmanager.h"
#include "core/documents/editormanager.h"
#include "core/documents/idocument.h"
#include "core/documents/idocumentfactory.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "extensionsystem/pluginmanager.h"

#include <QCloseEvent>
#include <QCoreApplication>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setAcceptDrops(true);
    m_pCore = new ICore(this);
    m_pDocumentManager = new DocumentManager;
    m_pEditorManager = new EditorManager;

    DocumentManager::setSettings(ExtensionSystem::PluginManager::settings());
    DocumentManager::readSettings();
    connect(m_pEditorManager, &EditorManager::editorActivated, this, &MainWindow::updateSaveAsMenu,
            Qt::UniqueConnection);
}

MainWindow::~MainWindow()
{
    delete m_pDocumentManager;
    delete m_pEditorManager;
    delete m_pCore;
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
    if (!m_pOptionsDlg) {
        if (IDocumentFactory *pFactory = selectDocumentFactory())
            m_pOptionsDlg = pFactory->createOptionsDialog();   // kept until the application ends
    }
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

// Asks every open document to close, the editors' documents last editor
// first, then the documents without an editor. The first one that refuses
// stops the walk; the documents closed before it stay closed.
static bool closeAllDocuments()
{
    // Closing removes only that editor, so the lower indices stay valid.
    for (int i = EditorManager::getEditors().size() - 1; i >= 0; --i) {
        if (i >= EditorManager::getEditors().size())
            continue;
        IDocument *pDocument = EditorManager::getEditors().at(i)->getDocument();
        if (!pDocument)
            continue;
        if (!pDocument->close())
            return false;
        emit pDocument->requestClosing(false);
    }
    const QList<IDocument *> lstDocuments = DocumentManager::getDocuments();
    for (IDocument *pDocument : lstDocuments) {
        if (!DocumentManager::getDocuments().contains(pDocument))
            continue;   // went with an earlier one
        if (!pDocument->close())
            return false;
        emit pDocument->requestClosing(false);
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    if (!closeAllDocuments()) {
        e->ignore();
        return;
    }
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
