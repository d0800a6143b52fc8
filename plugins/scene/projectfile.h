#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The file-system side of a project. Reading never blocks on, and is never
// led by a link to, anything but a regular file, and stops at a size limit
// before it reads; writing replaces a file in one step, keeps its permissions
// and, when it fails, says why in the system's words.
class ProjectFile
{
    Q_DECLARE_TR_FUNCTIONS(ProjectFile)

public:
    // Larger files are refused before they are read.
    static constexpr qint64 s_nMaxProjectSize = qint64(512) * 1024 * 1024;
    static constexpr qint64 s_nMaxImageSize = qint64(64) * 1024 * 1024;

    // Reads a file the user named: a regular file (a link to one is fine) of
    // at most nMaxSize bytes.
    static bool read(const QString &strFile, qint64 nMaxSize, QByteArray *pData, QString *pError);
    // Reads strRef ("images/<name>") of the project in strFolder, but only a
    // regular file that lies inside the folder once links are resolved. False
    // with an empty *pProblem when there is no such file, with the reason
    // when the file was refused.
    static bool readInside(const QString &strFolder, const QString &strRef, qint64 nMaxSize, QByteArray *pData,
                           QString *pProblem);
    // Writes data to strFile, a file the user named, in one step (QSaveFile):
    // a failure leaves the old file as it was. A link the user made is
    // written through to its target. A replaced file keeps its permissions,
    // a read-only one included: callers ask the user before they replace one
    // (isReadOnly).
    static bool write(const QString &strFile, const QByteArray &data, QString *pError);
    // Writes data to strFile, a file whose name the application chose (a
    // backup, an image), in one step and never through a link: whoever may
    // write in the folder could have put one there. A link in its place is
    // replaced, its target left alone, with a warning in the log. The folder
    // itself is taken with its links followed, but is not swapped for a link
    // while the file is written. A replaced regular file keeps its
    // permissions.
    static bool writeOwn(const QString &strFile, const QByteArray &data, QString *pError);
    // The reason given for a file larger than nMaxSize bytes.
    static QString tooLargeReason(qint64 nMaxSize);
    // Whether strFile exists and its owner may not write it.
    static bool isReadOnly(const QString &strFile);
    // The reason a write failed with the system error nErrno, as the user
    // reads it; empty for 0.
    static QString systemReason(int nErrno);
};
