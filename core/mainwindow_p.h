#pragma once

#include <QHash>
#include <QList>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
class QToolBar;
class QWebChannel;
class QWebSocketServer;
QT_END_NAMESPACE

class ActionManager;
class BridgeConnectionFile;
class CommandPalette;
class ContextManager;
class DocumentManager;
class EditorManager;
class EventFilter;
class ICore;
class IDocument;
class IMainMdiArea;
class IMainMenuWidget;
class IOptionsDlg;
class IShadowBorderFrame;
class WebSocketClientWrapper;

// MainWindow's state, out of the installed header so that plug-ins built
// against one release keep working with the next.
class MainWindowPrivate
{
public:
    // Boxes that list file names another program or the settings file named
    // show at most this many, each cut in the middle by listedName().
    static constexpr int s_nMaxListedFiles = 10;
    static QString listedName(const QString &strPath);

    QWebSocketServer *m_pServer = nullptr;
    QWebChannel *m_pChannel = nullptr;
    WebSocketClientWrapper *m_pClientWrapper = nullptr;
    BridgeConnectionFile *m_pConnectionFile = nullptr;
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
    QAction *m_pNextProjectAction = nullptr;
    QAction *m_pPreviousProjectAction = nullptr;
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
    CommandPalette *m_pCommandPalette = nullptr;   // a child, made when first asked for
    QString m_strTempPath;      // empty until the working folder is made
    uint m_nTempOwner = 0;      // its owner then
    // The last status text of each open project, shown again when its tab
    // comes to the front and dropped at its next edit.
    QHash<IDocument *, QString> m_hashStatusTexts;
    bool m_bSessionSaved = false;   // this run's session is settled: recorded, or left alone by forceQuit()
    // Maximised, then made a pixel shorter for an auto-hidden taskbar.
    bool m_bShrunkWhileMaximized = false;
};
