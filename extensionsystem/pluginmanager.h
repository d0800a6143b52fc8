#pragma once

#include "extensionsystem/extensionsystem_global.h"
#include "extensionsystem/pluginargumentdescription.h"

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

/**
 * The plug-in host. One instance per process, created by the executable (or
 * by a test) before anything asks for settings, arguments or the object pool.
 *
 * Plug-ins use its static operations; every one of them needs the instance to
 * exist. GUI thread only, except the object pool, which is guarded by
 * listLock().
 */
class EXTENSIONSYSTEM_EXPORT PluginManager : public QObject
{
    Q_OBJECT

public:
    /** Creates the host and makes it the process's instance. */
    PluginManager();
    /** Shuts the plug-ins down if shutdown() was not called, and deletes them and their records. */
    ~PluginManager() override;

    /** The one host, or nullptr before it is created and after it is destroyed. */
    static PluginManager *instance();

    /**
     * Puts @p obj into the object pool and emits objectAdded(). A null object
     * or one already in the pool is ignored.
     *
     * The pool does not own the object: whoever adds it removes it with
     * removeObject() before deleting it, at the latest in its plug-in's
     * aboutToShutdown(). Any thread.
     */
    static void addObject(QObject *obj);
    /**
     * Takes @p obj out of the object pool, emitting aboutToRemoveObject()
     * first. Objects that are not in the pool are ignored; nothing is deleted.
     */
    static void removeObject(QObject *obj);
    /**
     * A copy of the object pool, in the order the objects were added. Read it
     * under a read lock of listLock() when other threads may change the pool.
     */
    static QList<QObject *> allObjects();
    /** The lock that guards the object pool; owned by the host. */
    static QReadWriteLock *listLock();

    /**
     * The objects of the pool that are a @p T (by qobject_cast), in pool
     * order, read under listLock(). Document factories are found this way:
     * `PluginManager::getObjects<IDocumentFactory>()`.
     */
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

    /**
     * Sets the folder the settings files live in (inside its "PELUM"
     * subfolder). An empty @p path means the user's configuration folder,
     * or ZELTO_SETTINGS_PATH when that is set. Takes effect for settings
     * objects not created yet, so call it before the first settings().
     */
    static void setSettingsPath(const QString &path);
    /** The folder the settings files live in, as setSettingsPath() describes. */
    static QString settingsPath();
    /**
     * The user settings, `<settingsPath()>/PELUM/ZeltoRideved.ini`, created on
     * first use. Owned by the host; never delete it. Plug-ins normally reach it
     * through ICore::settings().
     */
    static QSettings *settings();
    /** The system-scope settings, `ZeltoRideved-system.ini` beside settings(); owned by the host. */
    static QSettings *globalSettings();

    /** Sets the command-line arguments the host did not consume; the executable does this. */
    static void setArguments(const QStringList &arguments);
    /** The command-line arguments the host did not consume: the files to open. */
    static QStringList arguments();

    /**
     * Sets the plug-ins' command-line options, each followed by its
     * parameters, in command-line order; the executable does this. Each
     * plug-in gets the options it declares (PluginInfo::argumentDescriptions())
     * at the front of the arguments of IPlugin::initialize(), before the files.
     */
    static void setPluginOptions(const QStringList &options);
    /** The plug-ins' options set with setPluginOptions(). */
    static QStringList pluginOptions();
    /**
     * The command-line options the plug-ins in the folders @p paths declare,
     * read from their metadata without loading them, folder by folder in
     * file-name order. Needs no host and works before the application object
     * exists, which an option that runs without the window needs to know. A
     * library whose metadata is not valid declares nothing.
     */
    static QVector<PluginArgumentDescription> argumentDescriptions(const QStringList &paths);
    /**
     * Runs @p option with its @p parameters instead of the application: the
     * plug-in in pluginPaths() that declares the option "WithoutWindow" is
     * made and its IWindowlessCommand::runWithoutWindow() called. Neither it
     * nor any other plug-in is initialised; shutdown() deletes it. Excludes
     * loadPlugins() in the same run.
     *
     * @return the command's result; false with the reason in @p errorString
     *         also when no plug-in runs the option or it cannot be loaded
     */
    static bool runWithoutWindow(const QString &option, const QStringList &parameters, QString *errorString);

    /** Sets the folders loadPlugins() reads, in order; the executable passes `<app>/plugins` or the -pluginpath options. */
    static void setPluginPaths(const QStringList &paths);
    /** The folders loadPlugins() reads. */
    static QStringList pluginPaths();
    /**
     * Discovers, orders, loads and starts the plug-ins; only the first call does anything.
     *
     * It reads every library in the plug-in folders whose Qt metadata carries
     * #ZELTO_PLUGIN_IID (without loading it), resolves the dependencies, orders
     * the plug-ins dependencies first (within a folder in file-name order),
     * loads and constructs them, calls IPlugin::initialize() in that order and
     * IPlugin::extensionsInitialized() in reverse, and schedules
     * IPlugin::lateInitialize() on the event loop.
     *
     * A plug-in that fails is recorded (allErrors()) and the plug-ins that
     * depend on it are skipped; the others go on. A failing plug-in marked
     * "Required" stops start-up at once (hasFatalError()).
     */
    static void loadPlugins();
    /**
     * Calls IPlugin::aboutToShutdown() on every running plug-in and then
     * deletes them, both in the reverse of the load order. Waits up to ten
     * seconds for plug-ins that shut down asynchronously. Only the first call
     * does anything.
     */
    static void shutdown();
    /** True when any plug-in failed; see allErrors(). */
    static bool hasError();
    /** One message per failure, naming the plug-in, its file and the reason. */
    static QStringList allErrors();
    /** A plug-in marked "Required" failed: start-up stopped there. */
    static bool hasFatalError();
    /** The message of the failure that stopped start-up, or an empty string. */
    static QString fatalErrorString();
    /** Prints how long each plug-in took in each lifecycle step (the -profile option). */
    static void setProfilingEnabled(bool enabled);
    /** Whether setProfilingEnabled() switched the timings on. */
    static bool isProfilingEnabled();

    /**
     * Every discovered plug-in, in discovery order. The records are owned by
     * the host and valid until it is destroyed.
     */
    static QVector<PluginInfo *> plugins();
    /** The plug-ins in the order they are loaded (dependencies first); owned by the host. */
    static QVector<PluginInfo *> loadQueue();
    /** The record of the plug-in named @p name, or nullptr when there is none. */
    static PluginInfo *pluginByName(const QString &name);
    /** True between the end of loadPlugins() and shutdown(). */
    static bool isRunning();
    /**
     * Asks the host to start the application again, with the same executable
     * and arguments, once this run has ended. The caller ends the run itself,
     * after the user's projects and settings went through the normal close.
     * GUI thread only.
     */
    static void requestRestart();
    /** True once requestRestart() was called in this run. */
    static bool isRestartRequested();

    /**
     * Passes the command line of a second instance to every running plug-in's
     * IPlugin::secondInstanceCommand(), in load order. Commands that arrive
     * during start-up wait until the plug-ins run; after shutdown() they are
     * dropped.
     */
    static void handleSecondInstance(const QStringList &options, const QString &workingDirectory,
                                     const QStringList &arguments);

signals:
    /** @p obj was put into the object pool; emitted after the pool holds it. */
    void objectAdded(QObject *obj);
    /** @p obj is about to leave the object pool; emitted while the pool still holds it. */
    void aboutToRemoveObject(QObject *obj);
    /** The list of discovered plug-ins changed; emitted once loadPlugins() has read and ordered them. */
    void pluginsChanged();
    /** Every running plug-in has had its lateInitialize(). */
    void initializationDone();

private:
    friend class PluginManagerPrivate;
    PluginManagerPrivate *d;
};

} // namespace ExtensionSystem
