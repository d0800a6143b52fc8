#include "extensionsystem/pluginmanager.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QWriteLocker>

namespace ExtensionSystem {

static PluginManager *s_instance = nullptr;

class PluginManagerPrivate
{
public:
    QList<QObject *> m_lstObjects;
    QReadWriteLock m_lock;
    QString m_strSettingsPath;
    QSettings *m_pSettings = nullptr;
    QSettings *m_pGlobalSettings = nullptr;
    QStringList m_lstArguments;
    QStringList m_lstPluginPaths;
    QStringList m_lstErrors;
    bool m_bProfiling = false;

    QString settingsFolder() const
    {
        if (!m_strSettingsPath.isEmpty())
            return m_strSettingsPath;
        const QString fromEnv = qEnvironmentVariable("ZELTO_SETTINGS_PATH");
        if (!fromEnv.isEmpty())
            return fromEnv;
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }
};

PluginManager::PluginManager()
    : d(new PluginManagerPrivate)
{
    s_instance = this;
}

PluginManager::~PluginManager()
{
    delete d->m_pSettings;
    delete d->m_pGlobalSettings;
    delete d;
    s_instance = nullptr;
}

PluginManager *PluginManager::instance()
{
    return s_instance;
}

void PluginManager::addObject(QObject *obj)
{
    if (!obj)
        return;
    {
        QWriteLocker lock(&s_instance->d->m_lock);
        if (s_instance->d->m_lstObjects.contains(obj))
            return;
        s_instance->d->m_lstObjects.append(obj);
    }
    emit s_instance->objectAdded(obj);
}

void PluginManager::removeObject(QObject *obj)
{
    if (!obj || !s_instance->d->m_lstObjects.contains(obj))
        return;
    emit s_instance->aboutToRemoveObject(obj);
    QWriteLocker lock(&s_instance->d->m_lock);
    s_instance->d->m_lstObjects.removeAll(obj);
}

QList<QObject *> PluginManager::allObjects()
{
    return s_instance->d->m_lstObjects;
}

QReadWriteLock *PluginManager::listLock()
{
    return &s_instance->d->m_lock;
}

void PluginManager::setSettingsPath(const QString &path)
{
    s_instance->d->m_strSettingsPath = path;
}

QString PluginManager::settingsPath()
{
    return s_instance->d->settingsFolder();
}

QSettings *PluginManager::settings()
{
    PluginManagerPrivate *d = s_instance->d;
    if (!d->m_pSettings) {
        d->m_pSettings = new QSettings(d->settingsFolder() + QStringLiteral("/PELUM/ZeltoRideved.ini"),
                                       QSettings::IniFormat);
    }
    return d->m_pSettings;
}

QSettings *PluginManager::globalSettings()
{
    PluginManagerPrivate *d = s_instance->d;
    if (!d->m_pGlobalSettings) {
        d->m_pGlobalSettings = new QSettings(d->settingsFolder() + QStringLiteral("/PELUM/ZeltoRideved-system.ini"),
                                             QSettings::IniFormat);
    }
    return d->m_pGlobalSettings;
}

void PluginManager::setArguments(const QStringList &arguments)
{
    s_instance->d->m_lstArguments = arguments;
}

QStringList PluginManager::arguments()
{
    return s_instance->d->m_lstArguments;
}

void PluginManager::setPluginPaths(const QStringList &paths)
{
    s_instance->d->m_lstPluginPaths = paths;
}

QStringList PluginManager::pluginPaths()
{
    return s_instance->d->m_lstPluginPaths;
}

void PluginManager::loadPlugins()
{
    // Discovery, dependency ordering and the lifecycle are added with the host.
}

void PluginManager::shutdown()
{
}

bool PluginManager::hasError()
{
    return !s_instance->d->m_lstErrors.isEmpty();
}

QStringList PluginManager::allErrors()
{
    return s_instance->d->m_lstErrors;
}

void PluginManager::setProfilingEnabled(bool enabled)
{
    s_instance->d->m_bProfiling = enabled;
}

} // namespace ExtensionSystem
