#include "core/irecentfilesmanager.h"

#include "core/icore.h"

#include <QFileInfo>
#include <QSettings>

template class ISingleton<IRecentFilesManager>;

static const char kRecentProjectsKey[] = "Zelto/RecentProjects";

static QStringList readList()
{
    QSettings *pSettings = ICore::settings();
    return pSettings ? pSettings->value(QLatin1String(kRecentProjectsKey)).toStringList() : QStringList();
}

// Writes the list back and announces it when it differs from what was read.
static void storeList(IRecentFilesManager *pManager, const QStringList &lstBefore, const QStringList &lstAfter)
{
    if (QSettings *pSettings = ICore::settings())
        pSettings->setValue(QLatin1String(kRecentProjectsKey), lstAfter);
    if (lstAfter != lstBefore)
        emit pManager->recentFilesChanged();
}

void IRecentFilesManager::addFile(const QString &path)
{
    const QStringList lstBefore = readList();
    QStringList lstFiles = lstBefore;
    lstFiles.removeAll(path);
    lstFiles.prepend(path);
    while (lstFiles.size() > m_nMaxCount)
        lstFiles.removeLast();
    storeList(this, lstBefore, lstFiles);
}

void IRecentFilesManager::removeFile(const QString &path)
{
    const QStringList lstBefore = readList();
    QStringList lstFiles = lstBefore;
    lstFiles.removeOne(path);
    storeList(this, lstBefore, lstFiles);
}

void IRecentFilesManager::clear()
{
    storeList(this, readList(), QStringList());
}

int IRecentFilesManager::removeMissingFiles()
{
    const QStringList lstBefore = readList();
    QStringList lstFiles;
    for (const QString &strPath : lstBefore) {
        if (QFileInfo::exists(strPath))
            lstFiles.append(strPath);
    }
    storeList(this, lstBefore, lstFiles);
    return lstBefore.size() - lstFiles.size();
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
