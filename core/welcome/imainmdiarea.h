#pragma once

#include "core/core_global.h"

#include <QMdiArea>
#include <QPointer>
#include <QStringList>

class ZTHTMLExposingWelcome;

// The main window's work area. While no project is open it shows the welcome
// page (a widget another plug-in hands over) and serves the page's requests,
// which reach it through the "ztwelcome" object on the web channel.
class CORE_EXPORT IMainMdiArea : public QMdiArea
{
    Q_OBJECT

public:
    explicit IMainMdiArea(QWidget *parent = nullptr);
    ~IMainMdiArea() override;

    // Not owned: the plug-in that made the widget deletes it. The widget is
    // laid over the viewport, hidden until the main window shows it.
    void setWelcomeWidget(QWidget *w);
    QWidget *getWelcomeWidget() const;

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

protected:
    bool viewportEvent(QEvent *e) override;

private slots:
    void onSubWindowActivated(QMdiSubWindow *pWindow);

private:
    QPointer<QWidget> m_pWelcomeWidget;
    ZTHTMLExposingWelcome *m_pWelcome;   // child of this area
};
