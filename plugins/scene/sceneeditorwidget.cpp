#include "sceneeditorwidget.h"

#include "projectfile.h"
#include "sceneclipboard.h"
#include "scenedocument.h"
#include "sceneplayer.h"
#include "scenesettings.h"
#include "timelineview.h"
#include "stagehandles.h"
#include "stageshapeitem.h"
#include "timelinewidget.h"

#include "core/documents/documentmanager.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGraphicsEllipseItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>

#include <cmath>

namespace {

const int s_nIdRole = 0;   // QGraphicsItem::data key holding the item id
const double s_dPasteOffset = 10;   // pasted items land this far right of and below their originals

QList<SceneItem>::iterator findItem(QList<SceneItem> &lstItems, const QString &strId)
{
    return std::find_if(lstItems.begin(), lstItems.end(), [&](const SceneItem &item) { return item.strId == strId; });
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.userType() == QMetaType::QColor || b.userType() == QMetaType::QColor)
        return a.value<QColor>() == b.value<QColor>();
    return qAbs(a.toDouble() - b.toDouble()) < 1e-9;
}

} // namespace

SceneEditorWidget::SceneEditorWidget(SceneDocument *pDocument, QWidget *parent)
    : QWidget(parent)
    , m_pDocument(pDocument)
{
    setObjectName(QStringLiteral("SceneEditorWidget"));
    m_pPlayer = new ScenePlayer(this);
    m_pScene = new QGraphicsScene(this);
    // While playing, every animated item moves at every frame: keeping an
    // index of places up to date would cost more than it saves.
    m_pScene->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_pView = new QGraphicsView(m_pScene, this);
    m_pView->setObjectName(QStringLiteral("m_pStageView"));
    m_pView->setRenderHint(QPainter::Antialiasing);
    // A few moving items repaint only where they were and are; hundreds of
    // them repaint the rectangle around all, instead of a region of
    // hundreds of rectangles that costs more to build and clip than to draw.
    m_pView->setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    m_pView->setDragMode(QGraphicsView::RubberBandDrag);
    // The view always shows the whole stage (fitStage), so nothing is left to scroll to.
    m_pView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pView->setBackgroundBrush(QColor(0x80, 0x80, 0x80));
    m_pView->viewport()->installEventFilter(this);
    m_pView->installEventFilter(this);

    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QStringLiteral("m_pSceneToolBar"));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_lstAddShapeActions = {
        m_pToolBar->addAction(tr("Rectangle"), this, &SceneEditorWidget::addRectangle),
        m_pToolBar->addAction(tr("Ellipse"), this, &SceneEditorWidget::addEllipse),
        m_pToolBar->addAction(tr("Text"), this, &SceneEditorWidget::addText),
        m_pToolBar->addAction(tr("Image..."), this, &SceneEditorWidget::addImage),
    };
    m_lstAddShapeActions.at(0)->setObjectName(QStringLiteral("addRectangle"));
    m_lstAddShapeActions.at(1)->setObjectName(QStringLiteral("addEllipse"));
    m_lstAddShapeActions.at(2)->setObjectName(QStringLiteral("addText"));
    m_lstAddShapeActions.at(3)->setObjectName(QStringLiteral("addImage"));
    m_pToolBar->addSeparator();
    m_pDeleteAction = m_pToolBar->addAction(tr("Delete"), this, &SceneEditorWidget::deleteSelected);
    m_pDeleteAction->setEnabled(false);
    // Their keys are those of the commands the scene editor makes of them.
    const auto makeAction = [this](const QString &strText, const std::function<void()> &act) {
        auto *pAction = new QAction(strText, this);
        connect(pAction, &QAction::triggered, this, act);
        return pAction;
    };
    m_lstEditActions = {
        makeAction(tr("Cut"), [this]() { cutSelected(); }),
        makeAction(tr("Copy"), [this]() { copySelected(); }),
        makeAction(tr("Paste"), [this]() { paste(); }),
        makeAction(tr("Duplicate"), [this]() { duplicateSelected(); }),
        m_pDeleteAction,
        makeAction(tr("Select All"), [this]() { selectAll(); }),
    };
    m_lstItemActions = {
        makeAction(tr("Rename..."), [this]() { renameSelected(); }),
        makeAction(tr("Bring Forward"), [this]() { restack(BringForward); }),
        makeAction(tr("Send Backward"), [this]() { restack(SendBackward); }),
        makeAction(tr("Bring to Front"), [this]() { restack(BringToFront); }),
        makeAction(tr("Send to Back"), [this]() { restack(SendToBack); }),
    };
    m_pHandles = std::make_unique<StageHandles>();
    m_pToolBar->addSeparator();
    m_pGuidesAction = m_pToolBar->addAction(tr("Breakpoint Guides"));
    m_pGuidesAction->setCheckable(true);
    m_pGuidesAction->setChecked(SceneSettings::showBreakpoints());
    connect(m_pGuidesAction, &QAction::toggled, this, [](bool bOn) { SceneSettings::setShowBreakpoints(bOn); });

    m_pTogglePlayAction = new QAction(tr("Play/Pause"), this);
    m_pTogglePlayAction->setObjectName(QStringLiteral("m_pTogglePlayAction"));
    connect(m_pTogglePlayAction, &QAction::triggered, m_pPlayer, &ScenePlayer::togglePlay);
    m_pAutoKeyAction = new QAction(tr("Auto-Key"), this);
    m_pAutoKeyAction->setObjectName(QStringLiteral("m_pAutoKeyAction"));
    m_pAutoKeyAction->setCheckable(true);
    m_pAutoKeyAction->setToolTip(tr("Changes away from the start of the scene add keyframes"));
    // The playhead and keys from the keyboard; the scene editor makes them
    // commands with keys of their own.
    m_pAddKeyframeAction = new QAction(tr("Add Keyframe"), this);
    m_pAddKeyframeAction->setObjectName(QStringLiteral("m_pAddKeyframeAction"));
    connect(m_pAddKeyframeAction, &QAction::triggered, this, &SceneEditorWidget::addKeyframesAtPlayhead);
    m_pPreviousFrameAction = new QAction(tr("Previous Frame"), this);
    m_pPreviousFrameAction->setObjectName(QStringLiteral("m_pPreviousFrameAction"));
    connect(m_pPreviousFrameAction, &QAction::triggered, this, [this]() { stepFrames(-1); });
    m_pNextFrameAction = new QAction(tr("Next Frame"), this);
    m_pNextFrameAction->setObjectName(QStringLiteral("m_pNextFrameAction"));
    connect(m_pNextFrameAction, &QAction::triggered, this, [this]() { stepFrames(1); });
    m_pGoToStartAction = new QAction(tr("Go to Start"), this);
    m_pGoToStartAction->setObjectName(QStringLiteral("m_pGoToStartAction"));
    connect(m_pGoToStartAction, &QAction::triggered, this, [this]() {
        m_pPlayer->pause();
        setTime(0);
    });
    m_pGoToEndAction = new QAction(tr("Go to End"), this);
    m_pGoToEndAction->setObjectName(QStringLiteral("m_pGoToEndAction"));
    connect(m_pGoToEndAction, &QAction::triggered, this, [this]() {
        m_pPlayer->pause();
        setTime(m_pPlayer->duration());
    });

    // Property panel: exact values for the selected item.
    m_pPropertyPanel = new QWidget(this);
    m_pPropertyPanel->setObjectName(QStringLiteral("m_pPropertyPanel"));
    auto makeSpin = [this](const char *pName) {
        auto *pSpin = new QDoubleSpinBox(m_pPropertyPanel);
        pSpin->setObjectName(QLatin1String(pName));
        pSpin->setRange(-100000, 100000);
        pSpin->setDecimals(0);
        pSpin->setKeyboardTracking(false);
        connect(pSpin, &QDoubleSpinBox::editingFinished, this, &SceneEditorWidget::commitProperties);
        return pSpin;
    };
    m_pXSpin = makeSpin("m_pXSpin");
    m_pYSpin = makeSpin("m_pYSpin");
    m_pWidthSpin = makeSpin("m_pWidthSpin");
    m_pHeightSpin = makeSpin("m_pHeightSpin");
    m_pWidthSpin->setMinimum(1);
    m_pHeightSpin->setMinimum(1);
    m_pRotationSpin = makeSpin("m_pRotationSpin");
    m_pRotationSpin->setRange(-3600, 3600);
    m_pRotationSpin->setDecimals(1);
    m_pRotationSpin->setSuffix(tr("°"));
    m_pOpacitySpin = new QSpinBox(m_pPropertyPanel);
    m_pOpacitySpin->setObjectName(QStringLiteral("m_pOpacitySpin"));
    m_pOpacitySpin->setRange(0, 100);
    m_pOpacitySpin->setSuffix(tr(" %"));
    m_pOpacitySpin->setKeyboardTracking(false);
    connect(m_pOpacitySpin, &QSpinBox::editingFinished, this, &SceneEditorWidget::commitProperties);
    m_pTextEdit = new QLineEdit(m_pPropertyPanel);
    m_pTextEdit->setObjectName(QStringLiteral("m_pTextEdit"));
    connect(m_pTextEdit, &QLineEdit::editingFinished, this, &SceneEditorWidget::commitProperties);
    m_pFontSpin = new QSpinBox(m_pPropertyPanel);
    m_pFontSpin->setObjectName(QStringLiteral("m_pFontSpin"));
    m_pFontSpin->setRange(4, 1000);
    m_pFontSpin->setKeyboardTracking(false);
    connect(m_pFontSpin, &QSpinBox::editingFinished, this, &SceneEditorWidget::commitProperties);
    m_pFillButton = new QPushButton(tr("Choose..."), m_pPropertyPanel);
    connect(m_pFillButton, &QPushButton::clicked, this, &SceneEditorWidget::chooseFill);

    auto *pForm = new QFormLayout(m_pPropertyPanel);
    pForm->addRow(new QLabel(tr("<b>Selected item</b>"), m_pPropertyPanel));
    pForm->addRow(tr("X:"), m_pXSpin);
    pForm->addRow(tr("Y:"), m_pYSpin);
    pForm->addRow(tr("Width:"), m_pWidthSpin);
    pForm->addRow(tr("Height:"), m_pHeightSpin);
    pForm->addRow(tr("Rotation:"), m_pRotationSpin);
    pForm->addRow(tr("Opacity:"), m_pOpacitySpin);
    pForm->addRow(tr("Text:"), m_pTextEdit);
    pForm->addRow(tr("Font size:"), m_pFontSpin);
    pForm->addRow(tr("Colour:"), m_pFillButton);
    // Small and scaled windows scroll the panel rather than squeeze it: no
    // field gets less than it asks for, and the panel is as wide as they need.
    for (QWidget *pField : {static_cast<QWidget *>(m_pXSpin), static_cast<QWidget *>(m_pYSpin),
                            static_cast<QWidget *>(m_pWidthSpin), static_cast<QWidget *>(m_pHeightSpin),
                            static_cast<QWidget *>(m_pRotationSpin), static_cast<QWidget *>(m_pOpacitySpin),
                            static_cast<QWidget *>(m_pTextEdit), static_cast<QWidget *>(m_pFontSpin),
                            static_cast<QWidget *>(m_pFillButton)})
        pField->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_pPanelScroll = new QScrollArea(this);
    m_pPanelScroll->setObjectName(QStringLiteral("m_pPanelScroll"));
    m_pPanelScroll->setFrameShape(QFrame::NoFrame);
    m_pPanelScroll->setFocusPolicy(Qt::NoFocus);
    m_pPanelScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pPanelScroll->setWidgetResizable(true);
    m_pPanelScroll->setWidget(m_pPropertyPanel);
    m_pPropertyPanel->installEventFilter(this);
    // The wheel scrolls the panel: it changes a field only once the user has
    // given that field the focus, so no value changes in passing.
    const QList<QWidget *> lstFields = m_pPropertyPanel->findChildren<QWidget *>();
    for (QWidget *pField : lstFields) {
        if (qobject_cast<QAbstractSpinBox *>(pField) || qobject_cast<QComboBox *>(pField)) {
            pField->setFocusPolicy(Qt::StrongFocus);
            pField->installEventFilter(this);
        }
    }
    fitPanel();

    // The stage and its panel are the centre of a window of their own, so
    // the timeline (and later docks) can sit under the stage, inside the
    // editor and so inside its command context.
    m_pDockHost = new QMainWindow(this);
    m_pDockHost->setWindowFlags(Qt::Widget);   // the constructor always makes a window
    m_pDockHost->setObjectName(QStringLiteral("m_pDockHost"));
    auto *pStage = new QWidget(m_pDockHost);
    auto *pBody = new QHBoxLayout(pStage);
    pBody->setContentsMargins(0, 0, 0, 0);
    pBody->addWidget(m_pView, 1);
    pBody->addWidget(m_pPanelScroll);
    m_pDockHost->setCentralWidget(pStage);
    m_pTimeline = new TimelineWidget(this);
    m_pTimelineDock = new QDockWidget(tr("Timeline"), m_pDockHost);
    m_pTimelineDock->setObjectName(QStringLiteral("m_pTimelineDock"));
    m_pTimelineDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_pTimelineDock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    m_pTimelineDock->setWidget(m_pTimeline);
    m_pDockHost->addDockWidget(Qt::BottomDockWidgetArea, m_pTimelineDock);
    m_pDockHost->resizeDocks({m_pTimelineDock}, {200}, Qt::Vertical);

    // Every step of the project, named; a click goes back or forth to it.
    m_pHistoryView = new QUndoView(pDocument->getUndoStack(), this);
    m_pHistoryView->setObjectName(QStringLiteral("m_pHistoryView"));
    m_pHistoryView->setEmptyLabel(tr("Opened"));
    m_pHistoryDock = new QDockWidget(tr("Undo History"), m_pDockHost);
    m_pHistoryDock->setObjectName(QStringLiteral("m_pHistoryDock"));
    m_pHistoryDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_pHistoryDock->setWidget(m_pHistoryView);
    m_pHistoryDock->setMinimumWidth(140);
    m_pDockHost->addDockWidget(Qt::RightDockWidgetArea, m_pHistoryDock);
    m_pDockHost->resizeDocks({m_pHistoryDock}, {180}, Qt::Horizontal);
    m_pDockHost->installEventFilter(this);
    m_pHistoryDock->setVisible(SceneSettings::showUndoHistory());
    QAction *pHistoryAction = undoHistoryAction();
    pHistoryAction->setText(tr("Undo &History"));
    // Hidden by the user, it stays hidden in the next editor too.
    connect(pHistoryAction, &QAction::triggered, this, [](bool bShow) { SceneSettings::setShowUndoHistory(bShow); });

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pToolBar);
    pLayout->addWidget(m_pDockHost, 1);
    setFocusProxy(m_pView);

    connect(m_pScene, &QGraphicsScene::selectionChanged, this, &SceneEditorWidget::onSelectionChanged);
    connect(m_pPlayer, &ScenePlayer::timeChanged, this, &SceneEditorWidget::showTime);
    connect(m_pDocument, &IDocument::dataChanged, this, &SceneEditorWidget::rebuild);
    connect(m_pDocument, &QObject::destroyed, this, [this]() {
        m_pPlayer->pause();
        m_hashItems.clear();
        m_pHandles->setScene(nullptr);
        m_pScene->clear();
        setEnabled(false);
    });
    connect(SceneSettings::instance(), &SceneSettings::changed, this, [this]() {
        const QSignalBlocker blocker(m_pGuidesAction);
        m_pGuidesAction->setChecked(SceneSettings::showBreakpoints());
        rebuild();
    });
    m_pTimeline->setEditor(this);
    orderTabs();
    rebuild();
}

void SceneEditorWidget::orderTabs()
{
    // Tab goes round the editor from the stage, where the focus starts (the
    // widget's focus proxy): the panel, the timeline's controls and keys, the
    // undo history, then the toolbar above the stage. Tool buttons take no
    // focus by default, which would leave Play, Loop and the shapes out.
    QList<QWidget *> lstChain;
    const auto addToolBar = [&lstChain](QToolBar *pToolBar) {
        QList<QWidget *> lstButtons;
        for (QAction *pAction : pToolBar->actions()) {
            QWidget *pWidget = pToolBar->widgetForAction(pAction);
            if (!pWidget || pAction->isSeparator())
                continue;
            if (qobject_cast<QToolButton *>(pWidget))
                pWidget->setFocusPolicy(Qt::TabFocus);
            if (pWidget->focusPolicy() != Qt::NoFocus)   // labels take no place in the chain
                lstButtons.append(pWidget);
        }
        // In a narrow window the toolbar's own button at its end holds the
        // buttons that do not fit; it is a stop too.
        for (QToolButton *pButton : pToolBar->findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!lstButtons.contains(pButton)) {
                pButton->setFocusPolicy(Qt::TabFocus);
                lstButtons.append(pButton);
            }
        }
        lstChain += lstButtons;
    };
    lstChain << m_pView << m_pXSpin << m_pYSpin << m_pWidthSpin << m_pHeightSpin << m_pRotationSpin << m_pOpacitySpin
             << m_pTextEdit << m_pFontSpin << m_pFillButton;
    addToolBar(m_pTimeline->toolBar());
    lstChain << m_pTimeline->view() << m_pHistoryView;
    addToolBar(m_pToolBar);
    for (int i = 1; i < lstChain.size(); ++i)
        setTabOrder(lstChain.at(i - 1), lstChain.at(i));
}

void SceneEditorWidget::fitDocks()
{
    // In a small window the stage keeps the larger part: the docks give back
    // what they have beyond two fifths of the height and a quarter of the width.
    const QSize size = m_pDockHost->size();
    if (m_pTimelineDock->isVisible() && !m_pTimelineDock->isFloating() && m_pTimelineDock->height() > size.height() * 2 / 5)
        m_pDockHost->resizeDocks({m_pTimelineDock}, {size.height() * 2 / 5}, Qt::Vertical);
    if (m_pHistoryDock->isVisible() && !m_pHistoryDock->isFloating() && m_pHistoryDock->width() > size.width() / 4)
        m_pDockHost->resizeDocks({m_pHistoryDock}, {size.width() / 4}, Qt::Horizontal);
}

void SceneEditorWidget::fitPanel()
{
    m_pPanelScroll->setFixedWidth(m_pPropertyPanel->minimumSizeHint().width() + 2 * m_pPanelScroll->frameWidth()
                                  + m_pPanelScroll->verticalScrollBar()->sizeHint().width());
}

bool SceneEditorWidget::event(QEvent *pEvent)
{
    // The editor's commands answer keys anywhere in it. Keys a control here
    // needs for itself, and did not claim, stay with it: the arrow keys move
    // the selection on the stage and choose in lists, Space presses a button.
    if (pEvent->type() == QEvent::ShortcutOverride) {
        auto *pKeyEvent = static_cast<QKeyEvent *>(pEvent);
        QWidget *pFocus = QApplication::focusWidget();
        const Qt::KeyboardModifiers modifiers = pKeyEvent->modifiers() & ~Qt::KeypadModifier;
        const int nKey = pKeyEvent->key();
        const bool bArrow = nKey == Qt::Key_Left || nKey == Qt::Key_Right || nKey == Qt::Key_Up || nKey == Qt::Key_Down;
        const bool bNavigation = bArrow || nKey == Qt::Key_Home || nKey == Qt::Key_End;
        bool bKeep = false;
        if (pFocus && isAncestorOf(pFocus) && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
            if (pFocus == m_pView)
                bKeep = bArrow;
            else if (qobject_cast<QAbstractItemView *>(pFocus) || qobject_cast<QComboBox *>(pFocus))
                bKeep = bNavigation;
            else if (qobject_cast<QAbstractButton *>(pFocus))
                bKeep = nKey == Qt::Key_Space && modifiers == Qt::NoModifier;
        }
        if (bKeep) {
            pEvent->accept();
            return true;
        }
    }
    return QWidget::event(pEvent);
}

void SceneEditorWidget::stepFrames(int nFrames)
{
    // From the frame the playhead is on: after a pause it may be between two.
    m_pPlayer->pause();
    const int nFps = m_pPlayer->fps();
    setTime((std::round(time() * nFps) + nFrames) / nFps);
}

void SceneEditorWidget::addKeyframesAtPlayhead()
{
    m_pTimeline->view()->addKeyframesAtPlayhead(selectedIds());
}

SceneEditorWidget::~SceneEditorWidget()
{
    // The scene goes before the panel; its last selection change must not
    // reach a half-destroyed widget.
    disconnect(m_pScene, nullptr, this, nullptr);
    disconnect(m_pPlayer, nullptr, this, nullptr);
    // Nor may a field of the panel or the timeline that finishes its editing
    // as the focus leaves it on the way out.
    for (QWidget *pField : findChildren<QWidget *>()) {
        if (qobject_cast<QAbstractSpinBox *>(pField) || qobject_cast<QLineEdit *>(pField))
            pField->blockSignals(true);
    }
}

QAction *SceneEditorWidget::undoHistoryAction() const
{
    return m_pHistoryDock->toggleViewAction();
}

QList<QAction *> SceneEditorWidget::editActions() const
{
    return m_lstEditActions;
}

QList<QAction *> SceneEditorWidget::itemActions() const
{
    return m_lstItemActions;
}

QStringList SceneEditorWidget::selectedIds() const
{
    QStringList lstIds;
    for (QGraphicsItem *pItem : m_pScene->selectedItems())
        lstIds.append(pItem->data(s_nIdRole).toString());
    lstIds.sort();
    return lstIds;
}

void SceneEditorWidget::selectIds(const QStringList &lstIds)
{
    // The scene says so for every item; the panel, the handles and the
    // timeline follow once, for all of them.
    const bool bSelecting = m_bSelecting;
    m_bSelecting = true;
    m_pScene->clearSelection();
    for (const QString &strId : lstIds) {
        if (QGraphicsItem *pItem = m_hashItems.value(strId))
            pItem->setSelected(true);
    }
    m_bSelecting = bSelecting;
    if (!bSelecting)
        onSelectionChanged();
}

int SceneEditorWidget::currentScene() const
{
    if (!m_pDocument)
        return 0;
    const int nIndex = m_pDocument->project().sceneIndex(m_strSceneId);
    return nIndex >= 0 ? nIndex : qBound(0, m_nSceneIndex, m_pDocument->project().m_lstScenes.size() - 1);
}

const Scene &SceneEditorWidget::scene() const
{
    static const Scene s_empty;
    return m_pDocument ? m_pDocument->project().m_lstScenes.at(currentScene()) : s_empty;
}

double SceneEditorWidget::time() const
{
    return m_pPlayer->time();
}

bool SceneEditorWidget::isAutoKey() const
{
    return m_pAutoKeyAction->isChecked();
}

void SceneEditorWidget::setAutoKey(bool bOn)
{
    m_pAutoKeyAction->setChecked(bOn);
}

void SceneEditorWidget::setTime(double dTime)
{
    m_pPlayer->setTime(dTime);
}

void SceneEditorWidget::setCurrentScene(int nScene)
{
    if (!m_pDocument || nScene < 0 || nScene >= m_pDocument->project().m_lstScenes.size()
        || m_pDocument->project().m_lstScenes.at(nScene).strId == m_strSceneId)
        return;
    m_pPlayer->stop();
    m_pScene->clearSelection();
    m_strSceneId = m_pDocument->project().m_lstScenes.at(nScene).strId;
    m_nSceneIndex = nScene;
    rebuild();
}

QGraphicsItem *SceneEditorWidget::createGraphicsItem(const SceneItem &item)
{
    QAbstractGraphicsShapeItem *pShape = nullptr;
    switch (item.type) {
    case SceneItem::Rectangle:
        pShape = new StageShapeItem<QGraphicsRectItem>();
        break;
    case SceneItem::Ellipse:
        pShape = new StageShapeItem<QGraphicsEllipseItem>();
        break;
    case SceneItem::Text: {
        // An invisible frame carries the selection; the text is its child.
        auto *pFrame = new QGraphicsRectItem();
        pFrame->setPen(Qt::NoPen);
        pFrame->setBrush(Qt::NoBrush);
        auto *pText = new QGraphicsSimpleTextItem(item.strText, pFrame);
        QFont font(QStringLiteral("sans-serif"));
        font.setPixelSize(item.nFontSize);
        pText->setFont(font);
        pShape = pFrame;
        break;
    }
    case SceneItem::Image: {
        auto *pFrame = new QGraphicsRectItem();
        QPixmap pixmap;
        pixmap.loadFromData(m_pDocument->project().m_mapImages.value(item.strImage));
        if (pixmap.isNull()) {
            // A missing image keeps its place and shows that it is missing.
            pFrame->setBrush(QBrush(QColor(0xdd, 0xdd, 0xdd), Qt::DiagCrossPattern));
            pFrame->setPen(QPen(Qt::red, 1, Qt::DashLine));
        } else {
            pFrame->setPen(Qt::NoPen);
            auto *pPixmap = new QGraphicsPixmapItem(pixmap, pFrame);
            pPixmap->setTransformationMode(Qt::SmoothTransformation);
        }
        pShape = pFrame;
        break;
    }
    }
    if (item.type == SceneItem::Rectangle || item.type == SceneItem::Ellipse)
        pShape->setPen(QPen(item.stroke, 2));
    if (!item.bLocked)
        pShape->setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable);
    pShape->setVisible(!item.bHidden);
    pShape->setData(s_nIdRole, item.strId);
    showState(pShape, item, item.stateAt(time()));
    return pShape;
}

void SceneEditorWidget::showState(QGraphicsItem *pItem, const SceneItem &item, const SceneItem::State &state)
{
    // Drawn in the item's own coordinates, its top left corner at 0,0, and
    // turned around its centre, as the exported page draws it.
    const QRectF local(0, 0, state.rect.width(), state.rect.height());
    pItem->setPos(state.rect.topLeft());
    pItem->setTransformOriginPoint(local.center());
    pItem->setRotation(state.dRotation);
    pItem->setOpacity(state.dOpacity);
    if (auto *pRect = qgraphicsitem_cast<QGraphicsRectItem *>(pItem))
        pRect->setRect(local);
    else if (auto *pEllipse = qgraphicsitem_cast<QGraphicsEllipseItem *>(pItem))
        pEllipse->setRect(local);
    switch (item.type) {
    case SceneItem::Rectangle:
    case SceneItem::Ellipse: {
        auto *pShape = static_cast<QAbstractGraphicsShapeItem *>(pItem);
        // A brush is not built for a colour that did not change.
        if (pShape->brush().color() != state.fill || pShape->brush().style() != Qt::SolidPattern)
            pShape->setBrush(state.fill);
        break;
    }
    case SceneItem::Text:
        if (auto *pText = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(pItem->childItems().value(0)))
            pText->setBrush(state.fill);
        break;
    case SceneItem::Image:
        if (auto *pPixmap = qgraphicsitem_cast<QGraphicsPixmapItem *>(pItem->childItems().value(0))) {
            const QSizeF size = pPixmap->pixmap().size();
            pPixmap->setTransform(QTransform::fromScale(local.width() / size.width(), local.height() / size.height()));
        }
        break;
    }
}

void SceneEditorWidget::rebuild()
{
    if (!m_pDocument)
        return;
    const QStringList lstSelected = selectedIds();
    m_bRebuilding = true;
    m_hashItems.clear();
    m_pHandles->setScene(nullptr);
    m_pScene->clear();
    const SceneProject &project = m_pDocument->project();
    // The scene shown may have gone (undone, deleted): its neighbour takes over.
    const int nScene = currentScene();
    const bool bSceneChanged = project.m_lstScenes.at(nScene).strId != m_strSceneId;
    m_strSceneId = project.m_lstScenes.at(nScene).strId;
    m_nSceneIndex = nScene;
    updatePlayer();

    const QRectF stage(0, 0, project.m_nWidth, project.m_nHeight);
    auto *pStage = m_pScene->addRect(stage, QPen(QColor(0x40, 0x40, 0x40)), project.m_background);
    pStage->setZValue(-1);
    m_pScene->setSceneRect(stage.adjusted(-40, -40, 40, 40));
    qreal dZ = 0;
    for (const SceneItem &item : scene().lstItems) {
        QGraphicsItem *pItem = createGraphicsItem(item);
        pItem->setZValue(dZ++);
        m_pScene->addItem(pItem);
        m_hashItems.insert(item.strId, pItem);
    }
    drawGuides();
    m_pHandles->setScene(m_pScene);
    selectIds(lstSelected);
    m_bRebuilding = false;
    onSelectionChanged();
    fitStage();
    if (bSceneChanged)
        emit currentSceneChanged(nScene);
}

void SceneEditorWidget::updatePlayer()
{
    const SceneProject &project = m_pDocument->project();
    m_pPlayer->setFps(project.m_nFps);
    m_pPlayer->setLoop(project.m_bLoop);
    m_pPlayer->setDuration(scene().dDuration);
}

void SceneEditorWidget::showTime()
{
    if (!m_pDocument)
        return;
    // Only what moves is touched: playing must keep up with the frame rate.
    for (const SceneItem &item : scene().lstItems) {
        if (!item.isAnimated())
            continue;
        if (QGraphicsItem *pItem = m_hashItems.value(item.strId))
            showState(pItem, item, item.stateAt(time()));
    }
    updateHandles();
    updatePropertyPanel();
}

void SceneEditorWidget::drawGuides()
{
    if (!m_pDocument)
        return;
    m_nGuideCount = 0;
    if (!SceneSettings::showBreakpoints())
        return;
    const SceneProject &project = m_pDocument->project();
    QList<QPair<int, bool>> lstH = DocumentManager::getHBreakpoints();
    QList<QPair<int, bool>> lstV = DocumentManager::getVBreakpoints();
    if (lstH.isEmpty() && lstV.isEmpty())
        DocumentManager::initBreakpoints(lstH, lstV, false);
    const QPen pen(QColor(0xe0, 0x40, 0x80), 0, Qt::DashLine);
    // Horizontal breakpoints are widths: vertical lines at that x.
    for (const auto &breakpoint : qAsConst(lstH)) {
        if (!breakpoint.second || breakpoint.first > project.m_nWidth)
            continue;
        m_pScene->addLine(breakpoint.first, 0, breakpoint.first, project.m_nHeight, pen)->setZValue(1e6);
        ++m_nGuideCount;
    }
    for (const auto &breakpoint : qAsConst(lstV)) {
        if (!breakpoint.second || breakpoint.first > project.m_nHeight)
            continue;
        m_pScene->addLine(0, breakpoint.first, project.m_nWidth, breakpoint.first, pen)->setZValue(1e6);
        ++m_nGuideCount;
    }
}

void SceneEditorWidget::fitStage()
{
    if (!m_pDocument)
        return;
    const SceneProject &project = m_pDocument->project();
    m_pView->fitInView(QRectF(-20, -20, project.m_nWidth + 40, project.m_nHeight + 40), Qt::KeepAspectRatio);
}

void SceneEditorWidget::addItem(SceneItem item, const QString &strText)
{
    if (!m_pDocument)
        return;
    const SceneProject &project = m_pDocument->project();
    const int nScene = currentScene();
    item.strId = m_pDocument->newItemId(nScene);
    if (item.rect.isEmpty())
        item.rect = QRectF(0, 0, qMax(16, project.m_nWidth / 5), qMax(16, project.m_nHeight / 5));
    // New items land in the middle of the stage, a little apart from each other.
    const qreal dOffset = (scene().lstItems.size() % 8) * 12;
    item.rect.moveCenter(QPointF(project.m_nWidth / 2.0 + dOffset, project.m_nHeight / 2.0 + dOffset));
    item.rect.moveTopLeft(QPointF(std::round(item.rect.x()), std::round(item.rect.y())));
    QList<SceneItem> lstItems = scene().lstItems;
    lstItems.append(item);
    m_pDocument->changeItems(strText, nScene, lstItems);
    selectIds({item.strId});
}

void SceneEditorWidget::addRectangle()
{
    if (!m_pDocument)
        return;
    SceneItem item;
    item.type = SceneItem::Rectangle;
    addItem(item, tr("Add Rectangle"));
}

void SceneEditorWidget::addEllipse()
{
    if (!m_pDocument)
        return;
    SceneItem item;
    item.type = SceneItem::Ellipse;
    item.fill = QColor(QStringLiteral("#e8a33d"));
    item.stroke = QColor(QStringLiteral("#7a4d0b"));
    addItem(item, tr("Add Ellipse"));
}

void SceneEditorWidget::addText()
{
    if (!m_pDocument)
        return;
    SceneItem item;
    item.type = SceneItem::Text;
    item.strText = tr("Text");
    item.nFontSize = qMax(12, m_pDocument->project().m_nHeight / 12);
    item.fill = QColor(QStringLiteral("#202020"));
    item.rect = QRectF(0, 0, item.nFontSize * 4, item.nFontSize * 1.4);
    addItem(item, tr("Add Text"));
}

void SceneEditorWidget::addImage()
{
    if (!m_pDocument)
        return;
    QFileDialog dialog(this, tr("Add Image"), SceneSettings::lastFolder(),
                       tr("Images (*.png *.jpg *.jpeg *.gif *.svg *.webp)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        addImageFile(dialog.selectedFiles().constFirst());
}

bool SceneEditorWidget::addImageFile(const QString &strFile)
{
    if (!m_pDocument)
        return false;
    // Read once, bounded, and only from a regular file; the size comes from
    // the bytes the project keeps.
    QByteArray data;
    QString strError;
    if (!ProjectFile::read(strFile, ProjectFile::s_nMaxImageSize, &data, &strError)) {
        emit m_pDocument->statusChanged(strError);
        return false;
    }
    QBuffer buffer(&data);
    QImageReader reader(&buffer, QFileInfo(strFile).suffix().toLatin1());
    const QSize size = reader.size();
    if (!size.isValid()) {
        emit m_pDocument->statusChanged(tr("%1 is not an image that can be used.").arg(QFileInfo(strFile).fileName()));
        return false;
    }
    const QString strTooLarge = SceneProject::imageSizeProblem(data);
    if (!strTooLarge.isEmpty()) {
        emit m_pDocument->statusChanged(tr("%1 was not added: %2").arg(QFileInfo(strFile).fileName(), strTooLarge));
        return false;
    }
    SceneItem item;
    item.type = SceneItem::Image;
    item.strImage = m_pDocument->addImage(data, QFileInfo(strFile).suffix());
    const SceneProject &project = m_pDocument->project();
    const QSizeF fitted = QSizeF(size).scaled(project.m_nWidth / 2.0, project.m_nHeight / 2.0, Qt::KeepAspectRatio);
    item.rect = QRectF(QPointF(0, 0), size.width() > fitted.width() ? fitted : QSizeF(size));
    addItem(item, tr("Add Image"));
    return true;
}

void SceneEditorWidget::deleteSelected()
{
    // Keys selected in the timeline that has the focus are what Delete means there.
    TimelineView *pKeys = timeline()->view();
    if (pKeys->hasFocus() && pKeys->hasSelectedKeyframes())
        return pKeys->deleteSelectedKeyframes();
    const QStringList lstIds = selectedIds();
    removeItems(lstIds, lstIds.size() == 1 ? tr("Delete Item") : tr("Delete Items"));
}

void SceneEditorWidget::removeItems(const QStringList &lstIds, const QString &strText)
{
    if (!m_pDocument || lstIds.isEmpty())
        return;
    QList<SceneItem> lstItems = scene().lstItems;
    lstItems.erase(std::remove_if(lstItems.begin(), lstItems.end(),
                                  [&](const SceneItem &item) { return lstIds.contains(item.strId); }),
                   lstItems.end());
    m_pDocument->changeItems(strText, currentScene(), lstItems);
}

void SceneEditorWidget::copySelected()
{
    if (!m_pDocument || selectedIds().isEmpty())
        return;
    QApplication::clipboard()->setMimeData(SceneClipboard::mimeData(m_pDocument->project(), currentScene(), selectedIds()));
}

void SceneEditorWidget::cutSelected()
{
    copySelected();
    removeItems(selectedIds(), tr("Cut"));
}

bool SceneEditorWidget::paste()
{
    if (!m_pDocument)
        return false;
    SceneProject items;
    QString strError;
    if (!SceneClipboard::read(QApplication::clipboard()->mimeData(), &items, &strError)) {
        emit m_pDocument->statusChanged(strError);
        return false;
    }
    return pasteItems(items, tr("Paste"));
}

void SceneEditorWidget::duplicateSelected()
{
    if (!m_pDocument || selectedIds().isEmpty())
        return;
    // Through the clipboard's form, so a copy is the same whichever way it
    // is made; the clipboard itself keeps what it holds.
    const std::unique_ptr<QMimeData> pData(SceneClipboard::mimeData(m_pDocument->project(), currentScene(), selectedIds()));
    SceneProject items;
    QString strError;
    if (!SceneClipboard::read(pData.get(), &items, &strError)) {
        emit m_pDocument->statusChanged(strError);
        return;
    }
    pasteItems(items, tr("Duplicate"));
}

bool SceneEditorWidget::pasteItems(const SceneProject &items, const QString &strText)
{
    SceneProject project = m_pDocument->project();
    const QStringList lstIds = SceneClipboard::paste(&project, currentScene(), items, s_dPasteOffset);
    if (lstIds.isEmpty())
        return false;
    m_pDocument->changeProject(strText, project);
    selectIds(lstIds);
    return true;
}

void SceneEditorWidget::selectAll()
{
    QStringList lstIds;
    for (const SceneItem &item : scene().lstItems)
        lstIds.append(item.strId);
    selectIds(lstIds);   // hidden and locked items are left out
}

void SceneEditorWidget::changeEach(const QStringList &lstIds, const QString &strText,
                                   const std::function<void(SceneItem &)> &change)
{
    if (!m_pDocument || lstIds.isEmpty())
        return;
    QList<SceneItem> lstItems = scene().lstItems;
    for (SceneItem &item : lstItems) {
        if (lstIds.contains(item.strId))
            change(item);
    }
    m_pDocument->changeItems(strText, currentScene(), lstItems);
}

void SceneEditorWidget::renameSelected()
{
    const QStringList lstIds = selectedIds();
    if (lstIds.size() == 1)
        askItemName(lstIds.constFirst());
}

void SceneEditorWidget::askItemName(const QString &strId)
{
    const auto item = std::find_if(scene().lstItems.cbegin(), scene().lstItems.cend(),
                                   [&](const SceneItem &candidate) { return candidate.strId == strId; });
    if (!m_pDocument || item == scene().lstItems.cend())
        return;
    bool bOk = false;
    const QString strName = QInputDialog::getText(this, tr("Rename Item"), tr("Name:"), QLineEdit::Normal,
                                                  item->displayName(), &bOk);
    if (bOk)
        renameItem(strId, strName);
}

void SceneEditorWidget::renameItem(const QString &strId, const QString &strName)
{
    const QString strTrimmed = strName.trimmed();
    changeEach({strId}, tr("Rename Item"),
               [&](SceneItem &item) { item.strName = strTrimmed == item.strId ? QString() : strTrimmed; });
}

void SceneEditorWidget::restack(Stacking stacking)
{
    restackItems(selectedIds(), stacking);
}

void SceneEditorWidget::restackItems(const QStringList &lstIds, Stacking stacking)
{
    if (!m_pDocument || lstIds.isEmpty())
        return;
    QList<SceneItem> lstItems = scene().lstItems;   // back to front
    const auto moves = [&](int i) { return lstIds.contains(lstItems.at(i).strId); };
    switch (stacking) {
    case BringToFront:
    case SendToBack: {
        // The items keep their order among themselves.
        QList<SceneItem> lstMoved, lstStaying;
        for (int i = 0; i < lstItems.size(); ++i)
            (moves(i) ? lstMoved : lstStaying).append(lstItems.at(i));
        lstItems = stacking == BringToFront ? lstStaying + lstMoved : lstMoved + lstStaying;
        break;
    }
    case BringForward:
        // From the front, so a run of moving items moves as one, past one item.
        for (int i = lstItems.size() - 2; i >= 0; --i) {
            if (moves(i) && !moves(i + 1))
                lstItems.swapItemsAt(i, i + 1);
        }
        break;
    case SendBackward:
        for (int i = 1; i < lstItems.size(); ++i) {
            if (moves(i) && !moves(i - 1))
                lstItems.swapItemsAt(i - 1, i);
        }
        break;
    }
    m_pDocument->changeItems(m_lstItemActions.at(1 + stacking)->text(), currentScene(), lstItems);
}

void SceneEditorWidget::setItemsHidden(const QStringList &lstIds, bool bHidden)
{
    changeEach(lstIds, bHidden ? tr("Hide") : tr("Show"), [bHidden](SceneItem &item) { item.bHidden = bHidden; });
}

void SceneEditorWidget::setItemsLocked(const QStringList &lstIds, bool bLocked)
{
    changeEach(lstIds, bLocked ? tr("Lock") : tr("Unlock"), [bLocked](SceneItem &item) { item.bLocked = bLocked; });
}

void SceneEditorWidget::fillItemMenu(QMenu *pMenu, const QString &strId)
{
    const auto item = std::find_if(scene().lstItems.cbegin(), scene().lstItems.cend(),
                                   [&](const SceneItem &candidate) { return candidate.strId == strId; });
    if (item == scene().lstItems.cend())
        return;
    // The clipboard's commands act on what the menu is for: a click on an
    // item outside the selection selects it (a locked one, nothing).
    if (!selectedIds().contains(strId))
        selectIds({strId});
    const QStringList lstSelected = selectedIds();
    const QStringList lstIds = lstSelected.contains(strId) ? lstSelected : QStringList{strId};
    pMenu->addActions(m_lstEditActions.mid(0, 5));
    pMenu->addSeparator();
    pMenu->addAction(m_lstItemActions.at(0)->text(), this, [this, strId]() { askItemName(strId); });
    pMenu->addSeparator();
    for (Stacking stacking : {BringToFront, BringForward, SendBackward, SendToBack}) {
        pMenu->addAction(m_lstItemActions.at(1 + stacking)->text(), this,
                         [this, lstIds, stacking]() { restackItems(lstIds, stacking); });
    }
    pMenu->addSeparator();
    QAction *pHide = pMenu->addAction(tr("Hide in the Editor"), this,
                                      [this, lstIds](bool bHide) { setItemsHidden(lstIds, bHide); });
    pHide->setCheckable(true);
    pHide->setChecked(item->bHidden);
    QAction *pLock = pMenu->addAction(tr("Lock"), this, [this, lstIds](bool bLock) { setItemsLocked(lstIds, bLock); });
    pLock->setCheckable(true);
    pLock->setChecked(item->bLocked);
}

void SceneEditorWidget::showStageMenu(const QPoint &pos)
{
    QString strId;
    for (QGraphicsItem *pItem : m_pView->items(pos)) {
        strId = pItem->topLevelItem()->data(s_nIdRole).toString();
        if (!strId.isEmpty())
            break;
    }
    QMenu menu(this);
    if (strId.isEmpty()) {
        menu.addAction(m_lstEditActions.at(2));
        menu.addAction(m_lstEditActions.at(5));
    } else {
        fillItemMenu(&menu, strId);
    }
    menu.exec(m_pView->viewport()->mapToGlobal(pos));
}

void SceneEditorWidget::updateItemActions()
{
    const int nSelected = selectedIds().size();
    for (QAction *pAction : {m_lstEditActions.at(0), m_lstEditActions.at(1), m_lstEditActions.at(3), m_pDeleteAction})
        pAction->setEnabled(nSelected > 0);
    m_lstItemActions.at(0)->setEnabled(nSelected == 1);
    for (int i = 1; i < m_lstItemActions.size(); ++i)
        m_lstItemActions.at(i)->setEnabled(nSelected > 0);
}

void SceneEditorWidget::updateHandles()
{
    // Not while a handle is dragged: then the handles show the drag.
    if (m_handleDrag.nKind >= 0)
        return;
    const QStringList lstIds = selectedIds();
    QGraphicsItem *pItem = lstIds.size() == 1 ? m_hashItems.value(lstIds.constFirst()) : nullptr;
    const auto item = std::find_if(scene().lstItems.cbegin(), scene().lstItems.cend(),
                                   [&](const SceneItem &candidate) { return candidate.strId == lstIds.value(0); });
    if (!pItem || item == scene().lstItems.cend()) {
        m_pHandles->hide();
        return;
    }
    // Where the graphics item is, which is ahead of the document while it is dragged.
    m_pHandles->place(QRectF(pItem->pos(), item->stateAt(time()).rect.size()), pItem->rotation());
}

bool SceneEditorWidget::handleMouse(QMouseEvent *pEvent)
{
    if (!m_pDocument)
        return false;
    if (pEvent->type() == QEvent::MouseButtonPress) {
        if (pEvent->button() != Qt::LeftButton || !m_pHandles->isVisible())
            return false;
        const int nKind = m_pHandles->kindOf(m_pView->itemAt(pEvent->pos()));
        const QStringList lstIds = selectedIds();
        const auto item = std::find_if(scene().lstItems.cbegin(), scene().lstItems.cend(),
                                       [&](const SceneItem &candidate) { return candidate.strId == lstIds.value(0); });
        if (nKind < 0 || lstIds.size() != 1 || item == scene().lstItems.cend())
            return false;
        const SceneItem::State state = item->stateAt(time());
        m_handleDrag = {nKind, item->strId, state.rect, state.dRotation, state.rect, state.dRotation};
        return true;
    }
    if (m_handleDrag.nKind < 0)
        return false;
    HandleDrag &drag = m_handleDrag;
    const auto item = std::find_if(scene().lstItems.cbegin(), scene().lstItems.cend(),
                                   [&](const SceneItem &candidate) { return candidate.strId == drag.strId; });
    if (pEvent->type() == QEvent::MouseMove && item != scene().lstItems.cend()) {
        const QPointF at = m_pView->mapToScene(pEvent->pos());
        if (drag.nKind == StageHandles::Rotate)
            drag.dRotation = StageHandles::rotated(drag.startRect, drag.dStartRotation, at,
                                                   pEvent->modifiers() & Qt::ShiftModifier);
        else
            drag.rect = StageHandles::resized(drag.startRect, drag.dStartRotation, StageHandles::Kind(drag.nKind), at,
                                              pEvent->modifiers() & Qt::ShiftModifier,
                                              pEvent->modifiers() & Qt::AltModifier);
        SceneItem::State state = item->stateAt(time());
        state.rect = drag.rect;
        state.dRotation = drag.dRotation;
        if (QGraphicsItem *pItem = m_hashItems.value(drag.strId))
            showState(pItem, *item, state);
        m_pHandles->place(drag.rect, drag.dRotation);
        return true;
    }
    if (pEvent->type() != QEvent::MouseButtonRelease)
        return pEvent->type() == QEvent::MouseMove;
    const HandleDrag done = drag;
    m_handleDrag = HandleDrag();
    Changes changes;
    if (done.nKind == StageHandles::Rotate) {
        changes[done.strId] = {{SceneItem::Rotation, done.dRotation}};
    } else {
        changes[done.strId] = {{SceneItem::X, std::round(done.rect.x())},
                               {SceneItem::Y, std::round(done.rect.y())},
                               {SceneItem::Width, qMax(1.0, std::round(done.rect.width()))},
                               {SceneItem::Height, qMax(1.0, std::round(done.rect.height()))}};
    }
    const int nStep = m_pDocument->getUndoStack()->index();
    applyChanges(done.nKind == StageHandles::Rotate ? tr("Rotate") : tr("Resize"), changes);
    // A drag that changed nothing leaves no step; what it showed goes.
    if (m_pDocument->getUndoStack()->index() == nStep)
        rebuild();
    return true;
}

void SceneEditorWidget::applyChanges(const QString &strText, const Changes &changes)
{
    if (!m_pDocument || changes.isEmpty())
        return;
    m_pDocument->changeItems(strText, currentScene(), withChanges(scene().lstItems, changes));
}

QList<SceneItem> SceneEditorWidget::withChanges(QList<SceneItem> lstItems, const Changes &changes) const
{
    const double dTime = time();
    for (SceneItem &item : lstItems) {
        const auto values = changes.constFind(item.strId);
        if (values == changes.constEnd())
            continue;
        const SceneItem before = item;
        for (auto it = values->constBegin(); it != values->constEnd(); ++it) {
            const SceneItem::Property property = it.key();
            if (sameValue(item.valueAt(property, dTime), it.value()))
                continue;
            if (!item.tracks[property].isEmpty()) {
                item.setKeyframe(property, dTime, it.value());
            } else if (isAutoKey() && dTime > 0 && item.isAnimatable(property)) {
                // The property starts where it was and reaches the new value at the playhead.
                item.setKeyframe(property, 0, item.baseValue(property));
                item.setKeyframe(property, dTime, it.value());
            } else {
                item.setBaseValue(property, it.value());
            }
        }
        item.keyPositionTogether(before);
    }
    return lstItems;
}

void SceneEditorWidget::moveSelected(qreal dx, qreal dy)
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    Changes changes;
    for (const SceneItem &item : scene().lstItems) {
        if (!lstIds.contains(item.strId))
            continue;
        const QRectF rect = item.stateAt(time()).rect;
        changes[item.strId] = {{SceneItem::X, rect.x() + dx}, {SceneItem::Y, rect.y() + dy}};
    }
    applyChanges(tr("Move"), changes);
}

void SceneEditorWidget::setSelectedGeometry(const QRectF &rect)
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    if (lstIds.size() != 1 || !rect.isValid())
        return;
    QList<SceneItem> lstItems = scene().lstItems;
    auto it = findItem(lstItems, lstIds.constFirst());
    if (it == lstItems.end())
        return;
    const bool bResized = it->stateAt(time()).rect.size() != rect.size();
    applyChanges(bResized ? tr("Resize") : tr("Move"),
                 {{it->strId,
                   {{SceneItem::X, rect.x()}, {SceneItem::Y, rect.y()}, {SceneItem::Width, rect.width()},
                    {SceneItem::Height, rect.height()}}}});
}

void SceneEditorWidget::commitDrag()
{
    if (!m_pDocument)
        return;
    // Dragging moved the graphics items only; the document learns the new
    // places now, as one step for everything that moved.
    Changes changes;
    for (const SceneItem &item : scene().lstItems) {
        QGraphicsItem *pItem = m_hashItems.value(item.strId);
        const QPointF shown = item.stateAt(time()).rect.topLeft();
        if (!pItem || (qAbs(pItem->pos().x() - shown.x()) < 1e-6 && qAbs(pItem->pos().y() - shown.y()) < 1e-6))
            continue;
        changes[item.strId] = {{SceneItem::X, std::round(pItem->pos().x())}, {SceneItem::Y, std::round(pItem->pos().y())}};
    }
    applyChanges(tr("Move"), changes);
}

void SceneEditorWidget::commitProperties()
{
    if (!m_pDocument)
        return;
    if (m_bUpdatingPanel)
        return;
    const QStringList lstIds = selectedIds();
    if (lstIds.size() != 1)
        return;
    QList<SceneItem> lstItems = scene().lstItems;
    auto it = findItem(lstItems, lstIds.constFirst());
    if (it == lstItems.end())
        return;
    const QMap<SceneItem::Property, double> mapValues = panelValues();
    QMap<SceneItem::Property, QVariant> mapChanged;
    for (auto value = mapValues.constBegin(); value != mapValues.constEnd(); ++value) {
        if (value.value() != m_mapPanelValues.value(value.key()))
            mapChanged.insert(value.key(), value.value());
    }
    QString strText = tr("Change Item");
    // Text and font size are not animated: they change at every time.
    if (it->type == SceneItem::Text) {
        if (it->nFontSize != m_pFontSpin->value())
            strText = tr("Change Font Size");
        if (it->strText != m_pTextEdit->text())
            strText = tr("Change Text");
        it->strText = m_pTextEdit->text();
        it->nFontSize = m_pFontSpin->value();
    }
    if (mapChanged.contains(SceneItem::Width) || mapChanged.contains(SceneItem::Height))
        strText = tr("Resize");
    else if (mapChanged.contains(SceneItem::X) || mapChanged.contains(SceneItem::Y))
        strText = tr("Move");
    else if (mapChanged.contains(SceneItem::Rotation))
        strText = tr("Rotate");
    else if (mapChanged.contains(SceneItem::Opacity))
        strText = tr("Change Opacity");
    m_pDocument->changeItems(strText, currentScene(), withChanges(lstItems, {{it->strId, mapChanged}}));
}

void SceneEditorWidget::chooseFill()
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    if (lstIds.size() != 1)
        return;
    const SceneItem *pItem = nullptr;
    for (const SceneItem &item : scene().lstItems) {
        if (item.strId == lstIds.constFirst())
            pItem = &item;
    }
    if (!pItem)
        return;
    const QColor color = QColorDialog::getColor(pItem->valueAt(SceneItem::Fill, time()).value<QColor>(), this,
                                                tr("Choose Colour"),
                                                QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    if (!color.isValid() || !m_pDocument)
        return;
    applyChanges(tr("Change Colour"), {{lstIds.constFirst(), {{SceneItem::Fill, color}}}});
}

void SceneEditorWidget::changeScenes(const QString &strText, const QList<Scene> &lstScenes, const QString &strCurrentId)
{
    if (!m_pDocument)
        return;
    SceneProject project = m_pDocument->project();
    project.m_lstScenes = lstScenes;
    // The scene to show is chosen first, so the change is drawn once, with it.
    const QString strShown = m_strSceneId;
    m_strSceneId = strCurrentId;
    m_nSceneIndex = project.sceneIndex(strCurrentId);
    m_pDocument->changeProject(strText, project);
    if (m_pDocument->project().sceneIndex(strCurrentId) < 0) {
        m_strSceneId = strShown;   // nothing changed
        m_nSceneIndex = currentScene();
    }
}

void SceneEditorWidget::addScene()
{
    if (!m_pDocument)
        return;
    QList<Scene> lstScenes = m_pDocument->project().m_lstScenes;
    Scene scene;
    scene.strId = SceneProject::newSceneId();
    scene.strName = m_pDocument->project().newSceneName();
    lstScenes.insert(currentScene() + 1, scene);
    changeScenes(tr("Add Scene"), lstScenes, scene.strId);
}

void SceneEditorWidget::duplicateScene()
{
    if (!m_pDocument)
        return;
    QList<Scene> lstScenes = m_pDocument->project().m_lstScenes;
    Scene copy = scene();
    copy.strId = SceneProject::newSceneId();
    copy.strName = tr("%1 Copy").arg(copy.strName);
    lstScenes.insert(currentScene() + 1, copy);
    changeScenes(tr("Duplicate Scene"), lstScenes, copy.strId);
}

void SceneEditorWidget::deleteScene()
{
    if (!m_pDocument || m_pDocument->project().m_lstScenes.size() < 2)
        return;
    QList<Scene> lstScenes = m_pDocument->project().m_lstScenes;
    const int nScene = currentScene();
    lstScenes.removeAt(nScene);
    changeScenes(tr("Delete Scene"), lstScenes, lstScenes.at(qMin(nScene, lstScenes.size() - 1)).strId);
}

void SceneEditorWidget::renameScene()
{
    if (!m_pDocument)
        return;
    const int nScene = currentScene();
    bool bOk = false;
    const QString strName = QInputDialog::getText(this, tr("Rename Scene"), tr("Name:"), QLineEdit::Normal,
                                                  scene().strName, &bOk);
    if (bOk)
        renameScene(nScene, strName);
}

void SceneEditorWidget::renameScene(int nScene, const QString &strName)
{
    if (!m_pDocument || nScene < 0 || nScene >= m_pDocument->project().m_lstScenes.size()
        || strName.trimmed().isEmpty())
        return;
    QList<Scene> lstScenes = m_pDocument->project().m_lstScenes;
    lstScenes[nScene].strName = strName.trimmed();
    changeScenes(tr("Rename Scene"), lstScenes, m_strSceneId);
}

void SceneEditorWidget::moveScene(int nFrom, int nTo)
{
    if (!m_pDocument)
        return;
    QList<Scene> lstScenes = m_pDocument->project().m_lstScenes;
    if (nFrom < 0 || nFrom >= lstScenes.size() || nTo < 0 || nTo >= lstScenes.size() || nFrom == nTo)
        return;
    lstScenes.move(nFrom, nTo);
    changeScenes(tr("Move Scene"), lstScenes, m_strSceneId);
}

void SceneEditorWidget::setSceneDuration(double dDuration)
{
    if (!m_pDocument)
        return;
    // Keyframes stay inside their scene: it never ends before its last one.
    double dLast = SceneProject::s_dMinDuration;
    for (const SceneItem &item : scene().lstItems) {
        for (const QList<Keyframe> &track : item.tracks) {
            if (!track.isEmpty())
                dLast = qMax(dLast, track.constLast().dTime);
        }
    }
    QList<Scene> lstScenes = m_pDocument->project().m_lstScenes;
    lstScenes[currentScene()].dDuration = qBound(dLast, dDuration, SceneProject::s_dMaxDuration);
    changeScenes(tr("Change Scene Duration"), lstScenes, m_strSceneId);
}

void SceneEditorWidget::setLoop(bool bLoop)
{
    if (!m_pDocument)
        return;
    SceneProject project = m_pDocument->project();
    project.m_bLoop = bLoop;
    m_pDocument->changeProject(bLoop ? tr("Turn Loop On") : tr("Turn Loop Off"), project);
}

void SceneEditorWidget::onSelectionChanged()
{
    if (m_bRebuilding || m_bSelecting)
        return;
    updateItemActions();
    updateHandles();
    updatePropertyPanel();
    emit selectionChanged();
}

QMap<SceneItem::Property, double> SceneEditorWidget::panelValues() const
{
    return {
        {SceneItem::X, m_pXSpin->value()},
        {SceneItem::Y, m_pYSpin->value()},
        {SceneItem::Width, m_pWidthSpin->value()},
        {SceneItem::Height, m_pHeightSpin->value()},
        {SceneItem::Rotation, m_pRotationSpin->value()},
        {SceneItem::Opacity, m_pOpacitySpin->value() / 100.0},
    };
}

void SceneEditorWidget::updatePropertyPanel()
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    const SceneItem *pItem = nullptr;
    if (lstIds.size() == 1) {
        for (const SceneItem &item : scene().lstItems) {
            if (item.strId == lstIds.constFirst())
                pItem = &item;
        }
    }
    m_bUpdatingPanel = true;
    m_pPropertyPanel->setEnabled(pItem != nullptr);
    const SceneItem::State state = pItem ? pItem->stateAt(time()) : SceneItem::State();
    m_pXSpin->setValue(state.rect.x());
    m_pYSpin->setValue(state.rect.y());
    m_pWidthSpin->setValue(state.rect.width());
    m_pHeightSpin->setValue(state.rect.height());
    m_pRotationSpin->setValue(state.dRotation);
    m_pOpacitySpin->setValue(qRound(state.dOpacity * 100));
    m_mapPanelValues = panelValues();
    const bool bText = pItem && pItem->type == SceneItem::Text;
    m_pTextEdit->setEnabled(bText);
    m_pFontSpin->setEnabled(bText);
    m_pTextEdit->setText(bText ? pItem->strText : QString());
    m_pFontSpin->setValue(bText ? pItem->nFontSize : 24);
    m_pFillButton->setEnabled(pItem && pItem->type != SceneItem::Image);
    m_bUpdatingPanel = false;
}

bool SceneEditorWidget::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    // The stage is edited at the playhead, so it stops there.
    if (pWatched == m_pView->viewport() && pEvent->type() == QEvent::MouseButtonPress)
        m_pPlayer->pause();
    if (pWatched == m_pView->viewport()
        && (pEvent->type() == QEvent::MouseButtonPress || pEvent->type() == QEvent::MouseMove
            || pEvent->type() == QEvent::MouseButtonRelease)) {
        if (handleMouse(static_cast<QMouseEvent *>(pEvent)))
            return true;
        // The handles follow an item the view drags, once it has moved it.
        if (pEvent->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(pEvent)->buttons() != Qt::NoButton)
            QTimer::singleShot(0, this, &SceneEditorWidget::updateHandles);
    }
    if (pWatched == m_pView->viewport() && pEvent->type() == QEvent::ContextMenu) {
        showStageMenu(static_cast<QContextMenuEvent *>(pEvent)->pos());
        return true;
    }
    if (pWatched == m_pView->viewport() && pEvent->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, this, &SceneEditorWidget::commitDrag);   // after the view finished the drag
    if (pWatched == m_pView && pEvent->type() == QEvent::Resize)
        QTimer::singleShot(0, this, &SceneEditorWidget::fitStage);
    if (pWatched == m_pDockHost && pEvent->type() == QEvent::Resize)
        QTimer::singleShot(0, this, &SceneEditorWidget::fitDocks);   // once the docks have their new sizes
    if (pWatched == m_pPropertyPanel && pEvent->type() == QEvent::LayoutRequest)
        fitPanel();   // a theme or a language changed what the fields need
    if (pEvent->type() == QEvent::Wheel && pWatched->isWidgetType()
        && m_pPropertyPanel->isAncestorOf(static_cast<QWidget *>(pWatched))
        && !static_cast<QWidget *>(pWatched)->hasFocus()) {
        QCoreApplication::sendEvent(m_pPanelScroll->verticalScrollBar(), pEvent);
        return true;
    }
    if (pWatched == m_pView && pEvent->type() == QEvent::KeyPress) {
        auto *pKeyEvent = static_cast<QKeyEvent *>(pEvent);
        const qreal dStep = (pKeyEvent->modifiers() & Qt::ShiftModifier) ? 10 : 1;
        switch (pKeyEvent->key()) {
        case Qt::Key_Left: moveSelected(-dStep, 0); return true;
        case Qt::Key_Right: moveSelected(dStep, 0); return true;
        case Qt::Key_Up: moveSelected(0, -dStep); return true;
        case Qt::Key_Down: moveSelected(0, dStep); return true;
        // Also without the action's shortcut, which the window system may not deliver.
        case Qt::Key_Delete:
        case Qt::Key_Backspace: deleteSelected(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(pWatched, pEvent);
}
