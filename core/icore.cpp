#include "core/icore.h"

#include "extensionsystem/pluginmanager.h"

static ICore *s_pInstance = nullptr;
static MainWindow *s_pMainWindow = nullptr;

ICore::ICore(MainWindow *mainWindow)
    : QObject(nullptr)
{
    s_pMainWindow = mainWindow;
    s_pInstance = this;
}

ICore::~ICore()
{
    s_pInstance = nullptr;
    s_pMainWindow = nullptr;
}

ICore *ICore::getInstance()
{
    return s_pInstance;
}

MainWindow *ICore::getMainWindow()
{
    return s_pMainWindow;
}

QSettings *ICore::settings(QSettings::Scope scope)
{
    if (scope == QSettings::UserScope)
        return ExtensionSystem::PluginManager::settings();
    return ExtensionSystem::PluginManager::globalSettings();
}

void ICore::saveSettings()
{
    // Direct connections: every handler has written its values when emit returns.
    emit s_pInstance->aboutToSaveSettings();
    ExtensionSystem::PluginManager::settings()->sync();
    ExtensionSystem::PluginManager::globalSettings()->sync();
}
