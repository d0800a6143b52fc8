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
};

} // namespace ExtensionSystem
