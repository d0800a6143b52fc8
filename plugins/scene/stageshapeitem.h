#pragma once

#include <QGraphicsEllipseItem>
#include <QGraphicsRectItem>
#include <QPainterPath>

// A rectangle or an ellipse of the stage (Shape is QGraphicsRectItem or
// QGraphicsEllipseItem), drawn as two filled outlines instead of a fill and
// a stroked pen. Stroking a wide pen is what costs most when hundreds of
// items are redrawn at every frame of playback: the stroker offsets and
// joins every segment again each time, while the outlines here are polygons
// kept from frame to frame, built again only when the size, the pen or the
// zoom changes. A shape that only moves, turns or fades reuses them.
//
// The pen is centred on the outline as before, so the shape covers the same
// pixels; corners are mitred, as the exported page draws them. A selected
// item is drawn by Shape itself, with the selection's outline.
template <class Shape>
class StageShapeItem : public Shape
{
public:
    StageShapeItem() = default;

    // The rectangle grown by half the pen: Qt's ellipse strokes its outline
    // to find it, which costs as much as drawing it, at every change of size.
    QRectF boundingRect() const override;
    void paint(QPainter *pPainter, const QStyleOptionGraphicsItem *pOption, QWidget *pWidget) override;

private:
    void buildOutlines(double dScale);

    // The outlines for m_rect, m_dPenWidth and m_nSegments, in item coordinates.
    QPainterPath m_fill;
    QPainterPath m_ring;   // the pen: the outline grown and shrunk by half its width
    QRectF m_rect;
    double m_dPenWidth = -1;
    int m_nSegments = 0;   // of an ellipse's polygons, from its size on the screen
};

extern template class StageShapeItem<QGraphicsRectItem>;
extern template class StageShapeItem<QGraphicsEllipseItem>;
