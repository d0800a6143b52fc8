#pragma once

#include "sceneitem.h"

#include <QList>
#include <QString>

// One scene of a project: its items on the stage and how long it plays. A
// project plays its scenes one after another, in the order of its list.
struct Scene
{
    // Names the scene while the project is open, so an editor keeps showing
    // it when scenes are added, moved or deleted; not saved.
    QString strId;
    QString strName;
    double dDuration = 5;     // seconds
    QList<SceneItem> lstItems;

    // The id is not part of the content.
    bool operator==(const Scene &other) const
    {
        return strName == other.strName && dDuration == other.dDuration && lstItems == other.lstItems;
    }
    bool operator!=(const Scene &other) const { return !(*this == other); }
};
