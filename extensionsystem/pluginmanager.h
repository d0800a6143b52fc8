#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QList>
#include <QObject>
#include <QReadLocker>
#include <QReadWriteLock>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

namespace ExtensionSystem {

class PluginManagerPrivate;

// The plug-in host. One instance per process, created by the executable (or
// by a test) before anything asks for settings, arguments or the object pool.
class EXTENSIONSYSTEM_EXPORT PluginManager : public QObject
{
    Q_OBJECT

public:
    PluginManager();
    ~PluginManager() override;

    static PluginManager *instance();

    // The object pool: objects that plug-ins offer to each other.
    static void addObject(QObject *obj);
    static void removeObject(QObject *obj);
    static QList<QObject *> allObjects();
    static QReadWriteLock *listLock();

    template <typename T>
    static QList<T *> getObjects()
    {
        QReadLocker lock(listLock());
        QList<T *> result;
        const QList<QObject *> objects = allObjects();
        for (QObject *obj : objects) {
            if (T *typed = qobject_cast<T *>(obj))
                result.append(typed);
        }
        return result;
    }

    // Settings are INI files: the user scope and, beside it, the system scope.
    // An empty path means the user's configuration folder; the environment
    // variable ZELTO_SETTINGS_PATH or the option -settingspath override it.
    static void setSettingsPath(const QString &path);
    static QString settingsPath();
    static QSettings *settings();
    static QSettings *globalSettings();

    // Command-line arguments that the host did not consume (files to open).
    static void setArguments(const QStringList &arguments);
    static QStringList arguments();

    // Plug-in discovery and lifecycle.
    static void setPluginPaths(const QStringList &paths);
    static QStringList pluginPaths();
    static void loadPlugins();
    static void shutdown();
    static bool hasError();
    static QStringList allErrors();
    static void setProfilingEnabled(bool enabled);

signals:
    void objectAdded(QObject *obj);
    void aboutToRemoveObject(QObject *obj);
    void pluginsChanged();
    void initializationDone();

private:
    PluginManagerPrivate *d;
};

} // namespace ExtensionSystem
