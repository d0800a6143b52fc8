#include "sceneanimation.h"

#include <algorithm>

namespace {

const struct {
    SceneItem::Property property;
    const char *key;
} s_propertyKeys[] = {
    {SceneItem::X, "x"},
    {SceneItem::Y, "y"},
    {SceneItem::Width, "width"},
    {SceneItem::Height, "height"},
    {SceneItem::Rotation, "rotation"},
    {SceneItem::Opacity, "opacity"},
    {SceneItem::Fill, "fill"},
};

const struct {
    Keyframe::Easing easing;
    const char *key;
    const char *css;
} s_easingKeys[] = {
    {Keyframe::Linear, "linear", "linear"},
    {Keyframe::EaseIn, "ease-in", "ease-in"},
    {Keyframe::EaseOut, "ease-out", "ease-out"},
    {Keyframe::EaseInOut, "ease-in-out", "ease-in-out"},
    {Keyframe::Step, "step", "step-end"},
};

// A CSS cubic-bezier() timing function from (0,0) to (1,1): the y of the
// curve's point at a given x, solved as closely as browsers solve it.
class CubicBezier
{
public:
    // The polynomial coefficients of x(t) and y(t) for the control points.
    CubicBezier(double dX1, double dY1, double dX2, double dY2)
    {
        m_dCx = 3 * dX1;
        m_dBx = 3 * (dX2 - dX1) - m_dCx;
        m_dAx = 1 - m_dCx - m_dBx;
        m_dCy = 3 * dY1;
        m_dBy = 3 * (dY2 - dY1) - m_dCy;
        m_dAy = 1 - m_dCy - m_dBy;
    }

    double yForX(double dX) const
    {
        // Newton's method first; bisection where the slope is too flat for it.
        double dT = dX;
        for (int i = 0; i < 8; ++i) {
            const double dError = sampleX(dT) - dX;
            if (qAbs(dError) < 1e-9)
                return sampleY(dT);
            const double dSlope = (3 * m_dAx * dT + 2 * m_dBx) * dT + m_dCx;
            if (qAbs(dSlope) < 1e-6)
                break;
            dT -= dError / dSlope;
        }
        double dLow = 0, dHigh = 1;
        dT = dX;
        while (dHigh - dLow > 1e-9) {
            if (sampleX(dT) < dX)
                dLow = dT;
            else
                dHigh = dT;
            dT = (dLow + dHigh) / 2;
        }
        return sampleY(dT);
    }

private:
    double sampleX(double dT) const { return ((m_dAx * dT + m_dBx) * dT + m_dCx) * dT; }
    double sampleY(double dT) const { return ((m_dAy * dT + m_dBy) * dT + m_dCy) * dT; }

    double m_dCx, m_dBx, m_dAx;
    double m_dCy, m_dBy, m_dAy;
};

double mix(double dFrom, double dTo, double dProgress)
{
    return dFrom + (dTo - dFrom) * dProgress;
}

} // namespace

double SceneAnimation::easedProgress(Keyframe::Easing easing, double dProgress)
{
    // The curves CSS's keywords stand for.
    static const CubicBezier s_easeIn(0.42, 0, 1, 1);
    static const CubicBezier s_easeOut(0, 0, 0.58, 1);
    static const CubicBezier s_easeInOut(0.42, 0, 0.58, 1);
    dProgress = qBound(0.0, dProgress, 1.0);
    switch (easing) {
    case Keyframe::Linear: return dProgress;
    case Keyframe::EaseIn: return s_easeIn.yForX(dProgress);
    case Keyframe::EaseOut: return s_easeOut.yForX(dProgress);
    case Keyframe::EaseInOut: return s_easeInOut.yForX(dProgress);
    case Keyframe::Step: return dProgress < 1 ? 0 : 1;
    }
    return dProgress;
}

QVariant SceneAnimation::valueAt(const QList<Keyframe> &track, double dTime)
{
    Q_ASSERT(!track.isEmpty());
    // The first keyframe later than dTime ends the segment dTime is in.
    auto next = std::upper_bound(track.begin(), track.end(), dTime,
                                 [](double d, const Keyframe &keyframe) { return d < keyframe.dTime; });
    if (next == track.begin())
        return track.constFirst().value;
    if (next == track.end())
        return track.constLast().value;
    const Keyframe &from = *std::prev(next);
    const double dProgress = easedProgress(from.easing, (dTime - from.dTime) / (next->dTime - from.dTime));
    if (from.value.userType() == QMetaType::QColor)
        return mixColors(from.value.value<QColor>(), next->value.value<QColor>(), dProgress);
    return mix(from.value.toDouble(), next->value.toDouble(), dProgress);
}

QColor SceneAnimation::mixColors(const QColor &from, const QColor &to, double dProgress)
{
    // Premultiplied: a transparent end lends the other end nothing of its
    // own colour, so a fade to transparent black does not darken.
    const double dAlpha = mix(from.alphaF(), to.alphaF(), dProgress);
    if (dAlpha <= 0)
        return QColor(0, 0, 0, 0);
    auto channel = [&](double dFrom, double dTo) {
        const double dPremultiplied = mix(dFrom * from.alphaF(), dTo * to.alphaF(), dProgress);
        return qBound(0.0, dPremultiplied / dAlpha, 1.0);
    };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()), dAlpha);
}

QString SceneAnimation::propertyKey(SceneItem::Property property)
{
    for (const auto &entry : s_propertyKeys) {
        if (entry.property == property)
            return QString::fromLatin1(entry.key);
    }
    return QString();
}

bool SceneAnimation::propertyFromKey(const QString &strKey, SceneItem::Property *pProperty)
{
    for (const auto &entry : s_propertyKeys) {
        if (strKey == QLatin1String(entry.key)) {
            *pProperty = entry.property;
            return true;
        }
    }
    return false;
}

QString SceneAnimation::easingKey(Keyframe::Easing easing)
{
    for (const auto &entry : s_easingKeys) {
        if (entry.easing == easing)
            return QString::fromLatin1(entry.key);
    }
    return QString();
}

bool SceneAnimation::easingFromKey(const QString &strKey, Keyframe::Easing *pEasing)
{
    for (const auto &entry : s_easingKeys) {
        if (strKey == QLatin1String(entry.key)) {
            *pEasing = entry.easing;
            return true;
        }
    }
    return false;
}

QString SceneAnimation::cssTimingFunction(Keyframe::Easing easing)
{
    for (const auto &entry : s_easingKeys) {
        if (entry.easing == easing)
            return QString::fromLatin1(entry.css);
    }
    return QStringLiteral("linear");
}

QString SceneAnimation::propertyName(SceneItem::Property property)
{
    switch (property) {
    case SceneItem::X: return tr("X");
    case SceneItem::Y: return tr("Y");
    case SceneItem::Width: return tr("Width");
    case SceneItem::Height: return tr("Height");
    case SceneItem::Rotation: return tr("Rotation");
    case SceneItem::Opacity: return tr("Opacity");
    case SceneItem::Fill: return tr("Colour");
    case SceneItem::PropertyCount: break;
    }
    return QString();
}

QString SceneAnimation::easingName(Keyframe::Easing easing)
{
    switch (easing) {
    case Keyframe::Linear: return tr("Linear");
    case Keyframe::EaseIn: return tr("Ease In");
    case Keyframe::EaseOut: return tr("Ease Out");
    case Keyframe::EaseInOut: return tr("Ease In-Out");
    case Keyframe::Step: return tr("Step");
    }
    return QString();
}

QList<Keyframe::Easing> SceneAnimation::easings()
{
    return {Keyframe::Linear, Keyframe::EaseIn, Keyframe::EaseOut, Keyframe::EaseInOut, Keyframe::Step};
}
