#pragma once

#include <QVariant>

// One value of an animated property at one time of its scene. The easing
// shapes the way from this keyframe to the next one, as a timing function
// given on a CSS keyframe does, so the editor and the exported page agree.
struct Keyframe
{
    enum Easing {
        Linear,
        EaseIn,
        EaseOut,
        EaseInOut,
        Step      // keeps this value until the next keyframe
    };

    double dTime = 0;          // seconds from the start of the scene
    QVariant value;            // a double, or a QColor for the fill
    Easing easing = Linear;

    bool operator==(const Keyframe &other) const
    {
        return dTime == other.dTime && value == other.value && easing == other.easing;
    }
    bool operator!=(const Keyframe &other) const { return !(*this == other); }
};
