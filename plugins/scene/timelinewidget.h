#pragma once

#include <QPointer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QAction;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QToolBar;
QT_END_NAMESPACE

class SceneEditorWidget;
class TimelineView;

// The timeline dock's content: the scenes of the project (choose, add,
// rename, duplicate, delete, reorder), the current scene's duration, the
// playback controls, auto-key and zoom, over the keyframes of the scene.
class TimelineWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TimelineWidget(QWidget *parent = nullptr);

    void setEditor(SceneEditorWidget *pEditor);
    TimelineView *view() const { return m_pView; }
    QComboBox *sceneCombo() const { return m_pSceneCombo; }
    QToolBar *toolBar() const { return m_pToolBar; }
    // Stop, Loop and the entries of the Scenes menu; the scene editor makes
    // them commands.
    QAction *stopAction() const { return m_pStopAction; }
    QAction *loopAction() const { return m_pLoopAction; }
    QList<QAction *> sceneActions() const { return m_lstSceneActions; }

private slots:
    void refresh();
    void showTime();
    void updatePlayActions();

private:
    QPointer<SceneEditorWidget> m_pEditor;
    QToolBar *m_pToolBar;
    TimelineView *m_pView;
    QComboBox *m_pSceneCombo;
    QDoubleSpinBox *m_pDurationSpin;
    QLabel *m_pTimeLabel;
    QAction *m_pPlayAction;
    QAction *m_pPauseAction;
    QAction *m_pStopAction;
    QAction *m_pLoopAction;
    QAction *m_pDeleteSceneAction;
    QAction *m_pEarlierAction;
    QAction *m_pLaterAction;
    QList<QAction *> m_lstSceneActions;   // children of the Scenes menu, in its order
    bool m_bRefreshing = false;
};
