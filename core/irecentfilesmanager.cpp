#include "core/irecentfilesmanager.h"

#include "core/icore.h"

#include <QSettings>

template class ISingleton<IRecentFilesManager>;

static const char kRecentProjectsKey[] = "Zelto/RecentProjects";

static QStringList readList()
{
    QSettings *pSettings = ICore::settings();
    return pSettings ? pSettings->value(QLatin1String(kRecentProjectsKey)).toStringList() : QStringList();
}

static void writeList(const QStringList &lstFiles)
{
    if (QSettings *pSettings = ICore::settings())
        pSettings->setValue(QLatin1String(kRecentProjectsKey), lstFiles);
}

void IRecentFilesManager::addFile(const QString &path)
{
    QStringList lstFiles = readList();
    lstFiles.removeAll(path);
    lstFiles.prepend(path);
    while (lstFiles.size() > m_nMaxCount)
        lstFiles.removeLast();
    writeList(lstFiles);
}

void IRecentFilesManager::removeFile(const QString &path)
{
    QStringList lstFiles = readList();
    lstFiles.removeOne(path);
    writeList(lstFiles);
}

QStringList IRecentFilesManager::getRecentFiles()
{
    const QStringList lstFiles = readList().mid(0, m_nMaxCount);
    m_nCount = lstFiles.size();
    return lstFiles;
}

int IRecentFilesManager::getMaxCount()
{
    return m_nMaxCount;
}

int IRecentFilesManager::getCount()
{
    return m_nCount;
}
