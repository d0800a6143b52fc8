#include "stagehandles.h"

#include <QBrush>
#include <QCursor>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPen>
#include <QTransform>

#include <cmath>

namespace {

const double s_dHandleSize = 9;        // on the screen, whatever the zoom
const double s_dRotateDistance = 24;   // from the top edge to the rotation handle
const double s_dZ = 2e6;               // over the items and the breakpoint guides

// The item's own coordinates, (0, 0) to its size, to the scene's.
QTransform itemTransform(const QRectF &rect, double dRotation)
{
    QTransform transform;
    transform.translate(rect.center().x(), rect.center().y());
    transform.rotate(dRotation);
    transform.translate(-rect.width() / 2, -rect.height() / 2);
    return transform;
}

// Where a handle sits in the item's own coordinates, as fractions of its size.
QPointF fraction(StageHandles::Kind kind)
{
    static const QPointF s_fractions[] = {{0, 0}, {0.5, 0}, {1, 0}, {1, 0.5}, {1, 1}, {0.5, 1}, {0, 1}, {0, 0.5}, {0.5, 0}};
    return s_fractions[kind];
}

} // namespace

StageHandles::StageHandles()
{
    const QPen pen(QColor(0x1e, 0x6f, 0xd9), 1);
    const QBrush brush(Qt::white);
    const double dHalf = s_dHandleSize / 2;
    static const Qt::CursorShape s_cursors[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
                                                Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    for (int i = 0; i < Rotate; ++i) {
        auto *pHandle = new QGraphicsRectItem(-dHalf, -dHalf, s_dHandleSize, s_dHandleSize);
        pHandle->setPen(pen);
        pHandle->setBrush(brush);
        pHandle->setCursor(s_cursors[i]);
        m_lstItems.append(pHandle);
    }
    // The knob at the end of a stem that stands on the middle of the top edge.
    auto *pKnob = new QGraphicsEllipseItem(-dHalf, -s_dRotateDistance - dHalf, s_dHandleSize, s_dHandleSize);
    pKnob->setPen(pen);
    pKnob->setBrush(brush);
    pKnob->setCursor(Qt::CrossCursor);
    // From above the top handle, which stays the one under the mouse there.
    auto *pStem = new QGraphicsLineItem(0, -dHalf - 1, 0, -s_dRotateDistance + dHalf, pKnob);
    pStem->setPen(pen);
    m_lstItems.append(pKnob);
    for (QGraphicsItem *pItem : qAsConst(m_lstItems)) {
        pItem->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        pItem->setZValue(s_dZ);
        pItem->setVisible(false);
    }
    pKnob->setZValue(s_dZ - 1);
}

StageHandles::~StageHandles()
{
    qDeleteAll(m_lstItems);
}

void StageHandles::setScene(QGraphicsScene *pScene)
{
    for (QGraphicsItem *pItem : qAsConst(m_lstItems)) {
        if (pItem->scene() && pItem->scene() != pScene)
            pItem->scene()->removeItem(pItem);
        if (pScene && pItem->scene() != pScene)
            pScene->addItem(pItem);
    }
}

void StageHandles::place(const QRectF &rect, double dRotation)
{
    m_rect = rect;
    m_dRotation = dRotation;
    const QTransform transform = itemTransform(rect, dRotation);
    for (int i = 0; i < KindCount; ++i) {
        const QPointF at = fraction(Kind(i));
        QGraphicsItem *pItem = m_lstItems.at(i);
        pItem->setPos(transform.map(QPointF(at.x() * rect.width(), at.y() * rect.height())));
        pItem->setRotation(dRotation);
        pItem->setVisible(true);
    }
}

void StageHandles::hide()
{
    for (QGraphicsItem *pItem : qAsConst(m_lstItems))
        pItem->setVisible(false);
}

bool StageHandles::isVisible() const
{
    return m_lstItems.constFirst()->isVisible();
}

int StageHandles::kindOf(const QGraphicsItem *pItem) const
{
    if (pItem && pItem->parentItem() == m_lstItems.constLast())
        return Rotate;
    return m_lstItems.indexOf(const_cast<QGraphicsItem *>(pItem));
}

QPoint StageHandles::viewPosition(Kind kind, const QGraphicsView *pView) const
{
    const QGraphicsItem *pItem = m_lstItems.at(kind);
    return pItem->deviceTransform(pView->viewportTransform()).map(pItem->boundingRect().center()).toPoint();
}

QRectF StageHandles::resized(const QRectF &rect, double dRotation, Kind kind, const QPointF &scenePos, bool bKeepAspect,
                             bool bFromCentre)
{
    const QTransform transform = itemTransform(rect, dRotation);
    const QPointF local = transform.inverted().map(scenePos);
    const double dWidth = rect.width();
    const double dHeight = rect.height();
    const QPointF at = fraction(kind);
    const bool bHorizontal = at.x() != 0.5;   // the handle moves a left or right side
    const bool bVertical = at.y() != 0.5;
    // Each side that moves follows the mouse; the opposite one stays, or with
    // bFromCentre moves the other way.
    const auto extent = [bFromCentre](double dFraction, double dSize, double dMouse) {
        const double dFrom = bFromCentre ? dSize / 2 : (1 - dFraction) * dSize;
        return qMax(1.0, (dFraction > 0.5 ? dMouse - dFrom : dFrom - dMouse) * (bFromCentre ? 2 : 1));
    };
    double dNewWidth = bHorizontal ? extent(at.x(), dWidth, local.x()) : dWidth;
    double dNewHeight = bVertical ? extent(at.y(), dHeight, local.y()) : dHeight;
    if (bKeepAspect && dWidth > 0 && dHeight > 0) {
        const double dScale = bHorizontal && bVertical ? qMax(dNewWidth / dWidth, dNewHeight / dHeight)
                              : bHorizontal             ? dNewWidth / dWidth
                                                        : dNewHeight / dHeight;
        dNewWidth = qMax(1.0, dWidth * dScale);
        dNewHeight = qMax(1.0, dHeight * dScale);
    }
    // The new rect in the item's old coordinates: anchored at the side that
    // stays, or around the old centre.
    const auto start = [bFromCentre](bool bMoves, double dFraction, double dSize, double dNewSize) {
        if (!bMoves || bFromCentre)
            return (dSize - dNewSize) / 2;
        return dFraction > 0.5 ? 0.0 : dSize - dNewSize;
    };
    const QRectF moved(start(bHorizontal, at.x(), dWidth, dNewWidth), start(bVertical, at.y(), dHeight, dNewHeight),
                       dNewWidth, dNewHeight);
    // Turned around its own centre, the rect keeps the place it has now.
    const QPointF centre = transform.map(moved.center());
    return QRectF(centre - QPointF(dNewWidth / 2, dNewHeight / 2), moved.size());
}

double StageHandles::rotated(const QRectF &rect, double dRotation, const QPointF &scenePos, bool bSnap)
{
    const QPointF direction = scenePos - rect.center();
    if (direction.isNull())
        return dRotation;
    // Straight up is no rotation; clockwise, as the stage turns.
    const double dAngle = std::atan2(direction.x(), -direction.y()) * 180 / M_PI;
    double dResult = dRotation + std::remainder(dAngle - dRotation, 360.0);
    if (bSnap)
        dResult = std::round(dResult / 15) * 15;
    return std::round(dResult * 10) / 10;
}
