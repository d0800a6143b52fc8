#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QList>
#include <QObject>
#include <QReadLocker>
#include <QReadWriteLock>
#include <QStringList>
#include <QVector>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

namespace ExtensionSystem {

class PluginManagerPrivate;
class PluginInfo;

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

    // Plug-in discovery and lifecycle. loadPlugins() reads every library in
    // the plug-in folders whose Qt metadata carries our interface identifier,
    // orders them by their dependencies, loads and constructs them, calls
    // initialize() in that order and extensionsInitialized() in reverse, and
    // schedules lateInitialize() on the event loop. shutdown() calls
    // aboutToShutdown() and deletes the plug-ins in reverse order.
    static void setPluginPaths(const QStringList &paths);
    static QStringList pluginPaths();
    static void loadPlugins();
    static void shutdown();
    static bool hasError();
    // One message per failure, naming the plug-in, its file and the reason.
    static QStringList allErrors();
    // A plug-in marked "Required" failed: start-up stopped there.
    static bool hasFatalError();
    static QString fatalErrorString();
    // Prints how long each plug-in took in each lifecycle step.
    static void setProfilingEnabled(bool enabled);
    static bool isProfilingEnabled();

    // Every discovered plug-in, in discovery order; and the same in the order
    // they are loaded (dependencies first). Owned by the manager.
    static QVector<PluginInfo *> plugins();
    static QVector<PluginInfo *> loadQueue();
    static PluginInfo *pluginByName(const QString &name);
    // True between the end of loadPlugins() and shutdown().
    static bool isRunning();
    // Asks the host to start the application again, with the same executable
    // and arguments, once this run has ended. The caller ends the run (after
    // the user's projects and settings went through the normal close).
    static void requestRestart();
    static bool isRestartRequested();

    // Passes the command line of a second instance to every running plug-in's
    // secondInstanceCommand(). Commands that arrive during start-up wait until
    // the plug-ins run.
    static void handleSecondInstance(const QStringList &options, const QString &workingDirectory,
                                     const QStringList &arguments);

signals:
    void objectAdded(QObject *obj);
    void aboutToRemoveObject(QObject *obj);
    void pluginsChanged();
    // Every running plug-in has had its lateInitialize().
    void initializationDone();

private:
    friend class PluginManagerPrivate;
    PluginManagerPrivate *d;
};

} // namespace ExtensionSystem
