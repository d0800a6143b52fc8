#include "scenesettings.h"

#include "core/icore.h"
#include "extensionsystem/pluginmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {

const char s_lastFolderKey[] = "Designer/LastFolder";
const char s_updateUrlKey[] = "Designer/UpdateUrl";
const char s_showBreakpointsKey[] = "Designer/ShowBreakpoints";
const char s_showUndoHistoryKey[] = "Designer/ShowUndoHistory";
const char s_versionKey[] = "Designer/Version";

QSettings *settings()
{
    if (QSettings *pSettings = ICore::settings())
        return pSettings;
    return ExtensionSystem::PluginManager::settings();
}

} // namespace

SceneSettings *SceneSettings::instance()
{
    static SceneSettings s_instance;
    return &s_instance;
}

QString SceneSettings::lastFolder()
{
    QSettings *pSettings = settings();
    const QString strFolder = pSettings ? pSettings->value(QLatin1String(s_lastFolderKey)).toString() : QString();
    return strFolder.isEmpty() || !QDir(strFolder).exists() ? QDir::homePath() : strFolder;
}

void SceneSettings::setLastFolder(const QString &strFolder)
{
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_lastFolderKey), strFolder);
}

QString SceneSettings::updateUrl()
{
    QSettings *pSettings = settings();
    return pSettings ? pSettings->value(QLatin1String(s_updateUrlKey)).toString().trimmed() : QString();
}

void SceneSettings::setUpdateUrl(const QString &strUrl)
{
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_updateUrlKey), strUrl.trimmed());
}

bool SceneSettings::showBreakpoints()
{
    QSettings *pSettings = settings();
    return pSettings && pSettings->value(QLatin1String(s_showBreakpointsKey), false).toBool();
}

void SceneSettings::setShowBreakpoints(bool bShow)
{
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_showBreakpointsKey), bShow);
    emit instance()->changed();
}

bool SceneSettings::showUndoHistory()
{
    QSettings *pSettings = settings();
    return !pSettings || pSettings->value(QLatin1String(s_showUndoHistoryKey), true).toBool();
}

void SceneSettings::setShowUndoHistory(bool bShow)
{
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_showUndoHistoryKey), bShow);
}

void SceneSettings::save()
{
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_versionKey), QCoreApplication::applicationVersion());
}
