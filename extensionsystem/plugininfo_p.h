#pragma once

#include "extensionsystem/plugininfo.h"
#include "extensionsystem/plugindependency.h"

#include <QJsonObject>
#include <QString>
#include <QVector>

QT_BEGIN_NAMESPACE
class QPluginLoader;
QT_END_NAMESPACE

namespace ExtensionSystem {

class IPlugin;

// PluginInfo's state, out of the installed header; the plug-in manager fills it.
class PluginInfoPrivate
{
public:
    QString m_strName;
    QString m_strVersion;
    QString m_strCompatVersion;
    bool m_bRequired = false;
    QVector<PluginDependency> m_lstDependencies;
    QVector<PluginInfo *> m_lstDependencyInfos;
    QString m_strFilePath;
    QJsonObject m_metaData;
    PluginInfo::State m_state = PluginInfo::Invalid;
    bool m_bHasError = false;
    QString m_strError;
    // Owned: keeps the library loaded while the plug-in object lives.
    QPluginLoader *m_pLoader = nullptr;
    // Deleted by the manager at shutdown, before the loader goes.
    IPlugin *m_pPlugin = nullptr;
};

} // namespace ExtensionSystem
