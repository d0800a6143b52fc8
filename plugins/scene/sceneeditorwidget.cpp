#include "sceneeditorwidget.h"

#include "projectfile.h"
#include "scenedocument.h"
#include "sceneplayer.h"
#include "scenesettings.h"
#include "timelinewidget.h"

#include "core/documents/documentmanager.h"

#include <QAction>
#include <QBuffer>
#include <QColorDialog>
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
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QUndoView>
#include <QVBoxLayout>

#include <cmath>

namespace {

const int s_nIdRole = 0;   // QGraphicsItem::data key holding the item id

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
    m_pDeleteAction->setShortcut(QKeySequence::Delete);
    m_pDeleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_pDeleteAction->setEnabled(false);
    addAction(m_pDeleteAction);
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
    m_pPropertyPanel->setFixedWidth(220);

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
    pBody->addWidget(m_pPropertyPanel);
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
        m_pScene->clear();
        setEnabled(false);
    });
    connect(SceneSettings::instance(), &SceneSettings::changed, this, [this]() {
        const QSignalBlocker blocker(m_pGuidesAction);
        m_pGuidesAction->setChecked(SceneSettings::showBreakpoints());
        rebuild();
    });
    m_pTimeline->setEditor(this);
    rebuild();
}

SceneEditorWidget::~SceneEditorWidget()
{
    // The scene goes before the panel; its last selection change must not
    // reach a half-destroyed widget.
    disconnect(m_pScene, nullptr, this, nullptr);
    disconnect(m_pPlayer, nullptr, this, nullptr);
}

QAction *SceneEditorWidget::undoHistoryAction() const
{
    return m_pHistoryDock->toggleViewAction();
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
    m_pScene->clearSelection();
    for (const QString &strId : lstIds) {
        if (QGraphicsItem *pItem = m_hashItems.value(strId))
            pItem->setSelected(true);
    }
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
        pShape = new QGraphicsRectItem();
        break;
    case SceneItem::Ellipse:
        pShape = new QGraphicsEllipseItem();
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
    pShape->setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable);
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
    const QList<QGraphicsItem *> lstChildren = pItem->childItems();
    switch (item.type) {
    case SceneItem::Rectangle:
    case SceneItem::Ellipse:
        static_cast<QAbstractGraphicsShapeItem *>(pItem)->setBrush(state.fill);
        break;
    case SceneItem::Text:
        if (auto *pText = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(lstChildren.value(0)))
            pText->setBrush(state.fill);
        break;
    case SceneItem::Image:
        if (auto *pPixmap = qgraphicsitem_cast<QGraphicsPixmapItem *>(lstChildren.value(0))) {
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
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    if (lstIds.isEmpty())
        return;
    QList<SceneItem> lstItems = scene().lstItems;
    lstItems.erase(std::remove_if(lstItems.begin(), lstItems.end(),
                                  [&](const SceneItem &item) { return lstIds.contains(item.strId); }),
                   lstItems.end());
    m_pDocument->changeItems(lstIds.size() == 1 ? tr("Delete Item") : tr("Delete Items"), currentScene(), lstItems);
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
    if (m_bRebuilding)
        return;
    m_pDeleteAction->setEnabled(!m_pScene->selectedItems().isEmpty());
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
    if (pWatched == m_pView->viewport() && pEvent->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, this, &SceneEditorWidget::commitDrag);   // after the view finished the drag
    if (pWatched == m_pView && pEvent->type() == QEvent::Resize)
        QTimer::singleShot(0, this, &SceneEditorWidget::fitStage);
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
