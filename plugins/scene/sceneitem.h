#pragma once

#include "keyframe.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>

#include <array>

// One shape on the stage. Items are plain values: a scene keeps them in a
// list whose order is the stacking order (first item at the back), and every
// change replaces whole values, which keeps undo simple and exact.
//
// The animatable properties have a base value (rect, rotation, opacity,
// fill) and may carry keyframes; a property with keyframes takes its value
// from them at every time, and its base value is not shown.
struct SceneItem
{
    enum Type {
        Rectangle,
        Ellipse,
        Text,
        Image
    };

    enum Property {
        X,
        Y,
        Width,
        Height,
        Rotation,
        Opacity,
        Fill,
        PropertyCount
    };

    // The animatable properties at one time.
    struct State
    {
        QRectF rect;
        double dRotation = 0;
        double dOpacity = 1;
        QColor fill;
    };

    QString strId;
    QString strName;          // the user's name for it; empty: the id stands for it
    Type type = Rectangle;
    QRectF rect;
    double dRotation = 0;     // degrees, clockwise, around the centre of rect
    double dOpacity = 1;      // 0 to 1
    QColor fill = QColor(QStringLiteral("#4a90d9"));
    QColor stroke = QColor(QStringLiteral("#1d3d5c"));
    QString strText;          // Text items
    int nFontSize = 24;       // Text items, in stage pixels
    QString strImage;         // Image items: "images/<name>" inside the project
    // Keyframes of each property, sorted by time, at most one per time.
    std::array<QList<Keyframe>, PropertyCount> tracks;
    // Hidden in the editor only, so it is out of the way while others are
    // worked on: the exported page shows it. A locked item cannot be
    // selected on the stage.
    bool bHidden = false;
    bool bLocked = false;

    bool operator==(const SceneItem &other) const
    {
        return strId == other.strId && type == other.type && rect == other.rect && dRotation == other.dRotation
               && dOpacity == other.dOpacity && fill == other.fill && stroke == other.stroke
               && strText == other.strText && nFontSize == other.nFontSize && strImage == other.strImage
               && tracks == other.tracks && strName == other.strName && bHidden == other.bHidden
               && bLocked == other.bLocked;
    }
    bool operator!=(const SceneItem &other) const { return !(*this == other); }

    // What the user calls it: the name, or the id of an unnamed item.
    QString displayName() const { return strName.isEmpty() ? strId : strName; }
    static QString typeLabel(Type type);   // for the user: "Rectangle", "Text", ...

    // Images show no fill, so theirs is not animated.
    bool isAnimatable(Property property) const { return property != Fill || type != Image; }
    bool isAnimated() const;
    QVariant baseValue(Property property) const;
    void setBaseValue(Property property, const QVariant &value);
    QVariant valueAt(Property property, double dTime) const;
    State stateAt(double dTime) const;
    // Adds a keyframe at dTime, or gives the one there the new value.
    void setKeyframe(Property property, double dTime, const QVariant &value);
    // Position is keyed as one: every time at which x got a new or changed
    // keyframe since before gets a keyframe of y too, with the value y has
    // there, and the other way round.
    void keyPositionTogether(const SceneItem &before);
};
