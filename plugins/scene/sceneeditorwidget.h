#pragma once

#include "scene.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
class QDockWidget;
class QDoubleSpinBox;
class QGraphicsItem;
class QGraphicsScene;
class QGraphicsView;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMouseEvent;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolBar;
class QUndoView;
QT_END_NAMESPACE

class SceneDocument;
class ScenePlayer;
class SceneProject;
class StageHandles;
class TimelineWidget;

// The stage of a scene project: a graphics view in which items are added,
// selected, dragged, resized and turned with handles, cut, copied, pasted,
// renamed, restacked, hidden, locked and deleted, a property panel for
// exact position, size, rotation, opacity, text and colour, and a timeline
// dock under the stage with the keyframes of the current scene and the
// playback controls.
//
// The widget never changes the project itself: every edit becomes one
// undoable change of the document, and the view is redrawn from the
// document whenever its data changes. The stage shows the current scene at
// the playhead's time. An edit of a property that has keyframes sets the
// keyframe at the playhead; in auto-key mode, an edit away from the start
// animates a property that had none.
class SceneEditorWidget : public QWidget
{
    Q_OBJECT

public:
    // How the selected items move in the stacking order, as the stage's
    // items above and below them see it.
    enum Stacking {
        BringForward,
        SendBackward,
        BringToFront,
        SendToBack
    };

    explicit SceneEditorWidget(SceneDocument *pDocument, QWidget *parent = nullptr);
    ~SceneEditorWidget() override;

    SceneDocument *document() const { return m_pDocument; }
    QGraphicsView *view() const { return m_pView; }
    TimelineWidget *timeline() const { return m_pTimeline; }
    // The window around the stage: further docks of the editor go into it,
    // inside the editor's command context.
    QMainWindow *dockHost() const { return m_pDockHost; }
    ScenePlayer *player() const { return m_pPlayer; }
    // Play or pause; the scene editor makes it a command with a shortcut.
    QAction *togglePlayAction() const { return m_pTogglePlayAction; }
    QAction *autoKeyAction() const { return m_pAutoKeyAction; }
    // Keys at the playhead and moves it; the scene editor makes them
    // commands with keys of their own.
    QAction *addKeyframeAction() const { return m_pAddKeyframeAction; }
    QAction *previousFrameAction() const { return m_pPreviousFrameAction; }
    QAction *nextFrameAction() const { return m_pNextFrameAction; }
    QAction *goToStartAction() const { return m_pGoToStartAction; }
    QAction *goToEndAction() const { return m_pGoToEndAction; }
    // Rectangle, Ellipse, Text and Image, as the toolbar offers them; the
    // scene editor makes them commands with keys of their own.
    QList<QAction *> addShapeActions() const { return m_lstAddShapeActions; }
    // Shows or hides the undo history dock; the scene editor makes it a
    // command of the View menu.
    QAction *undoHistoryAction() const;
    QUndoView *undoHistory() const { return m_pHistoryView; }
    // Cut, Copy, Paste, Duplicate, Delete and Select All, in that order: the
    // scene editor makes them the Edit commands of its context.
    QList<QAction *> editActions() const;
    // Rename and the stacking actions in the order of Stacking: the scene
    // editor makes them commands with keys of their own.
    QList<QAction *> itemActions() const;
    // The commands for one item, for its context menu on the stage or the
    // timeline: the clipboard's act on the selection, the others on the item,
    // or on the selection when the item is in it.
    void fillItemMenu(QMenu *pMenu, const QString &strId);
    const StageHandles &handles() const { return *m_pHandles; }
    QStringList selectedIds() const;
    void selectIds(const QStringList &lstIds);
    // Guide lines currently drawn for the breakpoints.
    int guideCount() const { return m_nGuideCount; }

    // The scene shown, as an index into the project's scenes.
    int currentScene() const;
    const Scene &scene() const;
    double time() const;
    bool isAutoKey() const;

public slots:
    void addRectangle();
    void addEllipse();
    void addText();
    void addImage();
    bool addImageFile(const QString &strFile);
    void deleteSelected();
    void cutSelected();
    void copySelected();
    // Pastes the items on the clipboard into the scene shown and selects
    // them; anything else on the clipboard is refused with a message.
    bool paste();
    void duplicateSelected();
    void selectAll();
    // Asks for a new name of the selected item, or of the item strId.
    void renameSelected();
    void askItemName(const QString &strId);
    // An empty name gives the item its id back as its name.
    void renameItem(const QString &strId, const QString &strName);
    void restack(SceneEditorWidget::Stacking stacking);
    void restackItems(const QStringList &lstIds, SceneEditorWidget::Stacking stacking);
    void setItemsHidden(const QStringList &lstIds, bool bHidden);
    void setItemsLocked(const QStringList &lstIds, bool bLocked);
    // Moves the selected items by the given offset as one step.
    void moveSelected(qreal dx, qreal dy);
    void setSelectedGeometry(const QRectF &rect);
    void rebuild();

    void setCurrentScene(int nScene);
    void setTime(double dTime);
    // Pauses and moves the playhead by whole frames, as far as the scene goes.
    void stepFrames(int nFrames);
    // Keys every animatable property of the selected items at the playhead.
    void addKeyframesAtPlayhead();
    void setAutoKey(bool bOn);
    void addScene();
    void duplicateScene();
    void deleteScene();
    // Asks for the new name of the current scene.
    void renameScene();
    void renameScene(int nScene, const QString &strName);
    void moveScene(int nFrom, int nTo);
    void setSceneDuration(double dDuration);
    void setLoop(bool bLoop);

signals:
    // Another scene is shown.
    void currentSceneChanged(int nScene);
    void selectionChanged();

protected:
    bool event(QEvent *pEvent) override;
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private slots:
    void onSelectionChanged();
    void commitDrag();
    void commitProperties();
    void chooseFill();
    void fitStage();
    void showTime();

private:
    // New values, at the playhead, for properties of items of the scene.
    using Changes = QHash<QString, QMap<SceneItem::Property, QVariant>>;
    // A handle of the selected item being dragged: its item as it was and
    // the geometry shown now.
    struct HandleDrag
    {
        int nKind = -1;   // a StageHandles::Kind; -1 while no handle is dragged
        QString strId;
        QRectF startRect;
        double dStartRotation = 0;
        QRectF rect;
        double dRotation = 0;
    };

    void addItem(SceneItem item, const QString &strText);
    void applyChanges(const QString &strText, const Changes &changes);
    void removeItems(const QStringList &lstIds, const QString &strText);
    bool pasteItems(const SceneProject &items, const QString &strText);
    // Replaces some items of the scene shown, as one step.
    void changeEach(const QStringList &lstIds, const QString &strText, const std::function<void(SceneItem &)> &change);
    // Whether a mouse event of the stage went to a handle.
    bool handleMouse(QMouseEvent *pEvent);
    void updateHandles();
    void updateItemActions();
    void showStageMenu(const QPoint &pos);
    // The items with the changes made at the playhead, keyed where that is due.
    QList<SceneItem> withChanges(QList<SceneItem> lstItems, const Changes &changes) const;
    void changeScenes(const QString &strText, const QList<Scene> &lstScenes, const QString &strCurrentId);
    QGraphicsItem *createGraphicsItem(const SceneItem &item);
    void showState(QGraphicsItem *pItem, const SceneItem &item, const SceneItem::State &state);
    void drawGuides();
    void updatePropertyPanel();
    // The animatable values the property panel shows now.
    QMap<SceneItem::Property, double> panelValues() const;
    void updatePlayer();
    void orderTabs();
    // The panel's scroll area as wide as the fields and a scroll bar need.
    void fitPanel();
    void fitDocks();

    // Not owned. The editor may be deleted later than its document, so the
    // pointer clears itself and every entry point checks it.
    QPointer<SceneDocument> m_pDocument;
    QGraphicsScene *m_pScene;
    QGraphicsView *m_pView;
    QToolBar *m_pToolBar;
    QMainWindow *m_pDockHost;   // holds the stage and the docks under it
    QDockWidget *m_pTimelineDock;
    QDockWidget *m_pHistoryDock;
    QUndoView *m_pHistoryView;
    TimelineWidget *m_pTimeline;
    ScenePlayer *m_pPlayer;
    QAction *m_pDeleteAction;
    QList<QAction *> m_lstEditActions;    // children of this widget, in the order of editActions()
    QList<QAction *> m_lstItemActions;    // likewise, for itemActions()
    QList<QAction *> m_lstAddShapeActions;   // children of the toolbar
    QAction *m_pGuidesAction;
    QAction *m_pTogglePlayAction;
    QAction *m_pAutoKeyAction;
    QAction *m_pAddKeyframeAction;
    QAction *m_pPreviousFrameAction;
    QAction *m_pNextFrameAction;
    QAction *m_pGoToStartAction;
    QAction *m_pGoToEndAction;
    QDoubleSpinBox *m_pXSpin;
    QDoubleSpinBox *m_pYSpin;
    QDoubleSpinBox *m_pWidthSpin;
    QDoubleSpinBox *m_pHeightSpin;
    QDoubleSpinBox *m_pRotationSpin;
    QSpinBox *m_pOpacitySpin;
    QLineEdit *m_pTextEdit;
    QSpinBox *m_pFontSpin;
    QPushButton *m_pFillButton;
    QWidget *m_pPropertyPanel;
    QScrollArea *m_pPanelScroll;   // holds the panel
    QHash<QString, QGraphicsItem *> m_hashItems;   // owned by the scene
    std::unique_ptr<StageHandles> m_pHandles;       // in the scene, out of it while it is cleared
    HandleDrag m_handleDrag;
    // The values the panel shows, as its spin boxes round them: only the ones
    // the user changed are committed.
    QMap<SceneItem::Property, double> m_mapPanelValues;
    QString m_strSceneId;
    int m_nSceneIndex = 0;   // where the scene was, for when it is gone
    bool m_bRebuilding = false;
    bool m_bSelecting = false;   // selectIds() at work
    bool m_bUpdatingPanel = false;
    int m_nGuideCount = 0;
};
