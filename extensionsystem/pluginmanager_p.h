#pragma once

#include "extensionsystem/plugininfo.h"

#include <QList>
#include <QReadWriteLock>
#include <QStringList>
#include <QTimer>
#include <QVector>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

namespace ExtensionSystem {

class PluginManager;

// The host's private state and the steps of discovery and the lifecycle.
class PluginManagerPrivate
{
public:
    struct SecondInstanceCommand
    {
        QStringList options;
        QString workingDirectory;
        QStringList arguments;
    };

    explicit PluginManagerPrivate(PluginManager *q);
    ~PluginManagerPrivate();

    QString settingsFolder() const;

    // The libraries in the plug-in folders, folder by folder in file-name order.
    static QStringList libraryFiles(const QStringList &lstPaths, bool bWarnMissing);
    static QVector<PluginArgumentDescription> readArgumentDescriptions(const QStringList &lstPaths);
    // The options of m_lstPluginOptions, with their parameters, that pInfo declares.
    QStringList optionsOf(const PluginInfo *pInfo) const;

    bool runWithoutWindow(const QString &option, const QStringList &parameters, QString *errorString);

    void readPlugins();
    void resolveDependencies();
    QVector<PluginInfo *> orderByDependencies();
    bool visit(PluginInfo *pInfo, QVector<PluginInfo *> &order, QVector<PluginInfo *> &path);

    bool loadPlugin(PluginInfo *pInfo);
    bool initializePlugin(PluginInfo *pInfo);
    void extensionsInitialized(PluginInfo *pInfo);
    void nextLateInitialize();
    void deliverSecondInstanceCommands();
    void shutdown();

    // Records a failure of `pInfo`, logs it, and marks start-up as failed when
    // the plug-in is required.
    void fail(PluginInfo *pInfo, const QString &reason);
    // A dependency of `pInfo` failed: `pInfo` is skipped with a message.
    bool dependenciesHealthy(PluginInfo *pInfo);
    void profile(const PluginInfo *pInfo, const char *step, qint64 elapsedMs);

    PluginManager *q;

    QList<QObject *> m_lstObjects;
    QReadWriteLock m_lock;
    QString m_strSettingsPath;
    QSettings *m_pSettings = nullptr;
    QSettings *m_pGlobalSettings = nullptr;
    QStringList m_lstArguments;
    QStringList m_lstPluginOptions;
    QStringList m_lstPluginPaths;
    QStringList m_lstErrors;
    bool m_bProfiling = false;
    bool m_bRestartRequested = false;

    // Owned: every discovered plug-in file, in discovery order.
    QVector<PluginInfo *> m_lstPlugins;
    // The plugins that can be loaded, dependencies first.
    QVector<PluginInfo *> m_lstLoadQueue;
    // Late initialisation runs backwards through the load queue, one plug-in
    // per event-loop pass, so the window stays responsive meanwhile.
    QVector<PluginInfo *> m_lstLateQueue;
    QTimer m_lateTimer;
    QList<SecondInstanceCommand> m_lstPendingCommands;
    QString m_strFatalError;
    bool m_bPluginsLoaded = false;
    bool m_bRunning = false;
    bool m_bShutDown = false;
};

} // namespace ExtensionSystem
