#include "core/welcome/zthtmlexposingwelcome.h"

#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/mainwindow.h"
#include "core/welcome/imainmdiarea.h"

#include <QWebChannel>

ZTHTMLExposingWelcome::ZTHTMLExposingWelcome(IMainMdiArea *mdiArea)
    : QObject(mdiArea)
    , m_pMdiArea(mdiArea)
{
    m_resetRelay = connect(mdiArea, &IMainMdiArea::resetRecentFiles, this, &ZTHTMLExposingWelcome::resetRecentFiles);
    connect(IRecentFilesManager::getInstance(), &IRecentFilesManager::recentFilesChanged, this,
            &ZTHTMLExposingWelcome::recentFilesChanged);
    //! [publish]
    if (MainWindow *pMainWindow = ICore::getMainWindow()) {
        if (QWebChannel *pChannel = pMainWindow->getChannel())
            pChannel->registerObject(QStringLiteral("ztwelcome"), this);
    }
    //! [publish]
}

ZTHTMLExposingWelcome::~ZTHTMLExposingWelcome()
{
    disconnect(m_resetRelay);
}

void ZTHTMLExposingWelcome::showInExplorer(QString strFileName)
{
    m_pMdiArea->showInExplorer(strFileName);
}

void ZTHTMLExposingWelcome::removeFile(QString strFile)
{
    m_pMdiArea->removeFile(strFile);
}

QStringList ZTHTMLExposingWelcome::getRecentFileList()
{
    return m_pMdiArea->getRecentFileList();
}

void ZTHTMLExposingWelcome::callbackTunnelAsync(QString cmd)
{
    m_pMdiArea->callbackTunnelAsync(cmd);
}

QString ZTHTMLExposingWelcome::callbackAsyncfromJS(QString cmd, QString str)
{
    return m_pMdiArea->callbackAsyncfromJS(cmd, str);
}

void ZTHTMLExposingWelcome::openURL(QString strURL)
{
    m_pMdiArea->openURL(strURL);
}

void ZTHTMLExposingWelcome::openFile(QString strFile)
{
    m_pMdiArea->openFile(strFile);
}
