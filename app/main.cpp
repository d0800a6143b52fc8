#include "extensionsystem/pluginmanager.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("PELUM"));
    QCoreApplication::setApplicationName(QStringLiteral("Zelto Rideved"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.0"));

    ExtensionSystem::PluginManager pluginManager;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    ExtensionSystem::PluginManager::setArguments(arguments);
    ExtensionSystem::PluginManager::setPluginPaths(
        {QCoreApplication::applicationDirPath() + QStringLiteral("/plugins")});
    ExtensionSystem::PluginManager::loadPlugins();
    return app.exec();
}
