#include "tests/common/testhost.h"

#include "extensionsystem/pluginmanager.h"

namespace TestSupport {

TestHost::TestHost()
    : m_pManager(new ExtensionSystem::PluginManager)
{
    ExtensionSystem::PluginManager::setSettingsPath(m_dir.path());
}

TestHost::~TestHost()
{
    delete m_pManager;
}

QString TestHost::settingsPath() const
{
    return m_dir.path();
}

QSettings *TestHost::settings() const
{
    return ExtensionSystem::PluginManager::settings();
}

} // namespace TestSupport
