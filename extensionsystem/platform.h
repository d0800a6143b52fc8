#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QString>

QT_BEGIN_NAMESPACE
class QFile;
QT_END_NAMESPACE

namespace ExtensionSystem {

/**
 * The few operations the application needs that Qt does not offer on every
 * platform; the rest of the code stays portable by calling these.
 */
class EXTENSIONSYSTEM_EXPORT Platform
{
public:
    enum OpenResult {
        Opened,           // the file is open for reading
        NotRegularFile,   // a folder, FIFO, device or socket; it was never opened
        OpenFailed        // the system refused; the error text says why
    };

    /**
     * Opens @p pFile (its file name set, links followed) for reading only when
     * it is a regular file. Unlike QFile::open it never blocks on a FIFO and
     * never opens a device, even when a regular file is swapped for one while
     * it runs. On OpenFailed, @p pError receives the system's reason.
     */
    static OpenResult openRegularFile(QFile *pFile, QString *pError);

    /** True when a process with the id @p nPid runs, whichever user it belongs to. */
    static bool isProcessRunning(qint64 nPid);

    /**
     * Makes SIGTERM and SIGINT end the event loop (QCoreApplication::exit(),
     * which, unlike quit(), asks no window to close first), so a process told
     * to end by the system or the terminal shuts down the usual way instead
     * of dying where it stands. A second signal while
     * it does so ends it at once. Signals the parent set to be ignored stay
     * ignored. Call once, after the application object exists; does nothing
     * where there are no such signals.
     */
    static void quitOnTerminationSignals();
};

} // namespace ExtensionSystem
