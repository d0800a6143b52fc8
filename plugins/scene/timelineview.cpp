#include "timelineview.h"

#include "sceneanimation.h"
#include "scenedocument.h"
#include "sceneeditorwidget.h"
#include "sceneplayer.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

const int s_nLabelWidth = 170;
const int s_nRulerHeight = 24;
const int s_nRowHeight = 22;
const int s_nMargin = 10;          // room for the diamonds at the start and the end
const int s_nDiamondRadius = 6;
const int s_nToggleSize = 14;      // the hide and lock toggles at the end of an item's label
const double s_dMinZoom = 10;
const double s_dMaxZoom = 2000;

// The spacing of the labelled ticks: a round number of seconds, at least
// about 70 pixels apart.
double rulerStep(double dZoom)
{
    const double steps[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300, 600};
    for (double dStep : steps) {
        if (dStep * dZoom >= 70)
            return dStep;
    }
    return 1200;
}

// The x range of a toggle: 0 hides, 1 locks.
QRect toggleRect(int nToggle, int nTop)
{
    return QRect(s_nLabelWidth - (2 - nToggle) * (s_nToggleSize + 3), nTop + (s_nRowHeight - s_nToggleSize) / 2,
                 s_nToggleSize, s_nToggleSize);
}

// An eye, struck through while the item is hidden, and a padlock, closed
// while it is locked; faint while they are off.
void drawToggle(QPainter &painter, int nToggle, const QRect &rect, bool bOn, QColor color)
{
    if (!bOn)
        color.setAlphaF(0.3);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.5));
    painter.setBrush(Qt::NoBrush);
    const QRectF box = QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5);
    if (nToggle == 0) {
        QPainterPath eye;
        eye.moveTo(box.left(), box.center().y());
        eye.quadTo(box.center().x(), box.top() - 1, box.right(), box.center().y());
        eye.quadTo(box.center().x(), box.bottom() + 1, box.left(), box.center().y());
        painter.drawPath(eye);
        painter.setBrush(color);
        painter.drawEllipse(box.center(), 1.8, 1.8);
        if (bOn)
            painter.drawLine(box.bottomLeft(), box.topRight());
    } else {
        const QRectF body(box.left() + 1, box.center().y() - 1, box.width() - 2, box.height() / 2 + 1);
        const double dShackle = body.width() - 4;
        // Open, the shackle stands up beside the body.
        const QRectF shackle(body.left() + 2, box.top() - (bOn ? 0 : 2), dShackle, body.top() - box.top() + 4);
        painter.drawArc(shackle, 0, 180 * 16);
        painter.drawLine(QPointF(shackle.left(), shackle.center().y()), QPointF(shackle.left(), body.top()));
        if (bOn)
            painter.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), body.top()));
        painter.setBrush(bOn ? QBrush(color) : QBrush());
        painter.drawRect(body);
    }
    painter.restore();
}

} // namespace

bool TimelineView::KeyRef::operator==(const KeyRef &other) const
{
    return strItemId == other.strItemId && property == other.property && SceneAnimation::sameTime(dTime, other.dTime);
}

TimelineView::TimelineView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("m_pTimelineView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setMinimumHeight(s_nRulerHeight + 3 * s_nRowHeight);
}

void TimelineView::setEditor(SceneEditorWidget *pEditor)
{
    m_pEditor = pEditor;
    connect(pEditor->document(), &IDocument::dataChanged, this, &TimelineView::refresh);
    connect(pEditor, &SceneEditorWidget::selectionChanged, this, &TimelineView::refresh);
    connect(pEditor, &SceneEditorWidget::currentSceneChanged, this, [this]() {
        m_lstSelected.clear();
        refresh();
    });
    connect(pEditor->player(), &ScenePlayer::timeChanged, viewport(), QOverload<>::of(&QWidget::update));
    refresh();
}

const QList<SceneItem> &TimelineView::items() const
{
    static const QList<SceneItem> s_lstNone;
    return m_pEditor && m_pEditor->document() ? m_pEditor->scene().lstItems : s_lstNone;
}

const SceneItem *TimelineView::item(const QString &strId) const
{
    for (const SceneItem &item : items()) {
        if (item.strId == strId)
            return &item;
    }
    return nullptr;
}

void TimelineView::refresh()
{
    if (!m_pEditor)
        return;
    const QStringList lstSelected = m_pEditor->selectedIds();
    m_lstRows.clear();
    const QList<SceneItem> &lstItems = items();
    for (auto it = lstItems.crbegin(); it != lstItems.crend(); ++it) {
        m_lstRows.append({it->strId, -1});
        if (!lstSelected.contains(it->strId))
            continue;
        for (int p = 0; p < SceneItem::PropertyCount; ++p) {
            if (!it->tracks[p].isEmpty())
                m_lstRows.append({it->strId, p});
        }
    }
    // Keyframes that are gone (undone, deleted, moved) are no longer selected.
    m_lstSelected.erase(std::remove_if(m_lstSelected.begin(), m_lstSelected.end(),
                                       [this](const KeyRef &ref) {
                                           const SceneItem *pItem = item(ref.strItemId);
                                           if (!pItem)
                                               return true;
                                           const QList<Keyframe> &track = pItem->tracks[ref.property];
                                           return std::none_of(track.begin(), track.end(), [&](const Keyframe &k) {
                                               return SceneAnimation::sameTime(k.dTime, ref.dTime);
                                           });
                                       }),
                        m_lstSelected.end());
    updateScrollBars();
    viewport()->update();
}

QList<double> TimelineView::rowTimes(const Row &row) const
{
    QList<double> lstTimes;
    const SceneItem *pItem = item(row.strItemId);
    if (!pItem)
        return lstTimes;
    for (int p = 0; p < SceneItem::PropertyCount; ++p) {
        if (row.nProperty >= 0 && row.nProperty != p)
            continue;
        for (const Keyframe &keyframe : pItem->tracks[p])
            lstTimes.append(keyframe.dTime);
    }
    std::sort(lstTimes.begin(), lstTimes.end());
    lstTimes.erase(std::unique(lstTimes.begin(), lstTimes.end(), &SceneAnimation::sameTime), lstTimes.end());
    return lstTimes;
}

double TimelineView::xForTime(double dTime) const
{
    return s_nLabelWidth + s_nMargin + dTime * m_dZoom - horizontalScrollBar()->value();
}

double TimelineView::timeForX(double dX) const
{
    return (dX - s_nLabelWidth - s_nMargin + horizontalScrollBar()->value()) / m_dZoom;
}

int TimelineView::rowAt(int nY) const
{
    if (nY < s_nRulerHeight)
        return -1;
    const int nRow = (nY - s_nRulerHeight + verticalScrollBar()->value()) / s_nRowHeight;
    return nRow < m_lstRows.size() ? nRow : -1;
}

double TimelineView::diamondAt(int nRow, const QPoint &pos) const
{
    if (nRow < 0 || pos.x() < s_nLabelWidth)
        return -1;
    const QList<double> lstTimes = rowTimes(m_lstRows.at(nRow));
    double dBest = -1;
    double dBestDistance = s_nDiamondRadius + 2;
    for (double dTime : lstTimes) {
        const double dDistance = qAbs(xForTime(dTime) - pos.x());
        if (dDistance <= dBestDistance) {
            dBest = dTime;
            dBestDistance = dDistance;
        }
    }
    return dBest;
}

QPoint TimelineView::diamondCenter(const QString &strItemId, int nProperty, double dTime) const
{
    for (int i = 0; i < m_lstRows.size(); ++i) {
        if (m_lstRows.at(i).strItemId == strItemId && m_lstRows.at(i).nProperty == nProperty)
            return QPoint(qRound(xForTime(dTime)),
                          s_nRulerHeight + i * s_nRowHeight + s_nRowHeight / 2 - verticalScrollBar()->value());
    }
    return QPoint();
}

bool TimelineView::isSelected(const QString &strItemId, int nProperty, double dTime) const
{
    return std::any_of(m_lstSelected.begin(), m_lstSelected.end(), [&](const KeyRef &ref) {
        return ref.strItemId == strItemId && (nProperty < 0 || ref.property == nProperty)
               && SceneAnimation::sameTime(ref.dTime, dTime);
    });
}

void TimelineView::updateScrollBars()
{
    const double dDuration = m_pEditor ? m_pEditor->player()->duration() : 0;
    const int nContentWidth = int(std::ceil(dDuration * m_dZoom)) + 2 * s_nMargin;
    const int nTrackWidth = qMax(0, viewport()->width() - s_nLabelWidth);
    horizontalScrollBar()->setRange(0, qMax(0, nContentWidth - nTrackWidth));
    horizontalScrollBar()->setPageStep(nTrackWidth);
    const int nRowsHeight = qMax(0, viewport()->height() - s_nRulerHeight);
    verticalScrollBar()->setRange(0, qMax(0, int(m_lstRows.size()) * s_nRowHeight - nRowsHeight));
    verticalScrollBar()->setPageStep(nRowsHeight);
    verticalScrollBar()->setSingleStep(s_nRowHeight);
}

void TimelineView::resizeEvent(QResizeEvent *pEvent)
{
    QAbstractScrollArea::resizeEvent(pEvent);
    updateScrollBars();
}

void TimelineView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPalette &pal = palette();
    const QRect area = viewport()->rect();
    painter.fillRect(area, pal.base());
    // Shades between the base and the text, so light and dark themes both work.
    const QColor alternate = SceneAnimation::mixColors(pal.color(QPalette::Base), pal.color(QPalette::Text), 0.06);
    const QColor line = SceneAnimation::mixColors(pal.color(QPalette::Base), pal.color(QPalette::Text), 0.4);
    const QColor diamondColor = SceneAnimation::mixColors(pal.color(QPalette::Base), pal.color(QPalette::Text), 0.75);
    if (!m_pEditor)
        return;
    const double dDuration = m_pEditor->player()->duration();
    const QStringList lstSelectedItems = m_pEditor->selectedIds();
    const double dOffset = dragOffset();

    // Rows, clipped under the ruler.
    painter.save();
    painter.setClipRect(QRect(0, s_nRulerHeight, area.width(), area.height() - s_nRulerHeight));
    const int nFirst = verticalScrollBar()->value() / s_nRowHeight;
    for (int i = nFirst; i < m_lstRows.size(); ++i) {
        const int nTop = s_nRulerHeight + i * s_nRowHeight - verticalScrollBar()->value();
        if (nTop > area.height())
            break;
        const Row &row = m_lstRows.at(i);
        const SceneItem *pItem = item(row.strItemId);
        if (!pItem)
            continue;
        const QRect rowRect(0, nTop, area.width(), s_nRowHeight);
        const bool bHighlighted = row.nProperty < 0 && lstSelectedItems.contains(row.strItemId);
        if (bHighlighted)
            painter.fillRect(rowRect, pal.highlight());
        else if (i % 2)
            painter.fillRect(rowRect, alternate);
        const QColor textColor = bHighlighted ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
        painter.setPen(textColor);
        const QString strLabel = row.nProperty < 0
                                     ? QStringLiteral("%1  (%2)").arg(pItem->displayName(), SceneItem::typeLabel(pItem->type))
                                     : SceneAnimation::propertyName(SceneItem::Property(row.nProperty));
        const int nIndent = row.nProperty < 0 ? 6 : 22;
        const int nLabelWidth = s_nLabelWidth - nIndent - 4 - (row.nProperty < 0 ? 2 * (s_nToggleSize + 3) : 0);
        painter.drawText(QRect(nIndent, nTop, nLabelWidth, s_nRowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(strLabel, Qt::ElideRight, nLabelWidth));
        if (row.nProperty < 0) {
            drawToggle(painter, 0, toggleRect(0, nTop), pItem->bHidden, textColor);
            drawToggle(painter, 1, toggleRect(1, nTop), pItem->bLocked, textColor);
        }

        painter.save();
        painter.setClipRect(QRect(s_nLabelWidth, qMax(nTop, s_nRulerHeight), area.width() - s_nLabelWidth, s_nRowHeight));
        // The scene's end, and the way between the keyframes of a property.
        const int nMiddle = nTop + s_nRowHeight / 2;
        if (row.nProperty >= 0) {
            const QList<Keyframe> &track = pItem->tracks[row.nProperty];
            for (int k = 1; k < track.size(); ++k) {
                painter.setPen(QPen(line, 2, track.at(k - 1).easing == Keyframe::Step ? Qt::DotLine : Qt::SolidLine));
                painter.drawLine(QPointF(xForTime(track.at(k - 1).dTime), nMiddle), QPointF(xForTime(track.at(k).dTime), nMiddle));
            }
        }
        painter.setRenderHint(QPainter::Antialiasing);
        for (double dTime : rowTimes(row)) {
            const bool bSelected = isSelected(row.strItemId, row.nProperty, dTime);
            const double dShown = bSelected ? qBound(0.0, dTime + dOffset, dDuration) : dTime;
            const QPointF center(xForTime(dShown), nMiddle);
            QPainterPath diamond;
            diamond.moveTo(center + QPointF(0, -s_nDiamondRadius));
            diamond.lineTo(center + QPointF(s_nDiamondRadius, 0));
            diamond.lineTo(center + QPointF(0, s_nDiamondRadius));
            diamond.lineTo(center + QPointF(-s_nDiamondRadius, 0));
            diamond.closeSubpath();
            painter.setPen(QPen(pal.color(QPalette::Base), 1));
            painter.setBrush(bSelected ? QColor(0xff, 0x9a, 0x1f) : diamondColor);
            painter.drawPath(diamond);
        }
        painter.restore();
    }
    painter.restore();

    // The end of the scene and the label column's edge.
    painter.setPen(QPen(line, 1));
    painter.drawLine(s_nLabelWidth, 0, s_nLabelWidth, area.height());
    const double dEnd = xForTime(dDuration);
    if (dEnd >= s_nLabelWidth)
        painter.fillRect(QRectF(dEnd, s_nRulerHeight, area.width() - dEnd, area.height()), QColor(0, 0, 0, 40));

    // The ruler.
    painter.setClipRect(QRect(s_nLabelWidth, 0, area.width() - s_nLabelWidth, area.height()));
    painter.fillRect(QRect(s_nLabelWidth, 0, area.width() - s_nLabelWidth, s_nRulerHeight), pal.button());
    painter.setPen(pal.color(QPalette::ButtonText));
    const double dStep = rulerStep(m_dZoom);
    const int nSteps = int(dDuration / dStep + 1e-9);
    for (int n = 0; n <= nSteps; ++n) {
        const double dX = xForTime(n * dStep);
        painter.drawLine(QPointF(dX, s_nRulerHeight - 8), QPointF(dX, s_nRulerHeight));
        for (int m = 1; m < 5 && (n + m / 5.0) * dStep <= dDuration; ++m) {
            const double dMinor = xForTime((n + m / 5.0) * dStep);
            painter.drawLine(QPointF(dMinor, s_nRulerHeight - 4), QPointF(dMinor, s_nRulerHeight));
        }
        painter.drawText(QPointF(dX + 3, s_nRulerHeight - 10), tr("%1 s").arg(QLocale().toString(n * dStep, 'g', 4)));
    }

    // The playhead, over everything.
    const double dPlayhead = xForTime(m_pEditor->time());
    painter.setPen(QPen(QColor(0xe0, 0x30, 0x30), 1));
    painter.drawLine(QPointF(dPlayhead, 0), QPointF(dPlayhead, area.height()));
    painter.setBrush(QColor(0xe0, 0x30, 0x30));
    painter.drawPolygon(QPolygonF({QPointF(dPlayhead - 5, 0), QPointF(dPlayhead + 5, 0), QPointF(dPlayhead, 7)}));
}

double TimelineView::dragOffset() const
{
    if (m_dragMode != MoveKeyframes || !m_pEditor || m_lstSelected.isEmpty())
        return 0;
    // Whole frames, and no selected keyframe leaves the scene.
    double dOffset = m_pEditor->player()->snapToFrame(qAbs(m_dDragTime - m_dDragStart));
    if (m_dDragTime < m_dDragStart)
        dOffset = -dOffset;
    double dMin = m_lstSelected.constFirst().dTime, dMax = dMin;
    for (const KeyRef &ref : m_lstSelected) {
        dMin = qMin(dMin, ref.dTime);
        dMax = qMax(dMax, ref.dTime);
    }
    return qBound(-dMin, dOffset, m_pEditor->player()->duration() - dMax);
}

void TimelineView::mousePressEvent(QMouseEvent *pEvent)
{
    if (!m_pEditor || pEvent->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(pEvent);
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = pEvent->pos();
    if (pos.y() < s_nRulerHeight && pos.x() >= s_nLabelWidth) {
        m_pEditor->player()->pause();
        m_dragMode = Scrub;
        m_pEditor->setTime(m_pEditor->player()->snapToFrame(timeForX(pos.x())));
        return;
    }
    const int nRow = rowAt(pos.y());
    if (nRow < 0)
        return clearKeyframeSelection();
    const Row row = m_lstRows.at(nRow);
    const int nToggle = row.nProperty < 0 ? toggleAt(pos) : -1;
    if (nToggle >= 0) {
        const SceneItem *pItem = item(row.strItemId);
        if (nToggle == 0)
            m_pEditor->setItemsHidden({row.strItemId}, !pItem->bHidden);
        else
            m_pEditor->setItemsLocked({row.strItemId}, !pItem->bLocked);
        return;
    }
    const double dTime = diamondAt(nRow, pos);
    if (dTime < 0) {
        clearKeyframeSelection();
        m_pEditor->selectIds({row.strItemId});
        return;
    }
    const bool bAdd = pEvent->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (!isSelected(row.strItemId, row.nProperty, dTime))
        selectKeyframes(row.strItemId, row.nProperty, dTime, bAdd);
    m_pEditor->player()->pause();
    m_dragMode = MoveKeyframes;
    m_dDragStart = m_dDragTime = timeForX(pos.x());
}

void TimelineView::mouseMoveEvent(QMouseEvent *pEvent)
{
    if (!m_pEditor)
        return;
    if (m_dragMode == Scrub) {
        m_pEditor->setTime(m_pEditor->player()->snapToFrame(timeForX(pEvent->pos().x())));
    } else if (m_dragMode == MoveKeyframes) {
        m_dDragTime = timeForX(pEvent->pos().x());
        viewport()->update();
    } else {
        const int nRow = rowAt(pEvent->pos().y());
        const double dTime = diamondAt(nRow, pEvent->pos());
        if (dTime >= 0 && m_lstRows.at(nRow).nProperty >= 0) {
            const SceneItem *pItem = item(m_lstRows.at(nRow).strItemId);
            for (const Keyframe &keyframe : pItem->tracks[m_lstRows.at(nRow).nProperty]) {
                if (SceneAnimation::sameTime(keyframe.dTime, dTime))
                    setToolTip(tr("%1 s, %2").arg(QLocale().toString(dTime, 'g', 4), SceneAnimation::easingName(keyframe.easing)));
            }
        } else {
            setToolTip(QString());
        }
    }
}

void TimelineView::mouseReleaseEvent(QMouseEvent *pEvent)
{
    const DragMode mode = m_dragMode;
    const double dOffset = dragOffset();
    m_dragMode = NoDrag;
    if (mode == MoveKeyframes && dOffset != 0)
        moveSelectedKeyframes(dOffset);
    viewport()->update();
    QAbstractScrollArea::mouseReleaseEvent(pEvent);
}

void TimelineView::mouseDoubleClickEvent(QMouseEvent *pEvent)
{
    // A double click on an item's row, away from its keyframes and toggles, renames it.
    const int nRow = rowAt(pEvent->pos().y());
    if (!m_pEditor || pEvent->button() != Qt::LeftButton || nRow < 0 || m_lstRows.at(nRow).nProperty >= 0
        || toggleAt(pEvent->pos()) >= 0 || diamondAt(nRow, pEvent->pos()) >= 0)
        return QAbstractScrollArea::mouseDoubleClickEvent(pEvent);
    m_pEditor->askItemName(m_lstRows.at(nRow).strItemId);
}

int TimelineView::toggleAt(const QPoint &pos) const
{
    for (int nToggle = 0; nToggle < 2; ++nToggle) {
        const QRect rect = toggleRect(nToggle, 0);
        if (pos.x() >= rect.left() - 1 && pos.x() <= rect.right() + 1)
            return nToggle;
    }
    return -1;
}

void TimelineView::wheelEvent(QWheelEvent *pEvent)
{
    if (!(pEvent->modifiers() & Qt::ControlModifier))
        return QAbstractScrollArea::wheelEvent(pEvent);
    // Zooms around the time under the mouse.
    const double dX = pEvent->position().x();
    const double dTime = timeForX(dX);
    setZoom(m_dZoom * (pEvent->angleDelta().y() > 0 ? 1.25 : 0.8));
    horizontalScrollBar()->setValue(qRound(s_nLabelWidth + s_nMargin + dTime * m_dZoom - dX));
    pEvent->accept();
}

bool TimelineView::event(QEvent *pEvent)
{
    // Delete is the editor's shortcut for deleting items; here it deletes keyframes.
    if (pEvent->type() == QEvent::ShortcutOverride && !m_lstSelected.isEmpty()) {
        const int nKey = static_cast<QKeyEvent *>(pEvent)->key();
        if (nKey == Qt::Key_Delete || nKey == Qt::Key_Backspace) {
            pEvent->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(pEvent);
}

void TimelineView::keyPressEvent(QKeyEvent *pEvent)
{
    if ((pEvent->key() == Qt::Key_Delete || pEvent->key() == Qt::Key_Backspace) && !m_lstSelected.isEmpty()) {
        deleteSelectedKeyframes();
        return;
    }
    QAbstractScrollArea::keyPressEvent(pEvent);
}

void TimelineView::contextMenuEvent(QContextMenuEvent *pEvent)
{
    if (!m_pEditor)
        return;
    const int nRow = rowAt(pEvent->pos().y());
    if (nRow < 0)
        return;
    const Row row = m_lstRows.at(nRow);
    const double dTime = diamondAt(nRow, pEvent->pos());
    QMenu menu(this);
    // The item's own commands on its label, and after what its row offers.
    if (pEvent->pos().x() < s_nLabelWidth) {
        m_pEditor->fillItemMenu(&menu, row.strItemId);
        menu.exec(pEvent->globalPos());
        return;
    }
    if (dTime >= 0) {
        if (!isSelected(row.strItemId, row.nProperty, dTime))
            selectKeyframes(row.strItemId, row.nProperty, dTime);
        QMenu *pEasing = menu.addMenu(tr("Easing"));
        auto *pGroup = new QActionGroup(pEasing);
        // A mark where all selected keyframes have the easing.
        QList<Keyframe::Easing> lstEasings;
        for (const KeyRef &ref : qAsConst(m_lstSelected)) {
            for (const Keyframe &keyframe : item(ref.strItemId)->tracks[ref.property]) {
                if (SceneAnimation::sameTime(keyframe.dTime, ref.dTime))
                    lstEasings.append(keyframe.easing);
            }
        }
        for (Keyframe::Easing easing : SceneAnimation::easings()) {
            QAction *pAction = pEasing->addAction(SceneAnimation::easingName(easing),
                                                  this, [this, easing]() { setSelectedEasing(easing); });
            pAction->setCheckable(true);
            pAction->setChecked(!lstEasings.isEmpty() && lstEasings.count(easing) == lstEasings.size());
            pGroup->addAction(pAction);
        }
        menu.addAction(m_lstSelected.size() == 1 ? tr("Delete Keyframe") : tr("Delete Keyframes"), this,
                       &TimelineView::deleteSelectedKeyframes);
    } else {
        const double dAt = m_pEditor->player()->snapToFrame(timeForX(pEvent->pos().x()));
        const SceneItem *pItem = item(row.strItemId);
        if (!pItem)
            return;
        QMenu *pAdd = row.nProperty >= 0 ? &menu : menu.addMenu(tr("Add Keyframe"));
        for (int p = 0; p < SceneItem::PropertyCount; ++p) {
            const auto property = SceneItem::Property(p);
            if ((row.nProperty >= 0 && row.nProperty != p) || !pItem->isAnimatable(property))
                continue;
            const QString strText = row.nProperty >= 0 ? tr("Add Keyframe") : SceneAnimation::propertyName(property);
            const QString strId = row.strItemId;
            pAdd->addAction(strText, this, [this, strId, property, dAt]() { addKeyframe(strId, property, dAt); });
        }
    }
    if (dTime < 0) {
        menu.addSeparator();
        m_pEditor->fillItemMenu(&menu, row.strItemId);
    }
    menu.exec(pEvent->globalPos());
}

void TimelineView::setZoom(double dZoom)
{
    m_dZoom = qBound(s_dMinZoom, dZoom, s_dMaxZoom);
    updateScrollBars();
    viewport()->update();
}

void TimelineView::zoomIn()
{
    setZoom(m_dZoom * 1.5);
}

void TimelineView::zoomOut()
{
    setZoom(m_dZoom / 1.5);
}

void TimelineView::selectKeyframes(const QString &strItemId, int nProperty, double dTime, bool bAdd)
{
    if (!bAdd)
        m_lstSelected.clear();
    const SceneItem *pItem = item(strItemId);
    if (!pItem)
        return;
    for (int p = 0; p < SceneItem::PropertyCount; ++p) {
        if (nProperty >= 0 && nProperty != p)
            continue;
        for (const Keyframe &keyframe : pItem->tracks[p]) {
            const KeyRef ref{strItemId, SceneItem::Property(p), keyframe.dTime};
            if (SceneAnimation::sameTime(keyframe.dTime, dTime) && !m_lstSelected.contains(ref))
                m_lstSelected.append(ref);
        }
    }
    viewport()->update();
}

void TimelineView::clearKeyframeSelection()
{
    m_lstSelected.clear();
    viewport()->update();
}

void TimelineView::changeItems(const QString &strText, const QList<SceneItem> &lstItems)
{
    if (m_pEditor && m_pEditor->document())
        m_pEditor->document()->changeItems(strText, m_pEditor->currentScene(), lstItems);
}

void TimelineView::moveSelectedKeyframes(double dOffset)
{
    if (!m_pEditor || m_lstSelected.isEmpty())
        return;
    const double dDuration = m_pEditor->player()->duration();
    QList<SceneItem> lstItems = items();
    QList<KeyRef> lstMoved;
    for (SceneItem &item : lstItems) {
        for (int p = 0; p < SceneItem::PropertyCount; ++p) {
            QList<Keyframe> &track = item.tracks[p];
            QList<Keyframe> lstTaken;
            for (int k = track.size() - 1; k >= 0; --k) {
                if (m_lstSelected.contains({item.strId, SceneItem::Property(p), track.at(k).dTime}))
                    lstTaken.prepend(track.takeAt(k));
            }
            // A moved keyframe replaces one it lands on.
            for (Keyframe keyframe : qAsConst(lstTaken)) {
                keyframe.dTime = qBound(0.0, keyframe.dTime + dOffset, dDuration);
                track.erase(std::remove_if(track.begin(), track.end(), [&](const Keyframe &other) {
                                return SceneAnimation::sameTime(other.dTime, keyframe.dTime);
                            }),
                            track.end());
                track.insert(std::upper_bound(track.begin(), track.end(), keyframe.dTime,
                                              [](double d, const Keyframe &other) { return d < other.dTime; }),
                             keyframe);
                lstMoved.append({item.strId, SceneItem::Property(p), keyframe.dTime});
            }
        }
    }
    const int nCount = m_lstSelected.size();
    m_lstSelected = lstMoved;
    changeItems(nCount == 1 ? tr("Move Keyframe") : tr("Move Keyframes"), lstItems);
}

void TimelineView::deleteSelectedKeyframes()
{
    if (!m_pEditor || m_lstSelected.isEmpty())
        return;
    QList<SceneItem> lstItems = items();
    for (SceneItem &item : lstItems) {
        for (int p = 0; p < SceneItem::PropertyCount; ++p) {
            QList<Keyframe> &track = item.tracks[p];
            const QVariant last = track.isEmpty() ? QVariant() : track.constLast().value;
            track.erase(std::remove_if(track.begin(), track.end(), [&](const Keyframe &keyframe) {
                            return m_lstSelected.contains({item.strId, SceneItem::Property(p), keyframe.dTime});
                        }),
                        track.end());
            // Without keyframes the property keeps the value it last had.
            if (track.isEmpty() && last.isValid())
                item.setBaseValue(SceneItem::Property(p), last);
        }
    }
    const int nCount = m_lstSelected.size();
    m_lstSelected.clear();
    changeItems(nCount == 1 ? tr("Delete Keyframe") : tr("Delete Keyframes"), lstItems);
}

void TimelineView::setSelectedEasing(Keyframe::Easing easing)
{
    if (!m_pEditor || m_lstSelected.isEmpty())
        return;
    QList<SceneItem> lstItems = items();
    for (SceneItem &item : lstItems) {
        for (int p = 0; p < SceneItem::PropertyCount; ++p) {
            for (Keyframe &keyframe : item.tracks[p]) {
                if (m_lstSelected.contains({item.strId, SceneItem::Property(p), keyframe.dTime}))
                    keyframe.easing = easing;
            }
        }
    }
    changeItems(tr("Set Easing"), lstItems);
}

void TimelineView::addKeyframe(const QString &strItemId, SceneItem::Property property, double dTime)
{
    if (!m_pEditor)
        return;
    QList<SceneItem> lstItems = items();
    for (SceneItem &item : lstItems) {
        if (item.strId == strItemId && item.isAnimatable(property))
            item.setKeyframe(property, dTime, item.valueAt(property, dTime));
    }
    m_lstSelected = {{strItemId, property, dTime}};
    changeItems(tr("Add Keyframe"), lstItems);
}
