#include "scenesettings.h"

#include "core/icore.h"
#include "extensionsystem/pluginmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {

const char s_lastFolderKey[] = "Designer/LastFolder";
const char s_updateUrlKey[] = "Designer/UpdateUrl";
const char s_updateCheckIntervalKey[] = "Designer/UpdateCheckInterval";
const int s_nDay = 24 * 3600;
const int s_nWeek = 7 * s_nDay;
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
    if (updateUrl() == strUrl.trimmed())
        return;
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_updateUrlKey), strUrl.trimmed());
    emit instance()->updatesChanged();
}

int SceneSettings::updateCheckInterval()
{
    QSettings *pSettings = settings();
    bool bNumber = false;
    const int nSeconds = pSettings ? pSettings->value(QLatin1String(s_updateCheckIntervalKey)).toInt(&bNumber) : 0;
    // Only the choices the preferences offer: an edited file cannot make
    // the application ask the server every second.
    if (!bNumber || nSeconds <= 0)
        return 0;
    return nSeconds >= s_nWeek ? s_nWeek : s_nDay;
}

void SceneSettings::setUpdateCheckInterval(int nSeconds)
{
    if (updateCheckInterval() == nSeconds)
        return;
    if (QSettings *pSettings = settings())
        pSettings->setValue(QLatin1String(s_updateCheckIntervalKey), nSeconds);
    emit instance()->updatesChanged();
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
