#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QString>

namespace ExtensionSystem {

/**
 * One entry of a plug-in's "Dependencies" metadata: the plug-in it needs by
 * name and the version of it that it was written against. A plug-in provides
 * the dependency when that version lies between its "CompatVersion" and its
 * "Version" (PluginInfo::provides()). Passed by value.
 */
struct EXTENSIONSYSTEM_EXPORT PluginDependency
{
    QString name;      ///< The "Name" of the plug-in needed.
    QString version;   ///< The "Version" it was written against; empty accepts any version.

    /** Two entries are equal when name and version are. */
    bool operator==(const PluginDependency &other) const
    {
        return name == other.name && version == other.version;
    }
};

} // namespace ExtensionSystem
