#pragma once

#include "core/core_global.h"
#include "core/isingleton.h"

#include <QObject>
#include <QString>
#include <QStringList>

class IRecentFilesManager;
// The singleton's statics are instantiated once, in irecentfilesmanager.cpp.
// The list is the core's own business (menu, welcome page, file commands), so
// neither it nor the class is exported to other plug-ins.
extern template class ISingleton<IRecentFilesManager>;

// The projects the user opened, created or saved under a new name, most
// recent first. The list lives only in the user settings and is read afresh
// by every operation, so the menu, the welcome page and the documents always
// see each other's changes; recentFilesChanged() tells the views to show them.
class IRecentFilesManager : public QObject, public ISingleton<IRecentFilesManager>
{
    Q_OBJECT

public:
    void addFile(const QString &path);
    void removeFile(const QString &path);
    void clear();
    // Drops every entry whose file is no longer there; returns how many went.
    int removeMissingFiles();
    QStringList getRecentFiles();
    int getMaxCount();
    int getCount();

signals:
    // After every change of the stored list (addFile, removeFile, clear,
    // removeMissingFiles), whoever made it.
    void recentFilesChanged();

private:
    friend class ISingleton<IRecentFilesManager>;
    IRecentFilesManager() = default;

    int m_nMaxCount = 10;
    int m_nCount = 0;   // entries returned by the last getRecentFiles()
};
