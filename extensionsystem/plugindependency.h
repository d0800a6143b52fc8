#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QString>

namespace ExtensionSystem {

// One entry of a plug-in's "Dependencies" metadata: the plug-in it needs by
// name and the lowest version of it that it was written against.
struct EXTENSIONSYSTEM_EXPORT PluginDependency
{
    QString name;
    QString version;

    bool operator==(const PluginDependency &other) const
    {
        return name == other.name && version == other.version;
    }
};

} // namespace ExtensionSystem
