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

// The values are words, so the file reads well and a value it does not
// know (written by a later version) falls back to the welcome page.
static const char s_startupKey[] = "Zelto/OnStartup";
static const char s_startupLastSession[] = "LastSession";
static const char s_startupWelcomePage[] = "WelcomePage";

ICore::StartupAction ICore::startupAction()
{
    const QString strValue = settings()->value(QLatin1String(s_startupKey)).toString();
    return strValue == QLatin1String(s_startupLastSession) ? ReopenLastSession : ShowWelcomePage;
}

void ICore::setStartupAction(StartupAction action)
{
    settings()->setValue(QLatin1String(s_startupKey), QLatin1String(action == ReopenLastSession
                                                                         ? s_startupLastSession
                                                                         : s_startupWelcomePage));
}

void ICore::saveSettings()
{
    // Direct connections: every handler has written its values when emit returns.
    emit s_pInstance->aboutToSaveSettings();
    ExtensionSystem::PluginManager::settings()->sync();
    ExtensionSystem::PluginManager::globalSettings()->sync();
}
