#pragma once

#include "extensionsystem/extensionsystem_global.h"
#include "extensionsystem/pluginargumentdescription.h"
#include "extensionsystem/plugindependency.h"

#include <QJsonObject>
#include <QString>
#include <QVector>

#include <memory>

QT_BEGIN_NAMESPACE
class QPluginLoader;
QT_END_NAMESPACE

namespace ExtensionSystem {

class IPlugin;
class PluginInfoPrivate;
class PluginManagerPrivate;

/**
 * What the host knows about one discovered plug-in file: its metadata, how
 * far through the lifecycle it got, and why it stopped if it failed.
 *
 * Owned by the PluginManager, which creates the records in
 * PluginManager::loadPlugins(); valid until the manager is destroyed. Read-only
 * for plug-ins; GUI thread.
 */
class EXTENSIONSYSTEM_EXPORT PluginInfo
{
public:
    /** The states in the order a healthy plug-in passes through them. A failed plug-in stays where it failed. */
    enum State {
        Invalid,      ///< The metadata could not be read.
        Read,         ///< The metadata was read.
        Resolved,     ///< Every dependency was found in a compatible version.
        Loaded,       ///< The library is loaded and the plug-in object constructed.
        Initialized,  ///< IPlugin::initialize() succeeded.
        Running,      ///< IPlugin::extensionsInitialized() was called.
        Stopped,      ///< IPlugin::aboutToShutdown() was called.
        Deleted       ///< The plug-in object was destroyed.
    };

    /** Releases the plug-in loader; the manager deletes the plug-in object before. */
    ~PluginInfo();

    /** The plug-in's "Name". */
    QString name() const;
    /** The plug-in's "Version", dotted numbers such as "1.0.0". */
    QString version() const;
    /** The oldest version this one can stand in for ("CompatVersion"; "Version" when absent). */
    QString compatVersion() const;
    /** Whether the metadata says "Required": true, so its failure stops start-up. */
    bool isRequired() const;
    /** The plug-in's "Dependencies", in metadata order. */
    QVector<PluginDependency> dependencies() const;
    /** The command-line options the plug-in declares ("Arguments"), in metadata order. */
    QVector<PluginArgumentDescription> argumentDescriptions() const;
    /** The absolute path of the plug-in's library. */
    QString filePath() const;
    /** The "MetaData" object of the plug-in's Qt metadata, as written. */
    QJsonObject metaData() const;

    /** How far through the lifecycle the plug-in got. */
    State state() const;
    /** True when the plug-in failed; errorString() says why. */
    bool hasError() const;
    /** The first reason the plug-in failed, or an empty string. */
    QString errorString() const;

    /** The plug-in object while it exists (from Loaded until Deleted), else nullptr; owned by the host. */
    IPlugin *plugin() const;

    /** The records of the dependencies, once resolved, in metadata order. */
    QVector<PluginInfo *> dependencyInfos() const;

    /**
     * True when this is the plug-in @p name and @p version lies within
     * [compatVersion(), version()], i.e. a dependent written against
     * @p version works with this one. An empty @p version accepts any.
     */
    bool provides(const QString &name, const QString &version) const;

    /**
     * Compares dotted numeric versions ("1.2.10" > "1.2.9"); missing parts
     * count as 0.
     *
     * @return a negative number, 0 or a positive number as @p left is older
     *         than, equal to or newer than @p right
     */
    static int versionCompare(const QString &left, const QString &right);
    /** True for one to four dot-separated decimal numbers, such as "1", "1.0" or "2.0.1.7". */
    static bool isValidVersion(const QString &version);

private:
    friend class PluginManagerPrivate;
    PluginInfo();

    bool readMetaData(const QString &filePath, const QJsonObject &qtMetaData, QString *errorString);
    void setError(const QString &message);

    std::unique_ptr<PluginInfoPrivate> d;
};

} // namespace ExtensionSystem
