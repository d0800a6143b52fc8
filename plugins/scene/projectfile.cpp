#include "projectfile.h"

#include "extensionsystem/platform.h"

#include "core/documents/pathcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using ExtensionSystem::Platform;

Q_LOGGING_CATEGORY(lcProjectFile, "zelto.scene.file")

namespace {

// The permission bits of a file; the "User" flags of QFileDevice describe
// the current user's access, and setting them would set the owner's bits.
const QFileDevice::Permissions s_modeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                            | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

QString sizeText(qint64 nBytes)
{
    return QLocale().formattedDataSize(nBytes, 0, QLocale::DataSizeTraditionalFormat);
}

enum class Outcome {
    Read,
    Missing,
    NotRegular,
    TooLarge,
    Failed
};

Outcome readRegular(const QString &strFile, qint64 nMaxSize, QByteArray *pData, QString *pError)
{
    if (!QFileInfo::exists(strFile))
        return Outcome::Missing;
    QFile file(strFile);
    switch (Platform::openRegularFile(&file, pError)) {
    case Platform::Opened:
        break;
    case Platform::NotRegularFile:
        return Outcome::NotRegular;
    case Platform::OpenFailed:
        return Outcome::Failed;
    }
    // The size on disk first, then what actually arrives: a file may grow
    // while it is read. QIODevice::read(n) would reserve n bytes at once.
    if (file.size() > nMaxSize)
        return Outcome::TooLarge;
    QByteArray data;
    data.reserve(int(file.size()));
    char buffer[64 * 1024];
    qint64 nRead = 0;
    while (data.size() <= nMaxSize
           && (nRead = file.read(buffer, qMin(qint64(sizeof buffer), nMaxSize + 1 - data.size()))) > 0)
        data.append(buffer, int(nRead));
    if (data.size() > nMaxSize)
        return Outcome::TooLarge;
    if (nRead < 0) {
        *pError = file.errorString();
        return Outcome::Failed;
    }
    *pData = data;
    return Outcome::Read;
}

// Why a file was not read, for "Could not open %1: %2" and for the list of
// images left out.
QString problem(Outcome outcome, qint64 nMaxSize, const QString &strReason)
{
    switch (outcome) {
    case Outcome::Missing:
        return ProjectFile::tr("it does not exist");
    case Outcome::NotRegular:
        return ProjectFile::tr("it is not a regular file");
    case Outcome::TooLarge:
        return ProjectFile::tooLargeReason(nMaxSize);
    case Outcome::Failed:
        return strReason;
    case Outcome::Read:
        break;
    }
    return QString();
}

#ifdef Q_OS_UNIX
bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qint64 nLeft = data.size();
    while (nLeft > 0) {
        const ssize_t nWritten = ::write(fd, p, size_t(qMin<qint64>(nLeft, 1 << 20)));
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        p += nWritten;
        nLeft -= nWritten;
    }
    return true;
}

// Writes name in the folder strFolder (canonical) through a new temporary
// file that replaces it by its name. Everything is done relative to the
// folder's descriptor: once it is open, swapping the folder for a link does
// not move the write, and neither O_EXCL | O_NOFOLLOW on the temporary file
// nor renameat() ever follows a link. Returns 0 or the errno of the step
// that failed.
int writeInFolder(const QString &strFolder, const QByteArray &name, const QByteArray &data, bool *pReplacedLink)
{
    const int nFolder = ::open(QFile::encodeName(strFolder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (nFolder < 0)
        return errno;
    // A regular file in the place keeps its mode; a new one gets the umask's.
    mode_t mode = 0;
    struct stat existing;
    if (::fstatat(nFolder, name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        *pReplacedLink = S_ISLNK(existing.st_mode);
        if (S_ISREG(existing.st_mode))
            mode = existing.st_mode & 0777;
    }
    QByteArray temporary;
    int fd = -1;
    for (int nTry = 0; nTry < 100 && fd < 0; ++nTry) {
        temporary = '.' + name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::openat(nFolder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int nError = errno;
        ::close(nFolder);
        return nError;
    }
    int nError = 0;
    // Synced before the rename, so the name never points at a file whose
    // bytes are not on the disk yet.
    if (!writeAll(fd, data) || (mode != 0 && ::fchmod(fd, mode) != 0) || ::fsync(fd) != 0)
        nError = errno;
    if (::close(fd) != 0 && nError == 0)
        nError = errno;
    if (nError == 0 && ::renameat(nFolder, temporary.constData(), nFolder, name.constData()) != 0)
        nError = errno;
    if (nError != 0)
        ::unlinkat(nFolder, temporary.constData(), 0);
    ::close(nFolder);
    return nError;
}
#endif

} // namespace

bool ProjectFile::read(const QString &strFile, qint64 nMaxSize, QByteArray *pData, QString *pError)
{
    QString strReason;
    const Outcome outcome = readRegular(strFile, nMaxSize, pData, &strReason);
    if (outcome == Outcome::Read)
        return true;
    *pError = tr("Could not open %1: %2")
                  .arg(QDir::toNativeSeparators(strFile), problem(outcome, nMaxSize, strReason));
    return false;
}

bool ProjectFile::readInside(const QString &strFolder, const QString &strRef, qint64 nMaxSize, QByteArray *pData,
                             QString *pProblem)
{
    pProblem->clear();
    const QString strFile = QDir(strFolder).absoluteFilePath(strRef);
    const QFileInfo info(strFile);
    if (!info.exists())
        return false;
    if (!PathCheck::isInside(strFile, strFolder)) {
        *pProblem = tr("it leads outside the project folder");
        return false;
    }
    // The resolved path: a link inside the folder may not be swapped meanwhile
    // for one that leads out.
    QString strReason;
    const Outcome outcome = readRegular(info.canonicalFilePath(), nMaxSize, pData, &strReason);
    if (outcome == Outcome::Read)
        return true;
    if (outcome != Outcome::Missing)
        *pProblem = problem(outcome, nMaxSize, strReason);
    return false;
}

bool ProjectFile::write(const QString &strFile, const QByteArray &data, QString *pError)
{
    const QFileInfo existing(strFile);
    const bool bReplaces = existing.exists();
    const QFileDevice::Permissions permissions = existing.permissions() & s_modeBits;
    // QSaveFile refuses a file its user may not write. The user agreed to
    // replace it; for the moment of the write it is made writable.
    const bool bMadeWritable = bReplaces && !(permissions & QFileDevice::WriteOwner)
                               && QFile::setPermissions(strFile, permissions | QFileDevice::WriteOwner);

    // QSaveFile's own error text is often "Unknown error" (a short write on a
    // full disk sets none), so the system's error number is kept from the
    // step that failed.
    QSaveFile file(strFile);
    errno = 0;
    bool bWritten = file.open(QIODevice::WriteOnly);
    if (bWritten) {
        errno = 0;
        bWritten = file.write(data) == data.size();
    }
    if (bWritten) {
        errno = 0;
        bWritten = file.commit();
    }
    const int nErrno = errno;

    if (!bWritten) {
        if (bMadeWritable)
            QFile::setPermissions(strFile, permissions);
        QString strReason = systemReason(nErrno);
        if (strReason.isEmpty() && file.error() != QFileDevice::NoError)
            strReason = file.errorString();
        if (strReason.isEmpty())
            strReason = tr("the reason is unknown");
        *pError = tr("Could not write %1: %2").arg(QDir::toNativeSeparators(strFile), strReason);
        return false;
    }
    // QSaveFile gives the new file the old one's permissions, but keeps it
    // writable for its owner.
    if (bReplaces && (QFileInfo(strFile).permissions() & s_modeBits) != permissions)
        QFile::setPermissions(strFile, permissions);
    return true;
}

bool ProjectFile::writeOwn(const QString &strFile, const QByteArray &data, QString *pError)
{
    const QFileInfo info(strFile);
    bool bReplacedLink = false;
    int nErrno = 0;
#ifdef Q_OS_UNIX
    const QString strFolder = QFileInfo(info.absolutePath()).canonicalFilePath();
    nErrno = strFolder.isEmpty() ? ENOENT : writeInFolder(strFolder, QFile::encodeName(info.fileName()), data,
                                                          &bReplacedLink);
#else
    // Without descriptors relative to a folder the link is removed first;
    // QSaveFile would write to its target.
    if (info.isSymLink()) {
        if (!QFile::remove(strFile)) {
            *pError = tr("Could not write %1: %2").arg(QDir::toNativeSeparators(strFile), tr("permission denied"));
            return false;
        }
        bReplacedLink = true;
    }
    if (!write(strFile, data, pError))
        return false;
#endif
    if (nErrno != 0) {
        *pError = tr("Could not write %1: %2").arg(QDir::toNativeSeparators(strFile), systemReason(nErrno));
        return false;
    }
    if (bReplacedLink)
        qCWarning(lcProjectFile, "%s was a link; it was replaced by a file, and what it pointed to is unchanged.",
                  qUtf8Printable(QDir::toNativeSeparators(strFile)));
    return true;
}

QString ProjectFile::tooLargeReason(qint64 nMaxSize)
{
    return tr("it is larger than %1, the most Zelto Rideved reads").arg(sizeText(nMaxSize));
}

bool ProjectFile::isReadOnly(const QString &strFile)
{
    const QFileInfo info(strFile);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

QString ProjectFile::systemReason(int nErrno)
{
    switch (nErrno) {
    case 0:
        return QString();
    case ENOSPC:
        return tr("the disk is full");
#ifdef EDQUOT
    case EDQUOT:
        return tr("the disk quota is used up");
#endif
    case EACCES:
    case EPERM:
        return tr("permission denied");
    case EROFS:
        return tr("the file system is read-only");
    default:
        return qt_error_string(nErrno);
    }
}
