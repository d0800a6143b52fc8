#include "extensionsystem/iplugin.h"

namespace ExtensionSystem {

IPlugin::IPlugin() = default;

IPlugin::~IPlugin() = default;

bool IPlugin::lateInitialize()
{
    return true;
}

IPlugin::ShutdownFlag IPlugin::aboutToShutdown()
{
    return SynchronousShutdown;
}

QObject *IPlugin::secondInstanceCommand(const QStringList &, const QString &, const QStringList &)
{
    return nullptr;
}

QVector<QObject *> IPlugin::createTestObjects() const
{
    return {};
}

} // namespace ExtensionSystem
