#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QLoggingCategory>

namespace ExtensionSystem {

/** The category of the start-up marks: "zelto.startup", debug level. */
EXTENSIONSYSTEM_EXPORT const QLoggingCategory &startupLog();

/**
 * Marks the steps between the start of main() and the idle event loop, so
 * that a slow start shows which step took the time. With the category
 * "zelto.startup" at debug level, each mark logs the time since start() and
 * since the previous mark; otherwise a mark costs one check of the category.
 * GUI thread only.
 */
class EXTENSIONSYSTEM_EXPORT StartupTimer
{
public:
    /** Starts the clock; main() calls it first thing. */
    static void start();

    /** The milliseconds since start(). */
    static double elapsedMs();

    /** Logs that @p step has just ended. */
    static void mark(const char *step);
};

} // namespace ExtensionSystem
