#pragma once

#include "keyframe.h"
#include "sceneitem.h"

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QString>

// The rules by which keyframes become values. The editor plays scenes with
// them and the HTML5 exporter writes them as CSS animations, so both must
// agree: the easings are the cubic Bézier curves of CSS's ease-in, ease-out
// and ease-in-out, and colours are mixed premultiplied by their alpha, as
// browsers mix them.
class SceneAnimation
{
    Q_DECLARE_TR_FUNCTIONS(SceneAnimation)

public:
    // Keyframe times closer than this are one time.
    static constexpr double s_dTimeEpsilon = 1e-6;

    static bool sameTime(double dA, double dB) { return qAbs(dA - dB) < s_dTimeEpsilon; }

    // The eased progress (0 to 1) for a linear progress between two keyframes.
    static double easedProgress(Keyframe::Easing easing, double dProgress);
    // The value of a track at a time: the first value before its first
    // keyframe, the last one after its last. The track must not be empty.
    static QVariant valueAt(const QList<Keyframe> &track, double dTime);
    static QColor mixColors(const QColor &from, const QColor &to, double dProgress);

    // Names in project files and exported pages.
    static QString propertyKey(SceneItem::Property property);
    static bool propertyFromKey(const QString &strKey, SceneItem::Property *pProperty);
    static QString easingKey(Keyframe::Easing easing);
    static bool easingFromKey(const QString &strKey, Keyframe::Easing *pEasing);
    static QString cssTimingFunction(Keyframe::Easing easing);

    // Names for the user.
    static QString propertyName(SceneItem::Property property);
    static QString easingName(Keyframe::Easing easing);
    static QList<Keyframe::Easing> easings();
};
