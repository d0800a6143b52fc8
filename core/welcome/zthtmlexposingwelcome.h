#pragma once

#include "core/core_global.h"

#include <QMetaObject>
#include <QObject>
#include <QStringList>

class IMainMdiArea;

// The welcome page's view of the application, published on the web channel
// as "ztwelcome". Its slots and their parameter names are what the page's
// JavaScript sees; each forwards to the work area's slot of the same name.
// Only the core publishes it, so it is not exported to other plug-ins.
class ZTHTMLExposingWelcome : public QObject
{
    Q_OBJECT

public:
    explicit ZTHTMLExposingWelcome(IMainMdiArea *mdiArea);
    ~ZTHTMLExposingWelcome() override;

signals:
    void resetRecentFiles();

public slots:
    void showInExplorer(QString strFileName);
    void removeFile(QString strFile);
    QStringList getRecentFileList();
    void callbackTunnelAsync(QString cmd);
    QString callbackAsyncfromJS(QString cmd, QString str);
    void openURL(QString strURL);
    void openFile(QString strFile);

private:
    IMainMdiArea *m_pMdiArea;   // the parent
    QMetaObject::Connection m_resetRelay;
};
