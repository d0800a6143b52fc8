#include "stageshapeitem.h"

#include <QPainter>
#include <QPolygonF>
#include <QStyleOptionGraphicsItem>

#include <cmath>
#include <type_traits>

namespace {

// How far a polygon's straight edges may stray from the curve, in device
// pixels: well under what antialiasing shows.
const double s_dTolerance = 0.1;

QPolygonF ellipsePolygon(const QRectF &rect, int nSegments)
{
    QPolygonF polygon;
    polygon.reserve(nSegments);
    const QPointF centre = rect.center();
    const double dRx = rect.width() / 2;
    const double dRy = rect.height() / 2;
    // Turning a unit vector by a fixed step is exact enough for a few
    // thousand points and spares a sine and a cosine for each.
    const double dStep = 2 * M_PI / nSegments;
    const double dCos = std::cos(dStep);
    const double dSin = std::sin(dStep);
    double dX = 1;
    double dY = 0;
    for (int i = 0; i < nSegments; ++i) {
        polygon.append(QPointF(centre.x() + dRx * dX, centre.y() + dRy * dY));
        const double dNextX = dX * dCos - dY * dSin;
        dY = dX * dSin + dY * dCos;
        dX = dNextX;
    }
    return polygon;
}

} // namespace

template <class Shape>
QRectF StageShapeItem<Shape>::boundingRect() const
{
    if constexpr (std::is_same<Shape, QGraphicsEllipseItem>::value) {
        if (this->spanAngle() != 360 * 16)
            return Shape::boundingRect();
    }
    const double dHalf = this->pen().style() == Qt::NoPen ? 0.0 : this->pen().widthF() / 2;
    return this->rect().normalized().adjusted(-dHalf, -dHalf, dHalf, dHalf);
}

template <class Shape>
void StageShapeItem<Shape>::paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget)
{
    const QPen pen = this->pen();
    const QRectF rect = this->rect();
    bool bPlain = !(pOption->state & QStyle::State_Selected) && pen.style() == Qt::SolidLine && !pen.isCosmetic()
                  && rect.width() > 0 && rect.height() > 0;
    if constexpr (std::is_same<Shape, QGraphicsEllipseItem>::value)
        bPlain = bPlain && this->spanAngle() == 360 * 16;
    // The selection's outline, and anything out of the ordinary, as Qt draws them.
    if (!bPlain) {
        Shape::paint(pPainter, pOption, pWidget);
        return;
    }
    const double dScale = std::sqrt(qAbs(pPainter->combinedTransform().determinant()))
                          * (pPainter->device() ? pPainter->device()->devicePixelRatioF() : 1.0);
    buildOutlines(dScale);
    // A rectangle alone is filled as a thick line, turned or not, without
    // the general rasterizer.
    if constexpr (std::is_same<Shape, QGraphicsEllipseItem>::value)
        pPainter->fillPath(m_fill, this->brush());
    else
        pPainter->fillRect(rect, this->brush());
    pPainter->fillPath(m_ring, pen.brush());
}

template <class Shape>
void StageShapeItem<Shape>::buildOutlines(double dScale)
{
    const QRectF rect = this->rect();
    const double dPenWidth = this->pen().widthF();
    constexpr bool bEllipse = std::is_same<Shape, QGraphicsEllipseItem>::value;
    int nSegments = 0;
    if (bEllipse) {
        // Edges within the tolerance of the curve: the chord error of a
        // circle of radius r cut in n is about r (pi / n)^2 / 2.
        const double dRadius = (qMax(rect.width(), rect.height()) + dPenWidth) / 2 * qMax(dScale, 0.01);
        nSegments = qBound(8, int(std::ceil(M_PI * std::sqrt(dRadius / (2 * s_dTolerance)) / 4)) * 4, 4096);
    }
    if (rect == m_rect && dPenWidth == m_dPenWidth && nSegments == m_nSegments)
        return;
    m_rect = rect;
    m_dPenWidth = dPenWidth;
    m_nSegments = nSegments;

    const double dHalf = dPenWidth / 2;
    const QRectF outer = rect.adjusted(-dHalf, -dHalf, dHalf, dHalf);
    const QRectF inner = rect.adjusted(dHalf, dHalf, -dHalf, -dHalf);
    m_fill = QPainterPath();
    m_ring = QPainterPath();
    // Odd-even: the inner outline cuts the hole.
    if (bEllipse) {
        m_fill.addPolygon(ellipsePolygon(rect, nSegments));
        m_fill.closeSubpath();
        m_ring.addPolygon(ellipsePolygon(outer, nSegments));
        m_ring.closeSubpath();
        if (inner.width() > 0 && inner.height() > 0) {
            m_ring.addPolygon(ellipsePolygon(inner, nSegments));
            m_ring.closeSubpath();
        }
    } else {
        m_ring.addRect(outer);
        if (inner.width() > 0 && inner.height() > 0)
            m_ring.addRect(inner);
    }
}

template class StageShapeItem<QGraphicsRectItem>;
template class StageShapeItem<QGraphicsEllipseItem>;
