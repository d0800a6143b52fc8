#pragma once

#include "core/core_global.h"
#include "core/ui/ztnotificationbar.h"

#include <QList>
#include <QMainWindow>

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
class EventFilter;
class ICore;
class IDocument;
class IDocumentFactory;
class IMainMdiArea;
class IMainMenuWidget;
class IOptionsDlg;
class IShadowBorderFrame;
class WebSocketClientWrapper;

// The application's only top-level window and the owner of the shell: the
// local WebSocket server and web channel, the core services, the registries,
// the work area with its welcome page, the title bar and the shadow borders.
class CORE_EXPORT MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    bool init(QString *errorMessage);
    void extensionsInitialized();
    void aboutToShutdown();
    bool IsFirstRun();
    void forceQuit();

    QWebSocketServer *getServer() const;
    QWebChannel *getChannel() const;
    IMainMdiArea *getMdiArea() const;
    QToolBar *getFileToolbar() const;
    ZTNotificationBar *getNotificationBar() const;
    QLabel *getUserAccountLink() const;
    void updateUserAccountLink(const QString &text);
    IOptionsDlg *getOptionsDialog();
    void setWelcomeWidget(QWidget *w);

    // The caption lives in the title bar, so these announce instead of setting.
    void setWindowFilePath(const QString &path);
    void setWindowModified(bool modified);

    void showNotification(const QString &text, ZTNotificationBar::Type type,
                          const QString &buttonText, bool closable);
    void hideNotification();

    QString getDefaultTempPath();
    bool removeDefaultTempDir();
    void updateShadowBorderFrame(bool active);

signals:
    void updateWindowFilePath(QString fileName);
    void updateModified(bool isModified);
    void userAccountLinkActivated(QString strLink);

public slots:
    void setVisibleWelcomeWidget(bool bVisible);
    bool loadFile(QString strFileName);
    bool loadOpenedDocument(IDocument *pDoc, bool bAddToRecentFile = true);
    void updateRecentFileActions();
    void raiseUp();

private slots:
    void openFilesPassedAsArguments();
    void fileNew();
    void fileOpen();
    void fileSaveAs();
    void fileClose();
    void recentFileOpen();
    void fileSave();
    void fileExit();
    void languageChanged(QAction *pAction);
    void updateFocusWidget(QWidget *old, QWidget *now);
    void onPreferences();
    void onHelpContents();
    void updateSaveAsMenu();
    void onEnabledSaveActionChanged(bool bDisabled);
    void updateActivatedMdiSubFilePath(QMdiSubWindow *mdiSubWindow);
    void activationChangeFiltered();
    void onDocStatusChanged(QString strStatusTip);
    void onDocumentRequestClosing(bool bDeleteLater);

protected:
    void closeEvent(QCloseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    using NativeEventResult = qintptr;
#else
    using NativeEventResult = long;
#endif
    bool nativeEvent(const QByteArray &eventType, void *message, NativeEventResult *result) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void initActions();
    void createToolBars();
    void createStatusBar();
    void createLanguageMenu(QMenu *viewMenu);
    IDocumentFactory *selectDocumentFactory();
    QList<IDocumentFactory *> documentFactories();
    void createBorders();
    void removeBorders();
    void fixAutoHideTaskbar();

    QWebSocketServer *m_pServer = nullptr;
    QWebChannel *m_pChannel = nullptr;
    WebSocketClientWrapper *m_pClientWrapper = nullptr;
    IMainMdiArea *m_pMdiArea = nullptr;
    IMainMenuWidget *m_pMenuWidget = nullptr;
    QToolBar *m_pFileToolbar = nullptr;

    QAction *m_pNewAction = nullptr;
    QAction *m_pOpenAction = nullptr;
    QAction *m_pCloseAction = nullptr;
    QAction *m_pSaveAction = nullptr;
    QAction *m_pSaveAsAction = nullptr;
    QAction *m_pExitAction = nullptr;
    QAction *m_pPreviewProjectAction = nullptr;
    QAction *m_pPreviewSceneAction = nullptr;
    QAction *m_pExportAction = nullptr;
    QAction *m_pHelpContentsAction = nullptr;
    QMenu *m_pSaveAsMenu = nullptr;          // owned by its action container
    QAction *m_pPreferencesAction = nullptr;
    QAction *m_pCurrentLanguageAction = nullptr;
    QList<QAction *> m_recentActions;

    DocumentManager *m_pDocumentManager = nullptr;
    EditorManager *m_pEditorManager = nullptr;
    ActionManager *m_pActionManager = nullptr;
    ContextManager *m_pContextManager = nullptr;
    ICore *m_pCore = nullptr;
    IShadowBorderFrame *m_pBorders[4] = {nullptr, nullptr, nullptr, nullptr};
    EventFilter *m_pEventFilter = nullptr;
    IOptionsDlg *m_pOptionsDlg = nullptr;
};
