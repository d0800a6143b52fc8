#include "core/documents/pathcheck.h"

#include <QDir>
#include <QFileInfo>

bool PathCheck::isInside(const QString &strPath, const QString &strFolder)
{
    const QFileInfo folder(strFolder);
    if (!folder.isDir())
        return false;
    const QString strCanonicalFolder = folder.canonicalFilePath();
    const QString strCanonicalPath = QFileInfo(strPath).canonicalFilePath();
    if (strCanonicalFolder.isEmpty() || strCanonicalPath.isEmpty())
        return false;
    // Relative to the folder, a path inside starts with neither ".." nor a
    // root; comparing prefixes would take "/app2" for a part of "/app".
    const QString strRelative = QDir(strCanonicalFolder).relativeFilePath(strCanonicalPath);
    return strRelative != QLatin1String(".") && strRelative != QLatin1String("..")
           && !strRelative.startsWith(QLatin1String("../")) && !QDir::isAbsolutePath(strRelative);
}
