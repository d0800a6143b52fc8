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

// Each easing has a shape of its own: a diamond is linear, a circle eases in
// and out, a square holds its value (step), and the half-round keys ease in
// (round on the right, where the way starts slowly) or out (round on the left).
QPainterPath keyShape(Keyframe::Easing easing, const QPointF &center, double dRadius)
{
    QPainterPath path;
    const QRectF box(center.x() - dRadius, center.y() - dRadius, 2 * dRadius, 2 * dRadius);
    switch (easing) {
    case Keyframe::EaseInOut:
        path.addEllipse(box);
        break;
    case Keyframe::Step:
        path.addRect(box.adjusted(1, 1, -1, -1));
        break;
    case Keyframe::EaseIn:
        path.moveTo(center.x(), box.top());
        path.arcTo(box, 90, -180);
        path.lineTo(box.left(), center.y());
        path.closeSubpath();
        break;
    case Keyframe::EaseOut:
        path.moveTo(center.x(), box.bottom());
        path.arcTo(box, 270, -180);
        path.lineTo(box.right(), center.y());
        path.closeSubpath();
        break;
    case Keyframe::Linear:
        path.moveTo(center.x(), box.top());
        path.lineTo(box.right(), center.y());
        path.lineTo(center.x(), box.bottom());
        path.lineTo(box.left(), center.y());
        path.closeSubpath();
        break;
    }
    return path;
}

// The way from one key to the next as its easing shapes it: from the bottom
// of the row at the first key to the top at the second.
QPainterPath easingCurve(Keyframe::Easing easing, const QPointF &from, const QPointF &to)
{
    QPainterPath path(from);
    const int nSteps = qBound(1, int((to.x() - from.x()) / 3), 64);
    for (int n = 1; n <= nSteps; ++n) {
        const double dProgress = double(n) / nSteps;
        const double dY = from.y() + (to.y() - from.y()) * SceneAnimation::easedProgress(easing, dProgress);
        if (easing == Keyframe::Step && n == nSteps)
            path.lineTo(to.x(), from.y());
        path.lineTo(from.x() + (to.x() - from.x()) * dProgress, dY);
    }
    return path;
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
    // The keyboard's row follows the selection made elsewhere.
    if (!lstSelected.isEmpty() && !lstSelected.contains(m_currentRow.strItemId))
        m_currentRow = {lstSelected.constFirst(), -1};
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
    // A property row that is gone leaves the keyboard on its item's row.
    if (currentRowIndex() < 0)
        m_currentRow = {item(m_currentRow.strItemId) ? m_currentRow.strItemId : QString(), -1};
    updateScrollBars();
    viewport()->update();
}

int TimelineView::currentRowIndex() const
{
    for (int i = 0; i < m_lstRows.size(); ++i) {
        if (m_lstRows.at(i).strItemId == m_currentRow.strItemId && m_lstRows.at(i).nProperty == m_currentRow.nProperty)
            return i;
    }
    return -1;
}

void TimelineView::setCurrentRow(int nRow)
{
    if (!m_pEditor || nRow < 0 || nRow >= m_lstRows.size())
        return;
    m_currentRow = m_lstRows.at(nRow);
    if (m_pEditor->selectedIds() != QStringList(m_currentRow.strItemId))
        m_pEditor->selectIds({m_currentRow.strItemId});   // the rows are built anew for it
    const int nIndex = currentRowIndex();
    const int nTop = nIndex * s_nRowHeight;
    const int nVisible = viewport()->height() - s_nRulerHeight;
    if (nTop < verticalScrollBar()->value())
        verticalScrollBar()->setValue(nTop);
    else if (nTop + s_nRowHeight > verticalScrollBar()->value() + nVisible)
        verticalScrollBar()->setValue(nTop + s_nRowHeight - nVisible);
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
        painter.setRenderHint(QPainter::Antialiasing);
        if (row.nProperty >= 0) {
            const QList<Keyframe> &track = pItem->tracks[row.nProperty];
            const double dRise = s_nRowHeight / 2.0 - 3;
            painter.setPen(QPen(line, 1.5));
            painter.setBrush(Qt::NoBrush);
            for (int k = 1; k < track.size(); ++k) {
                painter.drawPath(easingCurve(track.at(k - 1).easing, QPointF(xForTime(track.at(k - 1).dTime), nMiddle + dRise),
                                             QPointF(xForTime(track.at(k).dTime), nMiddle - dRise)));
            }
        }
        for (double dTime : rowTimes(row)) {
            const bool bSelected = isSelected(row.strItemId, row.nProperty, dTime);
            const double dShown = bSelected ? qBound(0.0, dTime + dOffset, dDuration) : dTime;
            const QPointF center(xForTime(dShown), nMiddle);
            // An item's row shows the easing its keys there share; keys of
            // different easings are an open diamond.
            QList<Keyframe::Easing> lstEasings;
            for (int p = 0; p < SceneItem::PropertyCount; ++p) {
                if (row.nProperty >= 0 && row.nProperty != p)
                    continue;
                for (const Keyframe &keyframe : pItem->tracks[p]) {
                    if (SceneAnimation::sameTime(keyframe.dTime, dTime) && !lstEasings.contains(keyframe.easing))
                        lstEasings.append(keyframe.easing);
                }
            }
            const QColor fill = bSelected ? QColor(0xff, 0x9a, 0x1f) : diamondColor;
            if (lstEasings.size() == 1) {
                painter.setPen(QPen(pal.color(QPalette::Base), 1));
                painter.setBrush(fill);
            } else {
                painter.setPen(QPen(fill, 2));
                painter.setBrush(Qt::NoBrush);
            }
            painter.drawPath(keyShape(lstEasings.size() == 1 ? lstEasings.constFirst() : Keyframe::Linear, center,
                                      s_nDiamondRadius));
        }
        painter.restore();
        if (hasFocus() && i == currentRowIndex()) {
            painter.save();
            painter.setPen(QPen(pal.color(bHighlighted ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rowRect.adjusted(1, 1, -2, -2));
            painter.restore();
        }
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
    if (m_dDragTime == m_dDragStart)
        return 0;   // a click only selects
    // The grabbed key lands on a frame, and no selected keyframe leaves the scene.
    const ScenePlayer *pPlayer = m_pEditor->player();
    const int nFps = pPlayer->fps();
    const double dOffset = std::round((m_dDragKey + m_dDragTime - m_dDragStart) * nFps) / nFps - m_dDragKey;
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
    m_currentRow = row;
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
    m_dDragKey = dTime;
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
    // One frame back and on are the editor's commands (Left and Right unless
    // changed); Shift takes ten.
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    if (m_pEditor && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        const int nRow = currentRowIndex();
        switch (pEvent->key()) {
        case Qt::Key_Up:
            setCurrentRow(nRow < 0 ? int(m_lstRows.size()) - 1 : qMax(0, nRow - 1));
            return;
        case Qt::Key_Down:
            setCurrentRow(nRow < 0 ? 0 : qMin(int(m_lstRows.size()) - 1, nRow + 1));
            return;
        // Past the property rows of a selected item, from item to item.
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const int nStep = pEvent->key() == Qt::Key_PageUp ? -1 : 1;
            int nNext = nRow < 0 ? (nStep > 0 ? 0 : int(m_lstRows.size()) - 1) : nRow + nStep;
            while (nNext >= 0 && nNext < m_lstRows.size() && m_lstRows.at(nNext).nProperty >= 0)
                nNext += nStep;
            if (nNext >= 0 && nNext < m_lstRows.size())
                setCurrentRow(nNext);
            return;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (modifiers == Qt::ShiftModifier) {
                m_pEditor->stepFrames(pEvent->key() == Qt::Key_Left ? -10 : 10);
                return;
            }
            break;
        default:
            break;
        }
    }
    QAbstractScrollArea::keyPressEvent(pEvent);
}

void TimelineView::focusInEvent(QFocusEvent *pEvent)
{
    QAbstractScrollArea::focusInEvent(pEvent);
    viewport()->update();   // the keyboard's row is framed while the focus is here
}

void TimelineView::focusOutEvent(QFocusEvent *pEvent)
{
    QAbstractScrollArea::focusOutEvent(pEvent);
    viewport()->update();
}

void TimelineView::contextMenuEvent(QContextMenuEvent *pEvent)
{
    if (!m_pEditor)
        return;
    QPoint pos = pEvent->pos();
    QPoint globalPos = pEvent->globalPos();
    if (pEvent->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard, the menu is the one of the keyboard's row at the playhead.
        const int nCurrent = currentRowIndex();
        if (nCurrent < 0)
            return;
        pos = QPoint(qBound(s_nLabelWidth, qRound(xForTime(m_pEditor->time())), viewport()->width() - 1),
                     s_nRulerHeight + nCurrent * s_nRowHeight + s_nRowHeight / 2 - verticalScrollBar()->value());
        globalPos = viewport()->mapToGlobal(pos);
    }
    const int nRow = rowAt(pos.y());
    if (nRow < 0)
        return;
    const Row row = m_lstRows.at(nRow);
    const double dTime = diamondAt(nRow, pos);
    QMenu menu(this);
    // The item's own commands on its label, and after what its row offers.
    if (pos.x() < s_nLabelWidth) {
        m_pEditor->fillItemMenu(&menu, row.strItemId);
        menu.exec(globalPos);
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
        // Keys go where the playhead is, as the command Add Keyframe puts them.
        const SceneItem *pItem = item(row.strItemId);
        if (!pItem)
            return;
        const QStringList lstIds{row.strItemId};
        const QList<SceneItem::Property> lstPosition{SceneItem::X, SceneItem::Y};
        if (row.nProperty >= 0) {
            const auto property = SceneItem::Property(row.nProperty);
            const QList<SceneItem::Property> lstProperties =
                lstPosition.contains(property) ? lstPosition : QList<SceneItem::Property>{property};
            menu.addAction(tr("Add Keyframe"), this, [=]() { addKeyframesAtPlayhead(lstIds, lstProperties); });
        } else {
            QMenu *pAdd = menu.addMenu(tr("Add Keyframe"));
            pAdd->addAction(tr("All Properties"), this, [=]() { addKeyframesAtPlayhead(lstIds); });
            pAdd->addAction(tr("Position"), this, [=]() { addKeyframesAtPlayhead(lstIds, lstPosition); });
            for (int p = SceneItem::Width; p < SceneItem::PropertyCount; ++p) {
                const auto property = SceneItem::Property(p);
                if (pItem->isAnimatable(property))
                    pAdd->addAction(SceneAnimation::propertyName(property), this,
                                    [=]() { addKeyframesAtPlayhead(lstIds, {property}); });
            }
        }
    }
    if (dTime < 0) {
        menu.addSeparator();
        m_pEditor->fillItemMenu(&menu, row.strItemId);
    }
    menu.exec(globalPos);
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
        if (item.strId == strItemId && item.isAnimatable(property)) {
            const SceneItem before = item;
            item.setKeyframe(property, dTime, item.valueAt(property, dTime));
            item.keyPositionTogether(before);
        }
    }
    m_lstSelected = {{strItemId, property, dTime}};
    changeItems(tr("Add Keyframe"), lstItems);
}

void TimelineView::addKeyframesAtPlayhead(const QStringList &lstItemIds, const QList<SceneItem::Property> &lstProperties)
{
    if (!m_pEditor)
        return;
    // Keys sit on frames: the playhead goes to the frame it keys.
    const double dTime = m_pEditor->player()->snapToFrame(m_pEditor->time());
    m_pEditor->player()->pause();
    m_pEditor->setTime(dTime);
    QList<SceneItem> lstItems = items();
    QList<KeyRef> lstKeyed;
    for (SceneItem &item : lstItems) {
        if (!lstItemIds.contains(item.strId))
            continue;
        const SceneItem before = item;
        for (int p = 0; p < SceneItem::PropertyCount; ++p) {
            const auto property = SceneItem::Property(p);
            if (!item.isAnimatable(property) || (!lstProperties.isEmpty() && !lstProperties.contains(property)))
                continue;
            item.setKeyframe(property, dTime, before.valueAt(property, dTime));
            lstKeyed.append({item.strId, property, dTime});
        }
    }
    if (lstKeyed.isEmpty())
        return;
    m_lstSelected = lstKeyed;
    changeItems(lstKeyed.size() == 1 ? tr("Add Keyframe") : tr("Add Keyframes"), lstItems);
    viewport()->update();
}
