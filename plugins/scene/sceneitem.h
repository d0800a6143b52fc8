#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

// One shape on the stage. Items are plain values: the document keeps them in
// a list whose order is the stacking order (first item at the back), and every
// change replaces whole values, which keeps undo simple and exact.
struct SceneItem
{
    enum Type {
        Rectangle,
        Ellipse,
        Text,
        Image
    };

    QString strId;
    Type type = Rectangle;
    QRectF rect;
    QColor fill = QColor(QStringLiteral("#4a90d9"));
    QColor stroke = QColor(QStringLiteral("#1d3d5c"));
    QString strText;          // Text items
    int nFontSize = 24;       // Text items, in stage pixels
    QString strImage;         // Image items: "images/<name>" inside the project

    bool operator==(const SceneItem &other) const
    {
        return strId == other.strId && type == other.type && rect == other.rect && fill == other.fill
               && stroke == other.stroke && strText == other.strText && nFontSize == other.nFontSize
               && strImage == other.strImage;
    }
    bool operator!=(const SceneItem &other) const { return !(*this == other); }
};
