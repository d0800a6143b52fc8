#pragma once

/**
 * @file
 * The plug-in base class and the interface identifier plug-ins carry.
 */

#include "extensionsystem/extensionsystem_global.h"

#include <QObject>
#include <QStringList>
#include <QVector>

/**
 * The plug-in host: plug-in discovery, the lifecycle, settings, arguments and
 * the object pool through which plug-ins offer objects to each other.
 */
namespace ExtensionSystem {

/**
 * Base class of every plug-in.
 *
 * The host calls the virtual operations in the order they are declared:
 * initialize(), extensionsInitialized(), lateInitialize(), and
 * aboutToShutdown() at the end; secondInstanceCommand() whenever another
 * instance hands over its command line. The class carries Qt plug-in metadata
 * with the interface identifier #ZELTO_PLUGIN_IID and a JSON file naming the
 * plug-in, its version and its dependencies (see @ref lifecycle).
 *
 * The host creates the plug-in object when it loads the library and deletes it
 * after aboutToShutdown(), in the reverse of the load order; the library stays
 * loaded until the process ends. Everything runs on the GUI thread.
 */
class EXTENSIONSYSTEM_EXPORT IPlugin : public QObject
{
    Q_OBJECT

public:
    /** How a plug-in finishes aboutToShutdown(). */
    enum ShutdownFlag {
        SynchronousShutdown = 0,   ///< Done when aboutToShutdown() returns.
        AsynchronousShutdown = 1   ///< Still working; emits asynchronousShutdownFinished() when done.
    };

    /** Constructs the plug-in; the host does this when it loads the library. Keep it cheap. */
    IPlugin();
    /** Destroys the plug-in; the host does this after every plug-in's aboutToShutdown(). */
    ~IPlugin() override;

    /**
     * Sets the plug-in up, after every plug-in it depends on was initialised.
     *
     * The core plug-in's main window and registries exist by the time a plug-in
     * that depends on "core" gets here. @p arguments are the command-line
     * arguments the host did not consume (the files to open).
     *
     * @return false on failure, with a reason for the user in @p errorString;
     *         the plug-ins that depend on this one are then skipped, and when
     *         the metadata says "Required", start-up stops.
     */
    virtual bool initialize(const QStringList &arguments, QString *errorString) = 0;
    /**
     * Called after every plug-in was initialised, in the reverse order: the
     * plug-ins that depend on this one have run their initialize() and
     * extensionsInitialized() already. The place to use what they registered.
     */
    virtual void extensionsInitialized() = 0;
    /**
     * Called once from the event loop after start-up, one plug-in per pass,
     * for work that can wait until the window is shown.
     *
     * @return false to have the failure logged and listed in
     *         PluginManager::allErrors(); the plug-in keeps running. The default
     *         does nothing and returns true.
     */
    virtual bool lateInitialize();
    /**
     * Called once at shutdown, in the reverse of the load order, while every
     * plug-in still exists. Unregister what you put into shared registries here.
     *
     * @return SynchronousShutdown (the default), or AsynchronousShutdown when the
     *         plug-in will emit asynchronousShutdownFinished() later; the host
     *         waits for that at most ten seconds.
     */
    virtual ShutdownFlag aboutToShutdown();
    /**
     * Receives the command line of a second `zelto` started with the same
     * settings folder: its unknown @p options, its @p workingDirectory and its
     * file @p arguments (relative to @p workingDirectory). Commands that arrive
     * during start-up are delivered once every plug-in runs.
     *
     * @return an object the caller may use to follow the request, or nullptr
     *         (the default); the host does not take ownership and ignores it.
     */
    virtual QObject *secondInstanceCommand(const QStringList &options,
                                           const QString &workingDirectory,
                                           const QStringList &arguments);
    /**
     * Objects holding the plug-in's own tests. The host does not call it; the
     * default returns an empty list.
     */
    virtual QVector<QObject *> createTestObjects() const;

signals:
    /** Emitted by a plug-in whose aboutToShutdown() returned AsynchronousShutdown, once it is done. */
    void asynchronousShutdownFinished();
};

} // namespace ExtensionSystem

/** The interface identifier every plug-in names in Q_PLUGIN_METADATA; the host ignores other libraries. */
#define ZELTO_PLUGIN_IID "com.PELUM.Zelto.Plugin"
