#include "extensionsystem/platform.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <qt_windows.h>
#endif

namespace ExtensionSystem {

Platform::OpenResult Platform::openRegularFile(QFile *pFile, QString *pError)
{
#ifdef Q_OS_UNIX
    // Opening a device can have effects of its own, so it is looked at first;
    // the descriptor is checked again in case the file was swapped meanwhile,
    // and O_NONBLOCK keeps a FIFO swapped in from blocking the open.
    const QByteArray path = QFile::encodeName(pFile->fileName());
    struct stat before;
    if (::stat(path.constData(), &before) != 0) {
        *pError = qt_error_string(errno);
        return OpenFailed;
    }
    if (!S_ISREG(before.st_mode))
        return NotRegularFile;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *pError = qt_error_string(errno);
        return OpenFailed;
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev
        || opened.st_ino != before.st_ino) {
        ::close(fd);
        return NotRegularFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!pFile->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *pError = pFile->errorString();
        return OpenFailed;
    }
    return Opened;
#else
    if (QFileInfo(pFile->fileName()).exists() && !QFileInfo(pFile->fileName()).isFile())
        return NotRegularFile;
    if (!pFile->open(QIODevice::ReadOnly)) {
        *pError = pFile->errorString();
        return OpenFailed;
    }
    return Opened;
#endif
}

bool Platform::isProcessRunning(qint64 nPid)
{
    if (nPid <= 0)
        return false;
#ifdef Q_OS_UNIX
    // A larger number would wrap into a process group's.
    if (nPid > std::numeric_limits<pid_t>::max())
        return false;
    // Signal 0 only checks; a process of another user answers EPERM.
    return ::kill(pid_t(nPid), 0) == 0 || errno == EPERM;
#elif defined(Q_OS_WIN)
    const HANDLE hProcess = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(nPid));
    if (!hProcess)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD nExitCode = 0;
    const bool bRunning = ::GetExitCodeProcess(hProcess, &nExitCode) && nExitCode == STILL_ACTIVE;
    ::CloseHandle(hProcess);
    return bRunning;
#else
    return true;   // unknown: never treat a process as gone
#endif
}

} // namespace ExtensionSystem
