#pragma once

#include "extensionsystem/extensionsystem_global.h"
#include "extensionsystem/plugindependency.h"

#include <QJsonObject>
#include <QString>
#include <QVector>

QT_BEGIN_NAMESPACE
class QPluginLoader;
QT_END_NAMESPACE

namespace ExtensionSystem {

class IPlugin;
class PluginManagerPrivate;

// What the host knows about one discovered plug-in file: its metadata, how
// far through the lifecycle it got, and why it stopped if it failed. Owned by
// the plug-in manager; valid until the manager is destroyed.
class EXTENSIONSYSTEM_EXPORT PluginInfo
{
public:
    // The states in the order a healthy plug-in passes through them.
    enum State {
        Invalid,      // metadata could not be read
        Read,         // metadata read
        Resolved,     // every dependency found in a compatible version
        Loaded,       // library loaded and plug-in object constructed
        Initialized,  // initialize() succeeded
        Running,      // extensionsInitialized() called
        Stopped,      // aboutToShutdown() called
        Deleted       // plug-in object destroyed
    };

    ~PluginInfo();

    QString name() const { return m_strName; }
    QString version() const { return m_strVersion; }
    QString compatVersion() const { return m_strCompatVersion; }
    bool isRequired() const { return m_bRequired; }
    QVector<PluginDependency> dependencies() const { return m_lstDependencies; }
    QString filePath() const { return m_strFilePath; }
    // The "MetaData" object of the plug-in's Qt metadata, as written.
    QJsonObject metaData() const { return m_metaData; }

    State state() const { return m_state; }
    bool hasError() const { return m_bHasError; }
    QString errorString() const { return m_strError; }

    // The plug-in object while it exists (from Loaded until Deleted).
    IPlugin *plugin() const { return m_pPlugin; }

    // The plugins of the dependencies, once resolved, in metadata order.
    QVector<PluginInfo *> dependencyInfos() const { return m_lstDependencyInfos; }

    // True when `version` lies within [compatVersion, version] of this plug-in,
    // i.e. a dependent written against `version` works with this one.
    bool provides(const QString &name, const QString &version) const;

    // Compares dotted numeric versions ("1.2.10" > "1.2.9"); missing parts
    // count as 0. Returns <0, 0 or >0.
    static int versionCompare(const QString &left, const QString &right);
    static bool isValidVersion(const QString &version);

private:
    friend class PluginManagerPrivate;
    PluginInfo();

    bool readMetaData(const QString &filePath, const QJsonObject &qtMetaData, QString *errorString);
    void setError(const QString &message);

    QString m_strName;
    QString m_strVersion;
    QString m_strCompatVersion;
    bool m_bRequired = false;
    QVector<PluginDependency> m_lstDependencies;
    QVector<PluginInfo *> m_lstDependencyInfos;
    QString m_strFilePath;
    QJsonObject m_metaData;
    State m_state = Invalid;
    bool m_bHasError = false;
    QString m_strError;
    // Owned: keeps the library loaded while the plug-in object lives.
    QPluginLoader *m_pLoader = nullptr;
    // Deleted by the manager at shutdown, before the loader goes.
    IPlugin *m_pPlugin = nullptr;
};

} // namespace ExtensionSystem
