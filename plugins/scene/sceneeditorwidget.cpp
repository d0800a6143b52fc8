#include "sceneeditorwidget.h"

#include "scenedocument.h"
#include "scenesettings.h"

#include "core/documents/documentmanager.h"

#include <QAction>
#include <QColorDialog>
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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

const int s_nIdRole = 0;   // QGraphicsItem::data key holding the item id

QList<SceneItem>::iterator findItem(QList<SceneItem> &lstItems, const QString &strId)
{
    return std::find_if(lstItems.begin(), lstItems.end(), [&](const SceneItem &item) { return item.strId == strId; });
}

} // namespace

SceneEditorWidget::SceneEditorWidget(SceneDocument *pDocument, QWidget *parent)
    : QWidget(parent)
    , m_pDocument(pDocument)
{
    setObjectName(QStringLiteral("SceneEditorWidget"));
    m_pScene = new QGraphicsScene(this);
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
    m_pToolBar->addAction(tr("Rectangle"), this, &SceneEditorWidget::addRectangle)->setObjectName(QStringLiteral("addRectangle"));
    m_pToolBar->addAction(tr("Ellipse"), this, &SceneEditorWidget::addEllipse)->setObjectName(QStringLiteral("addEllipse"));
    m_pToolBar->addAction(tr("Text"), this, &SceneEditorWidget::addText)->setObjectName(QStringLiteral("addText"));
    m_pToolBar->addAction(tr("Image..."), this, &SceneEditorWidget::addImage)->setObjectName(QStringLiteral("addImage"));
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
    m_pTextEdit = new QLineEdit(m_pPropertyPanel);
    m_pTextEdit->setObjectName(QStringLiteral("m_pTextEdit"));
    connect(m_pTextEdit, &QLineEdit::editingFinished, this, &SceneEditorWidget::commitProperties);
    m_pFontSpin = new QSpinBox(m_pPropertyPanel);
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
    pForm->addRow(tr("Text:"), m_pTextEdit);
    pForm->addRow(tr("Font size:"), m_pFontSpin);
    pForm->addRow(tr("Colour:"), m_pFillButton);
    m_pPropertyPanel->setFixedWidth(220);

    auto *pBody = new QHBoxLayout();
    pBody->setContentsMargins(0, 0, 0, 0);
    pBody->addWidget(m_pView, 1);
    pBody->addWidget(m_pPropertyPanel);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pToolBar);
    pLayout->addLayout(pBody, 1);
    setFocusProxy(m_pView);

    connect(m_pScene, &QGraphicsScene::selectionChanged, this, &SceneEditorWidget::onSelectionChanged);
    connect(m_pDocument, &IDocument::dataChanged, this, &SceneEditorWidget::rebuild);
    connect(m_pDocument, &QObject::destroyed, this, [this]() {
        m_hashItems.clear();
        m_pScene->clear();
        setEnabled(false);
    });
    connect(SceneSettings::instance(), &SceneSettings::changed, this, [this]() {
        const QSignalBlocker blocker(m_pGuidesAction);
        m_pGuidesAction->setChecked(SceneSettings::showBreakpoints());
        rebuild();
    });
    rebuild();
}

SceneEditorWidget::~SceneEditorWidget()
{
    // The scene goes before the panel; its last selection change must not
    // reach a half-destroyed widget.
    disconnect(m_pScene, nullptr, this, nullptr);
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

QGraphicsItem *SceneEditorWidget::createGraphicsItem(const SceneItem &item)
{
    const QRectF local(0, 0, item.rect.width(), item.rect.height());
    QAbstractGraphicsShapeItem *pShape = nullptr;
    switch (item.type) {
    case SceneItem::Rectangle:
        pShape = new QGraphicsRectItem(local);
        break;
    case SceneItem::Ellipse:
        pShape = new QGraphicsEllipseItem(local);
        break;
    case SceneItem::Text: {
        // An invisible frame carries the selection; the text is its child.
        auto *pFrame = new QGraphicsRectItem(local);
        pFrame->setPen(Qt::NoPen);
        pFrame->setBrush(Qt::NoBrush);
        auto *pText = new QGraphicsSimpleTextItem(item.strText, pFrame);
        QFont font(QStringLiteral("sans-serif"));
        font.setPixelSize(item.nFontSize);
        pText->setFont(font);
        pText->setBrush(item.fill);
        pShape = pFrame;
        break;
    }
    case SceneItem::Image: {
        auto *pFrame = new QGraphicsRectItem(local);
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
            pPixmap->setTransform(QTransform::fromScale(local.width() / pixmap.width(),
                                                        local.height() / pixmap.height()));
        }
        pShape = pFrame;
        break;
    }
    }
    if (item.type == SceneItem::Rectangle || item.type == SceneItem::Ellipse) {
        pShape->setBrush(item.fill);
        pShape->setPen(QPen(item.stroke, 2));
    }
    pShape->setPos(item.rect.topLeft());
    pShape->setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable);
    pShape->setData(s_nIdRole, item.strId);
    return pShape;
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
    const QRectF stage(0, 0, project.m_nWidth, project.m_nHeight);
    auto *pStage = m_pScene->addRect(stage, QPen(QColor(0x40, 0x40, 0x40)), project.m_background);
    pStage->setZValue(-1);
    m_pScene->setSceneRect(stage.adjusted(-40, -40, 40, 40));
    qreal dZ = 0;
    for (const SceneItem &item : project.m_lstItems) {
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
    item.strId = m_pDocument->newItemId();
    if (item.rect.isEmpty())
        item.rect = QRectF(0, 0, qMax(16, project.m_nWidth / 5), qMax(16, project.m_nHeight / 5));
    // New items land in the middle of the stage, a little apart from each other.
    const qreal dOffset = (project.m_lstItems.size() % 8) * 12;
    item.rect.moveCenter(QPointF(project.m_nWidth / 2.0 + dOffset, project.m_nHeight / 2.0 + dOffset));
    item.rect.moveTopLeft(QPointF(std::round(item.rect.x()), std::round(item.rect.y())));
    QList<SceneItem> lstItems = project.m_lstItems;
    lstItems.append(item);
    m_pDocument->changeItems(strText, lstItems);
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
    QFile file(strFile);
    QImageReader reader(strFile);
    const QSize size = reader.size();
    if (!file.open(QIODevice::ReadOnly) || !size.isValid()) {
        emit m_pDocument->statusChanged(tr("%1 is not an image that can be used.").arg(QFileInfo(strFile).fileName()));
        return false;
    }
    SceneItem item;
    item.type = SceneItem::Image;
    item.strImage = m_pDocument->addImage(file.readAll(), QFileInfo(strFile).suffix());
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
    QList<SceneItem> lstItems = m_pDocument->project().m_lstItems;
    lstItems.erase(std::remove_if(lstItems.begin(), lstItems.end(),
                                  [&](const SceneItem &item) { return lstIds.contains(item.strId); }),
                   lstItems.end());
    m_pDocument->changeItems(lstIds.size() == 1 ? tr("Delete Item") : tr("Delete Items"), lstItems);
}

void SceneEditorWidget::moveSelected(qreal dx, qreal dy)
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    QList<SceneItem> lstItems = m_pDocument->project().m_lstItems;
    for (SceneItem &item : lstItems) {
        if (lstIds.contains(item.strId))
            item.rect.translate(dx, dy);
    }
    m_pDocument->changeItems(tr("Move"), lstItems);
}

void SceneEditorWidget::setSelectedGeometry(const QRectF &rect)
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    if (lstIds.size() != 1 || !rect.isValid())
        return;
    QList<SceneItem> lstItems = m_pDocument->project().m_lstItems;
    auto it = findItem(lstItems, lstIds.constFirst());
    if (it == lstItems.end())
        return;
    const bool bResized = it->rect.size() != rect.size();
    it->rect = rect;
    m_pDocument->changeItems(bResized ? tr("Resize") : tr("Move"), lstItems);
}

void SceneEditorWidget::commitDrag()
{
    if (!m_pDocument)
        return;
    // Dragging moved the graphics items only; the document learns the new
    // places now, as one step for everything that moved.
    QList<SceneItem> lstItems = m_pDocument->project().m_lstItems;
    for (SceneItem &item : lstItems) {
        if (QGraphicsItem *pItem = m_hashItems.value(item.strId)) {
            const QPointF pos(std::round(pItem->pos().x()), std::round(pItem->pos().y()));
            item.rect.moveTopLeft(pos);
        }
    }
    m_pDocument->changeItems(tr("Move"), lstItems);
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
    QList<SceneItem> lstItems = m_pDocument->project().m_lstItems;
    auto it = findItem(lstItems, lstIds.constFirst());
    if (it == lstItems.end())
        return;
    const SceneItem before = *it;
    it->rect = QRectF(m_pXSpin->value(), m_pYSpin->value(), m_pWidthSpin->value(), m_pHeightSpin->value());
    if (it->type == SceneItem::Text) {
        it->strText = m_pTextEdit->text();
        it->nFontSize = m_pFontSpin->value();
    }
    QString strText = tr("Change Item");
    if (before.rect.size() != it->rect.size())
        strText = tr("Resize");
    else if (before.rect != it->rect)
        strText = tr("Move");
    m_pDocument->changeItems(strText, lstItems);
}

void SceneEditorWidget::chooseFill()
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    if (lstIds.size() != 1)
        return;
    QList<SceneItem> lstItems = m_pDocument->project().m_lstItems;
    auto it = findItem(lstItems, lstIds.constFirst());
    if (it == lstItems.end())
        return;
    const QColor color = QColorDialog::getColor(it->fill, this, tr("Choose Colour"),
                                                QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    if (!color.isValid())
        return;
    it->fill = color;
    m_pDocument->changeItems(tr("Change Colour"), lstItems);
}

void SceneEditorWidget::onSelectionChanged()
{
    if (m_bRebuilding)
        return;
    m_pDeleteAction->setEnabled(!m_pScene->selectedItems().isEmpty());
    updatePropertyPanel();
}

void SceneEditorWidget::updatePropertyPanel()
{
    if (!m_pDocument)
        return;
    const QStringList lstIds = selectedIds();
    const SceneItem *pItem = nullptr;
    if (lstIds.size() == 1) {
        for (const SceneItem &item : m_pDocument->project().m_lstItems) {
            if (item.strId == lstIds.constFirst())
                pItem = &item;
        }
    }
    m_bUpdatingPanel = true;
    m_pPropertyPanel->setEnabled(pItem != nullptr);
    const QRectF rect = pItem ? pItem->rect : QRectF();
    m_pXSpin->setValue(rect.x());
    m_pYSpin->setValue(rect.y());
    m_pWidthSpin->setValue(rect.width());
    m_pHeightSpin->setValue(rect.height());
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
