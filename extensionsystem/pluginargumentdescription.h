#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QString>

namespace ExtensionSystem {

/**
 * A command-line option a plug-in declares, one entry of the "Arguments"
 * array of its metadata:
 *
 * @code{.json}
 * "Arguments" : [
 *     { "Name" : "-export", "Parameter" : "PROJECT PAGE",
 *       "Description" : "Write the HTML5 page of PROJECT to PAGE and exit",
 *       "WithoutWindow" : true }
 * ]
 * @endcode
 *
 * `zelto -help` lists every plug-in's options, and `zelto` refuses an option
 * that neither it nor a plug-in declares. The host hands a plug-in its
 * options, each with its parameters, at the front of the arguments of
 * IPlugin::initialize(). An option marked "WithoutWindow" runs instead of
 * the application: see IWindowlessCommand. Passed by value.
 */
struct EXTENSIONSYSTEM_EXPORT PluginArgumentDescription
{
    QString name;          ///< The option with its leading "-", such as "-export".
    QString parameter;     ///< What follows it, one word per command-line argument ("PROJECT PAGE"); empty for none.
    QString description;   ///< One line for `zelto -help`.
    bool withoutWindow = false;   ///< "WithoutWindow": the option runs on its own, with no window and no display.
    QString pluginName;    ///< The "Name" of the plug-in that declares it.

    /** How many command-line arguments follow the option: the words of the parameter. */
    int parameterCount() const;
};

} // namespace ExtensionSystem
