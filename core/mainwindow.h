#pragma once

#include "core/core_global.h"
#include "core/ui/ztnotificationbar.h"

#include <QList>
#include <QMainWindow>

#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QWebChannel;
class QWebSocketServer;
QT_END_NAMESPACE

class ActionManager;
class ContextManager;
class DocumentManager;
class EditorManager;
class ICore;
class IDocument;
class IDocumentFactory;
class IMainMdiArea;
class IOptionsDlg;
class MainWindowPrivate;
class WebSocketClientWrapper;

/**
 * The application's only top-level window and the owner of the shell: the
 * local WebSocket server and web channel, the core services (ICore), the
 * registries (ActionManager, ContextManager, DocumentManager, EditorManager),
 * the work area with its welcome page, the title bar and the shadow borders.
 *
 * The core plug-in creates it before any other plug-in is initialised and
 * deletes it when the core plug-in goes, after every plug-in that depends on
 * "core". Plug-ins reach it through ICore::getMainWindow() and never delete
 * it. GUI thread only.
 *
 * Its menus are action containers ("MenuBar.File", "MenuBar.Edit",
 * "MenuBar.View", "MenuBar.Help", "File.Recent_Projects", "File.SaveAs") and
 * its commands are registered with the ActionManager ("File.New",
 * "File.Open_Project", "File.Save", "File.SaveAs.Project", "File.Close",
 * "File.Exit", "Edit.Preferences", "Help.Help_Contents", ...), named in
 * CoreIds; see @ref commands. Some commands ("File.Export_To_HTML5",
 * "File.Preview_Project_In_Browser", "File.Preview_Current_Scene_In_Browser",
 * "Help.About", "Help.Community", "Help.CheckUpdates", "Help.UserAccount")
 * are only declared here: plug-ins connect to their actions.
 */
class CORE_EXPORT MainWindow : public QMainWindow
{
    Q_OBJECT
    // Hands over the files another start of the application was given.
    friend class CorePlugin;

public:
    /**
     * Builds the shell, hidden: the WebSocket server on 127.0.0.1 with a port
     * the system picks (the process ends when it cannot listen), the web
     * channel, ICore, the registries, the work area, the menus, the toolbar
     * and the status bar. The core plug-in does this; plug-ins never do.
     */
    explicit MainWindow(QWidget *parent = nullptr);
    /** Deletes the registries, ICore, the web channel, the server and the work area. */
    ~MainWindow() override;

    /** The core plug-in's initialisation step; returns true and sets no error. */
    bool init(QString *errorMessage);
    /**
     * The core plug-in's last start-up step, after every plug-in was
     * initialised: creates the shadow borders, shows the window (maximised on
     * the first run) and schedules opening the files of the command line.
     */
    void extensionsInitialized();
    /**
     * The core plug-in's shutdown step. Documents close in closeEvent(); when
     * the application ends without it (told to end, SIGTERM say), the projects
     * still open are recorded as the session, their work goes to their
     * backups, and the settings are saved.
     */
    void aboutToShutdown();
    /** True when the user settings have no "Designer" group yet (compared without case): the application was never set up. */
    bool IsFirstRun();
    /**
     * Closes every open document and quits the event loop. Each document's
     * IDocument::close() may still ask about unsaved changes, but the answer
     * cannot veto; settings are not saved. For situations where the
     * application must end now.
     */
    void forceQuit();

    /** The local WebSocket server that carries the web channel; owned by the window. Its port is serverPort(). */
    QWebSocketServer *getServer() const;
    /**
     * The web channel on getServer(). Plug-ins publish their objects for web
     * pages with QWebChannel::registerObject() and deregister them before the
     * objects go; owned by the window. See @ref bridge.
     */
    QWebChannel *getChannel() const;
    /**
     * The launch token web pages put in the server's URL ("?token="). The
     * application's own pages get it with the port; see WebSocketClientWrapper.
     */
    QString getServerToken() const;
    /** The work area, a QMdiArea; editors put their widgets into it as subwindows. Owned by the window. */
    IMainMdiArea *getMdiArea() const;
    /** The File toolbar; plug-ins may add the actions of their commands to it. Owned by the window. */
    QToolBar *getFileToolbar() const;
    /** The notification bar under the menu bar; owned by the title bar. See showNotification(). */
    ZTNotificationBar *getNotificationBar() const;
    /** The title bar's account link label; owned by the title bar. Its clicks arrive as userAccountLinkActivated(). */
    QLabel *getUserAccountLink() const;
    /** Sets the rich text of the title bar's account link label. */
    void updateUserAccountLink(const QString &text);
    /**
     * The preferences dialog: on the first call, the one the first document
     * factory in the object pool creates (IDocumentFactory::createOptionsDialog()),
     * then always the same. Plug-ins add their pages to it with
     * IOptionsDlg::addOptionPage().
     *
     * The window keeps the dialog until the application ends but does not
     * delete it; the factory that made it does.
     *
     * @return the dialog, or nullptr while no factory is registered (or it made none)
     */
    IOptionsDlg *getOptionsDialog();
    /**
     * Hands the welcome page's widget to the work area, which shows it while
     * no editor is open. The window does not take the widget; the plug-in
     * that made it deletes it.
     */
    void setWelcomeWidget(QWidget *w);

    /**
     * Shows @p path in the window caption ("path - Zelto Rideved"; the bare
     * product name for an empty path). The caption lives in the title bar, so
     * this emits updateWindowFilePath() instead of setting the property.
     */
    void setWindowFilePath(const QString &path);
    /** Marks the caption as modified; emits updateModified() instead of setting the property. */
    void setWindowModified(bool modified);

    /**
     * Shows @p text in the notification bar, replacing what it showed, with
     * the icon of @p type, an action button labelled @p buttonText (none when
     * empty) and a close button when @p closable. A non-empty text is also
     * written to the log. The message stays until it is replaced, closed or
     * hideNotification() is called.
     *
     * To react to the button, connect to ZTNotificationBar::buttonClicked()
     * of getNotificationBar() after this call: showing drops the earlier
     * receivers.
     */
    void showNotification(const QString &text, ZTNotificationBar::Type type,
                          const QString &buttonText, bool closable);
    /** Hides the notification bar. */
    void hideNotification();

    /**
     * The working folder of this running instance, where plug-ins keep
     * temporary files: "Zelto-Rideved-" and six random characters in the
     * system temporary folder, made on first use with access for this user
     * only. Another instance has its own. A folder that is no longer the one
     * made (removed, or something else put in its place) is replaced by a new
     * one.
     *
     * @return the folder, or an empty string when no folder can be made
     */
    QString getDefaultTempPath();
    /**
     * Removes the working folder with everything in it, links as links; stops
     * at the first entry that cannot be removed. Also done when the window
     * closes or is destroyed.
     *
     * @return false when there is no folder, it is no longer the one made, or
     *         an entry could not be removed
     */
    bool removeDefaultTempDir();
    /** Places and redraws the shadow borders around the window, drawn as active or inactive; they hide while it is maximised. */
    void updateShadowBorderFrame(bool active);

signals:
    /** The caption's file path changed to @p fileName (empty: no project). Emitted by setWindowFilePath() and when another subwindow becomes active. */
    void updateWindowFilePath(QString fileName);
    /** The caption's modified mark changed. Emitted by setWindowModified() and when another subwindow becomes active. */
    void updateModified(bool isModified);
    /** The user clicked the link @p strLink in the title bar's account label. */
    void userAccountLinkActivated(QString strLink);

public slots:
    /**
     * Shows or hides the welcome page, if one was handed over. Showing it also
     * tells the page to reload its recent projects list.
     */
    void setVisibleWelcomeWidget(bool bVisible);
    /**
     * Opens the project file @p strFileName, or activates its editor when it
     * is open already (compared by canonical path).
     *
     * The first document factory whose IDocumentFactory::getSupportedSuffixes()
     * holds the file's suffix (in lower case) creates the document, which is
     * given the file name and asked to IDocument::open(); then
     * loadOpenedDocument() gives it an editor. This is how files from the
     * command line, a second instance, the recent projects list and
     * File > Open arrive.
     *
     * @return false when no factory serves the suffix (the user is told) or
     *         IDocument::open() failed (the document tells the user why and is
     *         deleted)
     */
    bool loadFile(QString strFileName);
    /**
     * Gives @p pDoc, a document that is already loaded, an editor from the
     * factory that serves its suffix, registers both with the DocumentManager
     * and the EditorManager, activates the editor, emits
     * IDocument::aboutToOpen() and starts the backup timer. From then on the
     * window owns the document and deletes it when it asks to close
     * (IDocument::requestClosing()).
     *
     * @p bAddToRecentFile false keeps the file out of the recent projects list
     * (a backup being restored, for example).
     *
     * @return false when no factory serves the suffix or it made no editor;
     *         nothing is registered and the caller keeps @p pDoc
     */
    bool loadOpenedDocument(IDocument *pDoc, bool bAddToRecentFile = true);
    /** Refills File > Recent Projects from the recent projects list. */
    void updateRecentFileActions();
    /** Brings the window to the front: un-minimises, raises and activates it. */
    void raiseUp();
    /**
     * Ends this run through the normal close, then has the host start the
     * application again with the same arguments. Nothing happens when the
     * user keeps a project open.
     */
    void restart();
    /**
     * Tells the user that a new interface language takes effect when the
     * application starts again and offers to restart() now. For whoever
     * stored a new language (ILanguageManager::saveLanguage()).
     */
    void offerLanguageRestart();

private slots:
    void openFilesPassedAsArguments();
    void fileNew();
    void fileOpen();
    void fileSaveAs();
    void fileClose();
    void recentFileOpen();
    void removeMissingRecentFiles();
    void fileSave();
    void fileExit();
    void languageChanged(QAction *pAction);
    void updateFocusWidget(QWidget *old, QWidget *now);
    void onPreferences();
    void onHelpContents();
    void showCommandPalette();
    void updateSaveAsMenu();
    void followActiveEditor();
    void onEnabledSaveActionChanged(bool bDisabled);
    void updateActivatedMdiSubFilePath(QMdiSubWindow *mdiSubWindow);
    void activationChangeFiltered();
    void onDocStatusChanged(QString strStatusTip);
    void onDocumentRequestClosing(bool bDeleteLater);

protected:
    /**
     * A close request: saves the settings (ICore::saveSettings()), then asks
     * about every changed document (IDocument::askToSave()), the last opened
     * first, each brought to the front while it is asked about. Only when
     * every question is answered and every save succeeded are the documents
     * closed and the session recorded; a Cancel or a failed save keeps
     * every document open and the application running.
     */
    void closeEvent(QCloseEvent *e) override;
    /** Keeps the shadow borders with the window. */
    void moveEvent(QMoveEvent *e) override;
    /** Keeps the shadow borders with the window. */
    void resizeEvent(QResizeEvent *e) override;
    /** Tells the title bar when the window is maximised or restored. */
    void changeEvent(QEvent *e) override;
    /** The type of nativeEvent()'s result, which Qt 6 widened. */
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    using NativeEventResult = qintptr;
#else
    using NativeEventResult = long;
#endif
    /** Handles no native event of its own. */
    bool nativeEvent(const QByteArray &eventType, void *message, NativeEventResult *result) override;
    /**
     * Opens the first file dropped on the work area or the welcome page with
     * loadFile() when a document factory serves its suffix; other drops are
     * ignored.
     */
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void initActions();
    void createToolBars();
    void createStatusBar();
    void createLanguageMenu(QMenu *viewMenu);
    void createThemeMenu(QMenu *viewMenu);
    IDocumentFactory *selectDocumentFactory();
    QList<IDocumentFactory *> documentFactories();
    void createBorders();
    void removeBorders();
    void fixAutoHideTaskbar();
    // Opens the files of a hand-over from another start: a bounded number,
    // with one box for all that no factory serves.
    void openHandedOverFiles(const QStringList &lstFileNames);
    // Asks about every changed project, then closes them all; false, with
    // everything still open, when a question was cancelled or a save failed.
    bool closeAllDocuments();
    // The session: the open projects, the one in front and the window's
    // place, recorded at the quit and brought back at the next start.
    void saveSession();
    bool restoreWindowGeometry();
    // True when a restart of the application's own asked for the session.
    bool reopenLastSession();
    void reopenSessionAtNextStart();
    // The status text of the project in front, or none; a project's text
    // goes at its next edit.
    void showActiveStatus();
    void clearStatusOnEdit(IDocument *pDocument);
    // The plain box Help Contents explains itself with.
    void showHelpMessage(const QString &strMessage);

    std::unique_ptr<MainWindowPrivate> d;
};
