#include "extensionsystem/platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSocketNotifier>

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

Q_LOGGING_CATEGORY(lcPlatform, "zelto.extensionsystem.platform")

namespace ExtensionSystem {

#ifdef Q_OS_UNIX
namespace {

// Written by the signal handler, read by the event loop: a handler may do
// next to nothing, so the work happens where Qt runs.
int s_signalPipe[2] = {-1, -1};

void onTerminationSignal(int nSignal)
{
    const int nSavedErrno = errno;
    const char cSignal = char(nSignal);
    // Nothing to do when the pipe is full: a signal is waiting already.
    if (::write(s_signalPipe[1], &cSignal, 1) < 0) {
    }
    errno = nSavedErrno;
}

} // namespace
#endif

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

void Platform::quitOnTerminationSignals()
{
#ifdef Q_OS_UNIX
    if (s_signalPipe[0] >= 0 || !QCoreApplication::instance())
        return;
    if (::pipe(s_signalPipe) != 0) {
        qCWarning(lcPlatform, "Cannot watch for termination signals: %s", qUtf8Printable(qt_error_string(errno)));
        return;
    }
    for (int fd : s_signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto *pNotifier = new QSocketNotifier(s_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(pNotifier, &QSocketNotifier::activated, QCoreApplication::instance(), [] {
        char cSignal = 0;
        while (::read(s_signalPipe[0], &cSignal, 1) > 0)
            qCInfo(lcPlatform, "Ending on signal %d.", int(cSignal));
        // Not quit(): since Qt 6 that asks every window to close first, and
        // a window may ask a question that nobody is there to answer.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the next one gets the default action, which ends the
    // process even when the shutdown hangs.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int nSignal : {SIGTERM, SIGINT}) {
        struct sigaction previous = {};
        if (::sigaction(nSignal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(nSignal, &action, nullptr);
    }
#endif
}

} // namespace ExtensionSystem
