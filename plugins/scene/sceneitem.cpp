#include "sceneitem.h"

#include "sceneanimation.h"

#include <QCoreApplication>

#include <algorithm>

QString SceneItem::typeLabel(Type type)
{
    switch (type) {
    case Rectangle: return QCoreApplication::translate("SceneItem", "Rectangle");
    case Ellipse: return QCoreApplication::translate("SceneItem", "Ellipse");
    case Text: return QCoreApplication::translate("SceneItem", "Text");
    case Image: return QCoreApplication::translate("SceneItem", "Image");
    }
    return QString();
}

bool SceneItem::isAnimated() const
{
    return std::any_of(tracks.begin(), tracks.end(), [](const QList<Keyframe> &track) { return !track.isEmpty(); });
}

QVariant SceneItem::baseValue(Property property) const
{
    switch (property) {
    case X: return rect.x();
    case Y: return rect.y();
    case Width: return rect.width();
    case Height: return rect.height();
    case Rotation: return dRotation;
    case Opacity: return dOpacity;
    case Fill: return fill;
    case PropertyCount: break;
    }
    return QVariant();
}

void SceneItem::setBaseValue(Property property, const QVariant &value)
{
    switch (property) {
    case X: rect.moveLeft(value.toDouble()); break;
    case Y: rect.moveTop(value.toDouble()); break;
    case Width: rect.setWidth(value.toDouble()); break;
    case Height: rect.setHeight(value.toDouble()); break;
    case Rotation: dRotation = value.toDouble(); break;
    case Opacity: dOpacity = value.toDouble(); break;
    case Fill: fill = value.value<QColor>(); break;
    case PropertyCount: break;
    }
}

QVariant SceneItem::valueAt(Property property, double dTime) const
{
    const QList<Keyframe> &track = tracks[property];
    return track.isEmpty() ? baseValue(property) : SceneAnimation::valueAt(track, dTime);
}

SceneItem::State SceneItem::stateAt(double dTime) const
{
    State state;
    state.rect = QRectF(valueAt(X, dTime).toDouble(), valueAt(Y, dTime).toDouble(), valueAt(Width, dTime).toDouble(),
                        valueAt(Height, dTime).toDouble());
    state.dRotation = valueAt(Rotation, dTime).toDouble();
    state.dOpacity = valueAt(Opacity, dTime).toDouble();
    state.fill = valueAt(Fill, dTime).value<QColor>();
    return state;
}

void SceneItem::setKeyframe(Property property, double dTime, const QVariant &value)
{
    QList<Keyframe> &track = tracks[property];
    auto it = std::lower_bound(track.begin(), track.end(), dTime,
                               [](const Keyframe &keyframe, double d) { return keyframe.dTime < d; });
    if (it != track.begin() && SceneAnimation::sameTime(std::prev(it)->dTime, dTime))
        --it;
    if (it != track.end() && SceneAnimation::sameTime(it->dTime, dTime)) {
        it->value = value;
        return;
    }
    // A new keyframe between two others continues the easing of the one before.
    Keyframe keyframe;
    keyframe.dTime = dTime;
    keyframe.value = value;
    if (it != track.begin())
        keyframe.easing = std::prev(it)->easing;
    track.insert(it, keyframe);
}

void SceneItem::keyPositionTogether(const SceneItem &before)
{
    const Property pair[2] = {X, Y};
    for (int i = 0; i < 2; ++i) {
        const Property keyed = pair[i];
        const Property other = pair[1 - i];
        const QList<Keyframe> lstKeyed = tracks[keyed];
        for (const Keyframe &keyframe : lstKeyed) {
            const QList<Keyframe> &track = tracks[other];
            if (before.tracks[keyed].contains(keyframe)
                || std::any_of(track.begin(), track.end(), [&](const Keyframe &k) {
                       return SceneAnimation::sameTime(k.dTime, keyframe.dTime);
                   }))
                continue;
            setKeyframe(other, keyframe.dTime, valueAt(other, keyframe.dTime));
        }
    }
}
