#include "timelinewidget.h"

#include "scenedocument.h"
#include "sceneeditorwidget.h"
#include "sceneplayer.h"
#include "timelineview.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TimelineWidget::TimelineWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TimelineWidget"));
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QStringLiteral("m_pTimelineToolBar"));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pView = new TimelineView(this);

    m_pSceneCombo = new QComboBox(this);
    m_pSceneCombo->setObjectName(QStringLiteral("m_pSceneCombo"));
    m_pSceneCombo->setMinimumContentsLength(12);
    m_pSceneCombo->setToolTip(tr("The scene shown"));
    m_pToolBar->addWidget(m_pSceneCombo);

    auto *pScenesButton = new QToolButton(this);
    pScenesButton->setText(tr("Scenes"));
    pScenesButton->setPopupMode(QToolButton::InstantPopup);
    auto *pScenesMenu = new QMenu(pScenesButton);
    pScenesButton->setMenu(pScenesMenu);
    m_pToolBar->addWidget(pScenesButton);

    m_pToolBar->addWidget(new QLabel(tr(" Duration: "), this));
    m_pDurationSpin = new QDoubleSpinBox(this);
    m_pDurationSpin->setObjectName(QStringLiteral("m_pDurationSpin"));
    m_pDurationSpin->setDecimals(2);
    m_pDurationSpin->setSingleStep(0.5);
    m_pDurationSpin->setSuffix(tr(" s"));
    m_pDurationSpin->setKeyboardTracking(false);
    m_pToolBar->addWidget(m_pDurationSpin);
    m_pToolBar->addSeparator();

    m_pPlayAction = m_pToolBar->addAction(tr("Play"));
    m_pPlayAction->setObjectName(QStringLiteral("m_pPlayAction"));
    m_pPauseAction = m_pToolBar->addAction(tr("Pause"));
    m_pPauseAction->setObjectName(QStringLiteral("m_pPauseAction"));
    m_pStopAction = m_pToolBar->addAction(tr("Stop"));
    m_pStopAction->setObjectName(QStringLiteral("m_pStopAction"));
    m_pLoopAction = m_pToolBar->addAction(tr("Loop"));
    m_pLoopAction->setObjectName(QStringLiteral("m_pLoopAction"));
    m_pLoopAction->setCheckable(true);
    m_pLoopAction->setToolTip(tr("Start again after the end: the scene here, all scenes in the exported page"));
    m_pTimeLabel = new QLabel(this);
    m_pTimeLabel->setObjectName(QStringLiteral("m_pTimeLabel"));
    m_pTimeLabel->setMinimumWidth(m_pTimeLabel->fontMetrics().horizontalAdvance(QStringLiteral("  0000.00 s / 0000.00 s  ")));
    m_pTimeLabel->setAlignment(Qt::AlignCenter);
    m_pToolBar->addWidget(m_pTimeLabel);
    m_pToolBar->addSeparator();
    m_pToolBar->addAction(tr("Zoom Out"), m_pView, &TimelineView::zoomOut);
    m_pToolBar->addAction(tr("Zoom In"), m_pView, &TimelineView::zoomIn);

    QAction *pAdd = pScenesMenu->addAction(tr("Add Scene"));
    QAction *pDuplicate = pScenesMenu->addAction(tr("Duplicate Scene"));
    QAction *pRename = pScenesMenu->addAction(tr("Rename Scene..."));
    m_pDeleteSceneAction = pScenesMenu->addAction(tr("Delete Scene"));
    pScenesMenu->addSeparator();
    m_pEarlierAction = pScenesMenu->addAction(tr("Move Scene Earlier"));
    m_pLaterAction = pScenesMenu->addAction(tr("Move Scene Later"));
    m_lstSceneActions = {pAdd, pDuplicate, pRename, m_pDeleteSceneAction, m_pEarlierAction, m_pLaterAction};

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pToolBar);
    pLayout->addWidget(m_pView, 1);

    // Everything below acts on the editor, once there is one.
    auto editor = [this]() { return m_pEditor.data(); };
    connect(m_pSceneCombo, QOverload<int>::of(&QComboBox::activated), this, [editor](int nIndex) {
        if (editor())
            editor()->setCurrentScene(nIndex);
    });
    connect(m_pDurationSpin, &QDoubleSpinBox::editingFinished, this, [this, editor]() {
        if (!editor() || m_bRefreshing)
            return;
        editor()->setSceneDuration(m_pDurationSpin->value());
        refresh();   // shows the duration the scene got, which keeps its keyframes inside
    });
    connect(pAdd, &QAction::triggered, this, [editor]() { if (editor()) editor()->addScene(); });
    connect(pDuplicate, &QAction::triggered, this, [editor]() { if (editor()) editor()->duplicateScene(); });
    connect(pRename, &QAction::triggered, this, [editor]() { if (editor()) editor()->renameScene(); });
    connect(m_pDeleteSceneAction, &QAction::triggered, this, [editor]() { if (editor()) editor()->deleteScene(); });
    connect(m_pEarlierAction, &QAction::triggered, this, [editor]() {
        if (editor())
            editor()->moveScene(editor()->currentScene(), editor()->currentScene() - 1);
    });
    connect(m_pLaterAction, &QAction::triggered, this, [editor]() {
        if (editor())
            editor()->moveScene(editor()->currentScene(), editor()->currentScene() + 1);
    });
    connect(m_pLoopAction, &QAction::triggered, this, [editor](bool bOn) {
        if (editor())
            editor()->setLoop(bOn);
    });
}

void TimelineWidget::setEditor(SceneEditorWidget *pEditor)
{
    m_pEditor = pEditor;
    ScenePlayer *pPlayer = pEditor->player();
    connect(m_pPlayAction, &QAction::triggered, pPlayer, &ScenePlayer::play);
    connect(m_pPauseAction, &QAction::triggered, pPlayer, &ScenePlayer::pause);
    connect(m_pStopAction, &QAction::triggered, pPlayer, &ScenePlayer::stop);
    connect(pPlayer, &ScenePlayer::playingChanged, this, &TimelineWidget::updatePlayActions);
    connect(pPlayer, &ScenePlayer::timeChanged, this, &TimelineWidget::showTime);
    connect(pEditor->document(), &IDocument::dataChanged, this, &TimelineWidget::refresh);
    connect(pEditor, &SceneEditorWidget::currentSceneChanged, this, &TimelineWidget::refresh);
    // The auto-key switch belongs to the editor: its edits follow it.
    m_pToolBar->insertAction(m_pToolBar->actions().value(m_pToolBar->actions().indexOf(m_pLoopAction) + 1),
                             pEditor->autoKeyAction());
    m_pView->setEditor(pEditor);
    refresh();
    updatePlayActions();
}

void TimelineWidget::refresh()
{
    if (!m_pEditor || !m_pEditor->document())
        return;
    m_bRefreshing = true;
    const SceneProject &project = m_pEditor->document()->project();
    const int nScene = m_pEditor->currentScene();
    m_pSceneCombo->clear();
    for (int i = 0; i < project.m_lstScenes.size(); ++i)
        m_pSceneCombo->addItem(tr("%1. %2").arg(i + 1).arg(project.m_lstScenes.at(i).strName));
    m_pSceneCombo->setCurrentIndex(nScene);
    m_pDurationSpin->setRange(SceneProject::s_dMinDuration, SceneProject::s_dMaxDuration);
    m_pDurationSpin->setValue(project.m_lstScenes.at(nScene).dDuration);
    m_pDeleteSceneAction->setEnabled(project.m_lstScenes.size() > 1);
    m_pEarlierAction->setEnabled(nScene > 0);
    m_pLaterAction->setEnabled(nScene < project.m_lstScenes.size() - 1);
    m_pLoopAction->setChecked(project.m_bLoop);
    m_bRefreshing = false;
    showTime();
}

void TimelineWidget::showTime()
{
    if (!m_pEditor)
        return;
    const QLocale locale;
    m_pTimeLabel->setText(tr("%1 s / %2 s")
                              .arg(locale.toString(m_pEditor->time(), 'f', 2),
                                   locale.toString(m_pEditor->player()->duration(), 'f', 2)));
}

void TimelineWidget::updatePlayActions()
{
    const bool bPlaying = m_pEditor && m_pEditor->player()->isPlaying();
    m_pPlayAction->setEnabled(!bPlaying);
    m_pPauseAction->setEnabled(bPlaying);
}
