#include "sceneplugin.h"

#include "scenecommandhandler.h"
#include "scenedocumentfactory.h"
#include "scenesettings.h"

#include "core/icore.h"
#include "extensionsystem/pluginmanager.h"


ScenePlugin::ScenePlugin()
{
    m_pFactory = new SceneDocumentFactory(this);
    m_pCommandHandler = new SceneCommandHandler(this);
}

ScenePlugin::~ScenePlugin()
{
    removeFactory();
}

bool ScenePlugin::initialize(const QStringList &, QString *)
{
    ExtensionSystem::PluginManager::addObject(m_pFactory);
    m_bFactoryInPool = true;
    if (ICore *pCore = ICore::getInstance())
        connect(pCore, &ICore::aboutToSaveSettings, this, []() { SceneSettings::save(); });
    return true;
}

void ScenePlugin::extensionsInitialized()
{
    // The main window built its menus before any plug-in was initialised.
    m_pCommandHandler->connectCommands();
    m_pCommandHandler->configureUpdates();
}

ExtensionSystem::IPlugin::ShutdownFlag ScenePlugin::aboutToShutdown()
{
    SceneSettings::save();
    removeFactory();
    return SynchronousShutdown;
}

void ScenePlugin::removeFactory()
{
    if (m_bFactoryInPool) {
        ExtensionSystem::PluginManager::removeObject(m_pFactory);
        m_bFactoryInPool = false;
    }
}
