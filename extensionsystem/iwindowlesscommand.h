#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace ExtensionSystem {

/**
 * What a plug-in implements, besides IPlugin, to run a command-line option
 * its metadata marks "WithoutWindow" (see PluginArgumentDescription), such as
 * turning a file into another on a build server.
 *
 * For such an option `zelto` starts no window and needs no display (it
 * chooses Qt's offscreen platform itself), never talks to a running instance
 * and loads no other plug-in: it makes the object of the plug-in that declares
 * the option, without calling IPlugin::initialize() on it or on the plug-ins
 * it depends on, calls runWithoutWindow() and ends with its result. So the
 * command may use the plug-in's own classes and Qt, not the core's main window
 * or registries.
 *
 * @code
 * class ScenePlugin : public ExtensionSystem::IPlugin, public ExtensionSystem::IWindowlessCommand
 * {
 *     Q_OBJECT
 *     Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "scene.json")
 *     Q_INTERFACES(ExtensionSystem::IWindowlessCommand)
 *     ...
 * };
 * @endcode
 */
class EXTENSIONSYSTEM_EXPORT IWindowlessCommand
{
public:
    /** Nothing to release; the plug-in object owns what it made. */
    virtual ~IWindowlessCommand();

    /**
     * Runs @p option, one of the plug-in's options marked "WithoutWindow",
     * with its @p parameters (as many as the option declares). GUI thread, no
     * event loop running; the plug-in object is deleted afterwards.
     *
     * @return true for success (`zelto` exits with 0); false with a message
     *         naming what failed and why in @p errorString (`zelto` writes it
     *         to stderr and exits with 1)
     */
    virtual bool runWithoutWindow(const QString &option, const QStringList &parameters, QString *errorString) = 0;
};

} // namespace ExtensionSystem

/** The interface identifier of IWindowlessCommand, for Q_INTERFACES. */
#define ZELTO_WINDOWLESS_COMMAND_IID "com.PELUM.Zelto.WindowlessCommand/1.0"
Q_DECLARE_INTERFACE(ExtensionSystem::IWindowlessCommand, ZELTO_WINDOWLESS_COMMAND_IID)
