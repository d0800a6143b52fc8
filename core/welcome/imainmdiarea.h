#pragma once

#include "core/core_global.h"

#include <QMdiArea>
#include <QPointer>
#include <QStringList>

#include <memory>

class ZTHTMLExposingWelcome;

class IMainMdiAreaPrivate;

/**
 * The main window's work area (MainWindow::getMdiArea()): a QMdiArea in
 * tabbed mode into which editors put their widgets as subwindows.
 *
 * While no project is open it shows the welcome page (a widget another plug-in
 * hands over) and serves the page's requests, which reach it through the
 * object "ztwelcome" on the web channel; the slots below are those requests.
 * Owned by the main window. GUI thread only.
 */
class CORE_EXPORT IMainMdiArea : public QMdiArea
{
    Q_OBJECT

public:
    /** Creates the area and publishes "ztwelcome" on the main window's web channel; the main window does this. */
    explicit IMainMdiArea(QWidget *parent = nullptr);
    /** Destroys the area; the welcome widget is not deleted. */
    ~IMainMdiArea() override;

    /**
     * Takes @p w as the welcome page. Not owned: the plug-in that made the
     * widget deletes it. The widget is laid over the whole work area, hidden
     * until the main window shows it.
     */
    void setWelcomeWidget(QWidget *w);
    /** The welcome page's widget, or nullptr (also once it was deleted). */
    QWidget *getWelcomeWidget() const;

signals:
    /** Tells the welcome page to reload its recent projects list; emitted whenever the page is shown and when the list changed. */
    void resetRecentFiles();

public slots:
    /**
     * Opens the folder of the recent project @p strFileName in the system's
     * file browser; when the project no longer exists, offers to remove it
     * from the recent projects list.
     */
    void showInExplorer(QString strFileName);
    /** Removes @p strFile from the recent projects list and refreshes the menu and the page. */
    void removeFile(QString strFile);
    /** The recent projects, most recent first (at most ten). */
    QStringList getRecentFileList();
    /**
     * Runs the command @p cmd ("File.New") by emitting its action's
     * QAction::triggered(); identifiers that name no command are ignored.
     */
    void callbackTunnelAsync(QString cmd);
    /**
     * Answers a question of the page: "WelcomeScreen.getLocale" gives the
     * running language's identifier, "WelcomeScreen.getBuildNumber" the build
     * number; anything else an empty string. @p str is not used.
     */
    QString callbackAsyncfromJS(QString cmd, QString str);
    /** Opens an http:// or https:// @p strURL in the system browser; anything else is refused with a message. */
    void openURL(QString strURL);
    /**
     * Opens a sample or tutorial shipped with the application: @p strFile is
     * resolved against the application's folder; files a document factory
     * serves open in the application, other files with the system. A missing file is reported;
     * for a recent project that no longer exists, removing it from the list
     * is offered.
     */
    void openFile(QString strFile);

protected:
    /** Keeps the welcome page covering the work area. */
    bool viewportEvent(QEvent *e) override;

private slots:
    void onSubWindowActivated(QMdiSubWindow *pWindow);

private:
    void offerToForget(const QString &strFileName);

    std::unique_ptr<IMainMdiAreaPrivate> d;
};
