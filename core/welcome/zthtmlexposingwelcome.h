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
    // The channel sends the new list along with recentFilesChanged(), so a
    // page shows every change of the list without asking for it.
    Q_PROPERTY(QStringList recentFiles READ getRecentFileList NOTIFY recentFilesChanged)

public:
    explicit ZTHTMLExposingWelcome(IMainMdiArea *mdiArea);
    ~ZTHTMLExposingWelcome() override;

signals:
    void resetRecentFiles();
    // Whenever the recent projects list changes, whoever changed it.
    void recentFilesChanged();

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
