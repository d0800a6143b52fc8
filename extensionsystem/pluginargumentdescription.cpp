#include "extensionsystem/pluginargumentdescription.h"

#include <QStringList>

namespace ExtensionSystem {

int PluginArgumentDescription::parameterCount() const
{
    return parameter.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
}

} // namespace ExtensionSystem
