#pragma once

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRectF>

QT_BEGIN_NAMESPACE
class QGraphicsItem;
class QGraphicsScene;
class QGraphicsView;
QT_END_NAMESPACE

// The handles of the selected item on the stage: eight that resize it, at its
// corners and the middles of its sides, and one above it that turns it. They
// keep their size on the screen at every zoom (they ignore the view's
// transformation) and change nothing themselves: the editor drags them,
// previews the new geometry and records it as one step.
//
// The geometry is that of the stage: an item's rect, turned by its rotation
// (degrees, clockwise) around the rect's centre.
class StageHandles
{
public:
    enum Kind {
        TopLeft,
        Top,
        TopRight,
        Right,
        BottomRight,
        Bottom,
        BottomLeft,
        Left,
        Rotate,
        KindCount
    };

    StageHandles();
    ~StageHandles();
    StageHandles(const StageHandles &) = delete;
    StageHandles &operator=(const StageHandles &) = delete;

    // Moves the handles into pScene, or out of any with nullptr: a scene that
    // is cleared deletes its items, so they leave it first.
    void setScene(QGraphicsScene *pScene);
    // Shows the handles around an item, or hides them.
    void place(const QRectF &rect, double dRotation);
    void hide();
    bool isVisible() const;
    // The handle a graphics item belongs to, or -1.
    int kindOf(const QGraphicsItem *pItem) const;
    // Where a handle is drawn in a view of the scene, while it is shown.
    QPoint viewPosition(Kind kind, const QGraphicsView *pView) const;

    // The rect after the handle was dragged to scenePos: the opposite side or
    // corner stays where it is (with bFromCentre, the centre does); with
    // bKeepAspect both sides grow alike. Never narrower than a pixel.
    static QRectF resized(const QRectF &rect, double dRotation, Kind kind, const QPointF &scenePos, bool bKeepAspect,
                          bool bFromCentre);
    // The rotation after the rotation handle was dragged to scenePos; with
    // bSnap in steps of 15 degrees. Whole turns the item had stay.
    static double rotated(const QRectF &rect, double dRotation, const QPointF &scenePos, bool bSnap);

private:
    QList<QGraphicsItem *> m_lstItems;   // owned; the rotation handle's stem is the knob's child
    QRectF m_rect;
    double m_dRotation = 0;
};
