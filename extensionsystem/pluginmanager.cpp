#include "extensionsystem/pluginmanager.h"

#include "extensionsystem/iplugin.h"
#include "extensionsystem/iwindowlesscommand.h"
#include "extensionsystem/pluginargumentdescription.h"
#include "extensionsystem/pluginmanager_p.h"
#include "extensionsystem/plugininfo.h"
#include "extensionsystem/plugininfo_p.h"
#include "extensionsystem/startuptimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QLibrary>
#include <QLoggingCategory>
#include <QPluginLoader>
#include <QSettings>
#include <QStandardPaths>
#include <QWriteLocker>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPluginManager, "zelto.extensionsystem")

namespace ExtensionSystem {

static PluginManager *s_instance = nullptr;

// How long shutdown waits for plug-ins that finish asynchronously.
static const int AsynchronousShutdownTimeoutMs = 10000;

// Measures one step of one plug-in for -profile.
class StepTimer
{
public:
    StepTimer() { m_timer.start(); }
    qint64 elapsedNs() const { return m_timer.nsecsElapsed(); }

private:
    QElapsedTimer m_timer;
};

PluginManagerPrivate::PluginManagerPrivate(PluginManager *manager)
    : q(manager)
{
    m_lateTimer.setInterval(0);
    QObject::connect(&m_lateTimer, &QTimer::timeout, q, [this] { nextLateInitialize(); });
}

PluginManagerPrivate::~PluginManagerPrivate()
{
    qDeleteAll(m_lstPlugins);
    delete m_pSettings;
    delete m_pGlobalSettings;
}

QString PluginManagerPrivate::settingsFolder() const
{
    if (!m_strSettingsPath.isEmpty())
        return m_strSettingsPath;
    const QString fromEnv = qEnvironmentVariable("ZELTO_SETTINGS_PATH");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void PluginManagerPrivate::fail(PluginInfo *pInfo, const QString &reason)
{
    if (pInfo->hasError())
        return;
    pInfo->setError(reason);
    const QString who = pInfo->name().isEmpty() ? QFileInfo(pInfo->filePath()).fileName() : pInfo->name();
    const QString message = PluginManager::tr("Plug-in \"%1\" (%2): %3")
                                .arg(who, QDir::toNativeSeparators(pInfo->filePath()), reason);
    m_lstErrors.append(message);
    qCWarning(lcPluginManager).noquote() << message;
    if (pInfo->isRequired() && m_strFatalError.isEmpty())
        m_strFatalError = message;
}

bool PluginManagerPrivate::dependenciesHealthy(PluginInfo *pInfo)
{
    for (PluginInfo *dependency : pInfo->d->m_lstDependencyInfos) {
        if (dependency->hasError()) {
            fail(pInfo, PluginManager::tr("Skipped because the plug-in \"%1\" it depends on failed.")
                           .arg(dependency->name()));
            return false;
        }
    }
    return true;
}

void PluginManagerPrivate::profile(const PluginInfo *pInfo, const char *step, qint64 elapsedNs)
{
    if (!m_bProfiling)
        return;
    qCInfo(lcPluginManager).noquote()
        << QStringLiteral("Profile: %1 %2 took %3 ms")
               .arg(pInfo ? pInfo->name() : PluginManager::tr("(all plug-ins)"),
                    QString::fromLatin1(step), QString::number(double(elapsedNs) / 1e6, 'f', 1));
}

QStringList PluginManagerPrivate::libraryFiles(const QStringList &lstPaths, bool bWarnMissing)
{
    QStringList lstFiles;
    for (const QString &path : lstPaths) {
        const QDir dir(path);
        if (!dir.exists()) {
            if (bWarnMissing)
                qCWarning(lcPluginManager).noquote()
                    << PluginManager::tr("The plug-in folder \"%1\" does not exist.")
                           .arg(QDir::toNativeSeparators(path));
            continue;
        }
        const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            if (QLibrary::isLibrary(file.fileName()))
                lstFiles << file.absoluteFilePath();
        }
    }
    return lstFiles;
}

QVector<PluginArgumentDescription> PluginManagerPrivate::readArgumentDescriptions(const QStringList &lstPaths)
{
    QVector<PluginArgumentDescription> lstDescriptions;
    for (const QString &strFile : libraryFiles(lstPaths, false)) {
        // Metadata only: nothing is loaded and no code of the plug-in runs.
        const QJsonObject qtMetaData = QPluginLoader(strFile).metaData();
        if (qtMetaData.value(QStringLiteral("IID")).toString() != QLatin1String(ZELTO_PLUGIN_IID))
            continue;
        PluginInfo info;
        QString strIgnored;
        if (info.readMetaData(strFile, qtMetaData, &strIgnored))
            lstDescriptions += info.argumentDescriptions();
    }
    return lstDescriptions;
}

QStringList PluginManagerPrivate::optionsOf(const PluginInfo *pInfo) const
{
    // How many parameters follow each option is known only from all the
    // plug-ins' declarations together.
    QHash<QString, const PluginArgumentDescription *> declared;
    QVector<PluginArgumentDescription> lstAll;
    for (const PluginInfo *pOther : m_lstPlugins) {
        if (pOther->d->m_state >= PluginInfo::Read)
            lstAll += pOther->argumentDescriptions();
    }
    for (const PluginArgumentDescription &description : qAsConst(lstAll))
        declared.insert(description.name, &description);

    QStringList lstOptions;
    for (int i = 0; i < m_lstPluginOptions.size(); ++i) {
        const PluginArgumentDescription *pDescription = declared.value(m_lstPluginOptions.at(i));
        const int nCount = pDescription ? pDescription->parameterCount() : 0;
        if (pDescription && pDescription->pluginName == pInfo->name())
            lstOptions += m_lstPluginOptions.mid(i, nCount + 1);
        i += nCount;
    }
    return lstOptions;
}

void PluginManagerPrivate::readPlugins()
{
    const QString iid = QStringLiteral(ZELTO_PLUGIN_IID);
    for (const QString &strFile : libraryFiles(m_lstPluginPaths, true)) {
        // Reading the metadata does not load the library, so files that
        // are not ours cost nothing and run no code.
        auto *loader = new QPluginLoader(strFile);
        const QJsonObject qtMetaData = loader->metaData();
        if (qtMetaData.value(QStringLiteral("IID")).toString() != iid) {
            delete loader;
            continue;
        }
        auto *pInfo = new PluginInfo;
        pInfo->d->m_pLoader = loader;
        m_lstPlugins.append(pInfo);
        QString reason;
        if (!pInfo->readMetaData(strFile, qtMetaData, &reason)) {
            fail(pInfo, reason);
            continue;
        }
        for (PluginInfo *other : qAsConst(m_lstPlugins)) {
            if (other != pInfo && other->d->m_state >= PluginInfo::Read && other->name() == pInfo->name()) {
                fail(pInfo, PluginManager::tr("Another plug-in with the same name was found in \"%1\".")
                               .arg(QDir::toNativeSeparators(other->filePath())));
                pInfo->d->m_state = PluginInfo::Invalid;
                break;
            }
        }
    }
}

void PluginManagerPrivate::resolveDependencies()
{
    for (PluginInfo *pInfo : qAsConst(m_lstPlugins)) {
        if (pInfo->d->m_state != PluginInfo::Read || pInfo->hasError())
            continue;
        for (const PluginDependency &dependency : qAsConst(pInfo->d->m_lstDependencies)) {
            PluginInfo *found = nullptr;
            for (PluginInfo *other : qAsConst(m_lstPlugins)) {
                if (other->d->m_state >= PluginInfo::Read && other->name() == dependency.name) {
                    found = other;
                    break;
                }
            }
            if (!found) {
                fail(pInfo, PluginManager::tr("The plug-in \"%1\" it depends on was not found.")
                               .arg(dependency.name));
                break;
            }
            if (!found->provides(dependency.name, dependency.version)) {
                fail(pInfo, PluginManager::tr("It needs \"%1\" in version %2, but version %3 "
                                             "(compatible down to %4) was found.")
                               .arg(dependency.name, dependency.version, found->version(),
                                    found->compatVersion()));
                break;
            }
            pInfo->d->m_lstDependencyInfos.append(found);
        }
        if (!pInfo->hasError())
            pInfo->d->m_state = PluginInfo::Resolved;
    }
}

bool PluginManagerPrivate::visit(PluginInfo *pInfo, QVector<PluginInfo *> &order,
                                 QVector<PluginInfo *> &path)
{
    if (order.contains(pInfo))
        return true;
    const int index = path.indexOf(pInfo);
    if (index >= 0) {
        QStringList names;
        for (int i = index; i < path.size(); ++i)
            names.append(path.at(i)->name());
        names.append(pInfo->name());
        const QString reason = PluginManager::tr("Circular dependency: %1.")
                                   .arg(names.join(QStringLiteral(" -> ")));
        for (int i = index; i < path.size(); ++i)
            fail(path.at(i), reason);
        return false;
    }
    path.append(pInfo);
    bool ok = true;
    for (PluginInfo *dependency : qAsConst(pInfo->d->m_lstDependencyInfos))
        ok = visit(dependency, order, path) && ok;
    path.removeLast();
    order.append(pInfo);
    return ok;
}

QVector<PluginInfo *> PluginManagerPrivate::orderByDependencies()
{
    QVector<PluginInfo *> order;
    QVector<PluginInfo *> path;
    for (PluginInfo *pInfo : qAsConst(m_lstPlugins)) {
        if (pInfo->d->m_state >= PluginInfo::Read)
            visit(pInfo, order, path);
    }
    return order;
}

bool PluginManagerPrivate::loadPlugin(PluginInfo *pInfo)
{
    if (pInfo->hasError() || pInfo->d->m_state != PluginInfo::Resolved || !dependenciesHealthy(pInfo))
        return false;
    const StepTimer timer;
    QObject *object = pInfo->d->m_pLoader->instance();
    if (!object) {
        fail(pInfo, PluginManager::tr("The library could not be loaded: %1")
                       .arg(pInfo->d->m_pLoader->errorString()));
        return false;
    }
    auto *plugin = qobject_cast<IPlugin *>(object);
    if (!plugin) {
        fail(pInfo, PluginManager::tr("Its plug-in class %1 does not derive from ExtensionSystem::IPlugin.")
                       .arg(QString::fromLatin1(object->metaObject()->className())));
        return false;
    }
    pInfo->d->m_pPlugin = plugin;
    pInfo->d->m_state = PluginInfo::Loaded;
    profile(pInfo, "load", timer.elapsedNs());
    return true;
}

bool PluginManagerPrivate::initializePlugin(PluginInfo *pInfo)
{
    if (pInfo->hasError() || pInfo->d->m_state != PluginInfo::Loaded || !dependenciesHealthy(pInfo))
        return false;
    const StepTimer timer;
    QString errorString;
    const bool ok = pInfo->d->m_pPlugin->initialize(optionsOf(pInfo) + m_lstArguments, &errorString);
    profile(pInfo, "initialize", timer.elapsedNs());
    if (!ok) {
        fail(pInfo, PluginManager::tr("Initialization failed: %1")
                       .arg(errorString.isEmpty() ? PluginManager::tr("no reason given.") : errorString));
        return false;
    }
    pInfo->d->m_state = PluginInfo::Initialized;
    return true;
}

void PluginManagerPrivate::extensionsInitialized(PluginInfo *pInfo)
{
    if (pInfo->hasError() || pInfo->d->m_state != PluginInfo::Initialized || !dependenciesHealthy(pInfo))
        return;
    const StepTimer timer;
    pInfo->d->m_pPlugin->extensionsInitialized();
    pInfo->d->m_state = PluginInfo::Running;
    profile(pInfo, "extensionsInitialized", timer.elapsedNs());
}

void PluginManagerPrivate::nextLateInitialize()
{
    while (!m_lstLateQueue.isEmpty()) {
        PluginInfo *pInfo = m_lstLateQueue.takeFirst();
        if (pInfo->d->m_state != PluginInfo::Running)
            continue;
        const StepTimer timer;
        if (!pInfo->d->m_pPlugin->lateInitialize()) {
            const QString message = PluginManager::tr("Plug-in \"%1\" (%2): late initialization failed.")
                                        .arg(pInfo->name(), QDir::toNativeSeparators(pInfo->filePath()));
            m_lstErrors.append(message);
            qCWarning(lcPluginManager).noquote() << message;
        }
        profile(pInfo, "lateInitialize", timer.elapsedNs());
        // One plug-in per event-loop pass.
        return;
    }
    m_lateTimer.stop();
    emit q->initializationDone();
}

void PluginManagerPrivate::deliverSecondInstanceCommands()
{
    const QList<SecondInstanceCommand> commands = m_lstPendingCommands;
    m_lstPendingCommands.clear();
    for (const SecondInstanceCommand &command : commands) {
        for (PluginInfo *pInfo : qAsConst(m_lstLoadQueue)) {
            if (pInfo->d->m_state == PluginInfo::Running)
                pInfo->d->m_pPlugin->secondInstanceCommand(command.options, command.workingDirectory,
                                                       command.arguments);
        }
    }
}

void PluginManagerPrivate::shutdown()
{
    if (m_bShutDown)
        return;
    m_bShutDown = true;
    m_bRunning = false;
    m_lateTimer.stop();
    m_lstLateQueue.clear();
    m_lstPendingCommands.clear();

    QVector<PluginInfo *> reversed = m_lstLoadQueue;
    std::reverse(reversed.begin(), reversed.end());

    int pending = 0;
    QEventLoop loop;
    for (PluginInfo *pInfo : qAsConst(reversed)) {
        if (pInfo->d->m_state != PluginInfo::Initialized && pInfo->d->m_state != PluginInfo::Running)
            continue;
        const StepTimer timer;
        if (pInfo->d->m_pPlugin->aboutToShutdown() == IPlugin::AsynchronousShutdown) {
            ++pending;
            QObject::connect(pInfo->d->m_pPlugin, &IPlugin::asynchronousShutdownFinished, &loop,
                             [&pending, &loop] {
                                 if (--pending == 0)
                                     loop.quit();
                             });
        }
        pInfo->d->m_state = PluginInfo::Stopped;
        profile(pInfo, "aboutToShutdown", timer.elapsedNs());
    }
    if (pending > 0) {
        QTimer::singleShot(AsynchronousShutdownTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (pending > 0)
            qCWarning(lcPluginManager).noquote()
                << PluginManager::tr("%n plug-in(s) did not finish shutting down in time.", nullptr, pending);
    }

    for (PluginInfo *pInfo : qAsConst(reversed)) {
        if (!pInfo->d->m_pPlugin)
            continue;
        const StepTimer timer;
        delete pInfo->d->m_pPlugin;
        pInfo->d->m_pPlugin = nullptr;
        pInfo->d->m_state = PluginInfo::Deleted;
        profile(pInfo, "delete", timer.elapsedNs());
    }
}

PluginManager::PluginManager()
    : d(new PluginManagerPrivate(this))
{
    s_instance = this;
}

PluginManager::~PluginManager()
{
    d->shutdown();
    delete d;
    s_instance = nullptr;
}

PluginManager *PluginManager::instance()
{
    return s_instance;
}

void PluginManager::addObject(QObject *obj)
{
    if (!obj)
        return;
    {
        QWriteLocker lock(&s_instance->d->m_lock);
        if (s_instance->d->m_lstObjects.contains(obj))
            return;
        s_instance->d->m_lstObjects.append(obj);
    }
    emit s_instance->objectAdded(obj);
}

void PluginManager::removeObject(QObject *obj)
{
    if (!obj || !s_instance->d->m_lstObjects.contains(obj))
        return;
    emit s_instance->aboutToRemoveObject(obj);
    QWriteLocker lock(&s_instance->d->m_lock);
    s_instance->d->m_lstObjects.removeAll(obj);
}

QList<QObject *> PluginManager::allObjects()
{
    return s_instance->d->m_lstObjects;
}

QReadWriteLock *PluginManager::listLock()
{
    return &s_instance->d->m_lock;
}

void PluginManager::setSettingsPath(const QString &path)
{
    s_instance->d->m_strSettingsPath = path;
}

QString PluginManager::settingsPath()
{
    return s_instance->d->settingsFolder();
}

QSettings *PluginManager::settings()
{
    PluginManagerPrivate *d = s_instance->d;
    if (!d->m_pSettings) {
        d->m_pSettings = new QSettings(d->settingsFolder() + QStringLiteral("/PELUM/ZeltoRideved.ini"),
                                       QSettings::IniFormat);
    }
    return d->m_pSettings;
}

QSettings *PluginManager::globalSettings()
{
    PluginManagerPrivate *d = s_instance->d;
    if (!d->m_pGlobalSettings) {
        d->m_pGlobalSettings = new QSettings(d->settingsFolder() + QStringLiteral("/PELUM/ZeltoRideved-system.ini"),
                                             QSettings::IniFormat);
    }
    return d->m_pGlobalSettings;
}

void PluginManager::setArguments(const QStringList &arguments)
{
    s_instance->d->m_lstArguments = arguments;
}

QStringList PluginManager::arguments()
{
    return s_instance->d->m_lstArguments;
}

void PluginManager::setPluginOptions(const QStringList &options)
{
    s_instance->d->m_lstPluginOptions = options;
}

QStringList PluginManager::pluginOptions()
{
    return s_instance->d->m_lstPluginOptions;
}

QVector<PluginArgumentDescription> PluginManager::argumentDescriptions(const QStringList &paths)
{
    return PluginManagerPrivate::readArgumentDescriptions(paths);
}

bool PluginManager::runWithoutWindow(const QString &option, const QStringList &parameters, QString *errorString)
{
    return s_instance->d->runWithoutWindow(option, parameters, errorString);
}

bool PluginManagerPrivate::runWithoutWindow(const QString &option, const QStringList &parameters,
                                            QString *errorString)
{
    if (m_bPluginsLoaded) {
        *errorString = PluginManager::tr("The plug-ins were already loaded.");
        return false;
    }
    m_bPluginsLoaded = true;
    readPlugins();

    PluginInfo *pDeclaring = nullptr;
    for (PluginInfo *pInfo : qAsConst(m_lstPlugins)) {
        if (pInfo->d->m_state != PluginInfo::Read || pInfo->hasError())
            continue;
        for (const PluginArgumentDescription &description : pInfo->argumentDescriptions()) {
            if (description.name == option && description.withoutWindow)
                pDeclaring = pInfo;
        }
        if (pDeclaring)
            break;
    }
    if (!pDeclaring) {
        *errorString = PluginManager::tr("No plug-in runs the option %1.").arg(option);
        return false;
    }
    // Only this plug-in's object is made; the libraries it links come with
    // it, but none of the plug-ins it depends on is started.
    QObject *object = pDeclaring->d->m_pLoader->instance();
    auto *pPlugin = qobject_cast<IPlugin *>(object);
    if (!pPlugin) {
        *errorString = PluginManager::tr("The plug-in \"%1\" could not be loaded: %2")
                           .arg(pDeclaring->name(), object ? PluginManager::tr("it is no Zelto plug-in")
                                                           : pDeclaring->d->m_pLoader->errorString());
        return false;
    }
    pDeclaring->d->m_pPlugin = pPlugin;   // shutdown() deletes it
    pDeclaring->d->m_state = PluginInfo::Loaded;
    auto *pCommand = qobject_cast<IWindowlessCommand *>(object);
    if (!pCommand) {
        *errorString = PluginManager::tr("The plug-in \"%1\" declares %2 but cannot run it.").arg(pDeclaring->name(), option);
        return false;
    }
    return pCommand->runWithoutWindow(option, parameters, errorString);
}

void PluginManager::setPluginPaths(const QStringList &paths)
{
    s_instance->d->m_lstPluginPaths = paths;
}

QStringList PluginManager::pluginPaths()
{
    return s_instance->d->m_lstPluginPaths;
}

void PluginManager::loadPlugins()
{
    PluginManagerPrivate *d = s_instance->d;
    if (d->m_bPluginsLoaded) {
        qCWarning(lcPluginManager, "The plug-ins were already loaded.");
        return;
    }
    d->m_bPluginsLoaded = true;
    const StepTimer total;

    d->readPlugins();
    d->resolveDependencies();
    d->m_lstLoadQueue = d->orderByDependencies();
    emit s_instance->pluginsChanged();
    StartupTimer::mark("plug-ins' metadata");

    // A failing required plug-in ends start-up at once: nothing later in the
    // order may run on top of it.
    for (PluginInfo *pInfo : qAsConst(d->m_lstLoadQueue)) {
        if (!d->m_strFatalError.isEmpty())
            return;
        d->loadPlugin(pInfo);
    }
    StartupTimer::mark("plug-ins loaded");
    for (PluginInfo *pInfo : qAsConst(d->m_lstLoadQueue)) {
        if (!d->m_strFatalError.isEmpty())
            return;
        d->initializePlugin(pInfo);
    }
    StartupTimer::mark("plug-ins initialized");
    if (!d->m_strFatalError.isEmpty())
        return;
    for (int i = d->m_lstLoadQueue.size() - 1; i >= 0; --i)
        d->extensionsInitialized(d->m_lstLoadQueue.at(i));
    StartupTimer::mark("plug-ins' extensions initialized");
    d->profile(nullptr, "start-up", total.elapsedNs());

    d->m_bRunning = true;
    for (int i = d->m_lstLoadQueue.size() - 1; i >= 0; --i) {
        if (d->m_lstLoadQueue.at(i)->state() == PluginInfo::Running)
            d->m_lstLateQueue.append(d->m_lstLoadQueue.at(i));
    }
    d->m_lateTimer.start();
    if (!d->m_lstPendingCommands.isEmpty())
        QTimer::singleShot(0, s_instance, [d] { d->deliverSecondInstanceCommands(); });
}

void PluginManager::shutdown()
{
    s_instance->d->shutdown();
}

void PluginManager::requestRestart()
{
    s_instance->d->m_bRestartRequested = true;
}

bool PluginManager::isRestartRequested()
{
    return s_instance->d->m_bRestartRequested;
}

bool PluginManager::hasError()
{
    return !s_instance->d->m_lstErrors.isEmpty();
}

QStringList PluginManager::allErrors()
{
    return s_instance->d->m_lstErrors;
}

bool PluginManager::hasFatalError()
{
    return !s_instance->d->m_strFatalError.isEmpty();
}

QString PluginManager::fatalErrorString()
{
    return s_instance->d->m_strFatalError;
}

void PluginManager::setProfilingEnabled(bool enabled)
{
    s_instance->d->m_bProfiling = enabled;
}

bool PluginManager::isProfilingEnabled()
{
    return s_instance->d->m_bProfiling;
}

QVector<PluginInfo *> PluginManager::plugins()
{
    return s_instance->d->m_lstPlugins;
}

QVector<PluginInfo *> PluginManager::loadQueue()
{
    return s_instance->d->m_lstLoadQueue;
}

PluginInfo *PluginManager::pluginByName(const QString &name)
{
    for (PluginInfo *pInfo : qAsConst(s_instance->d->m_lstPlugins)) {
        if (pInfo->state() >= PluginInfo::Read && pInfo->name() == name)
            return pInfo;
    }
    return nullptr;
}

bool PluginManager::isRunning()
{
    return s_instance->d->m_bRunning;
}

void PluginManager::handleSecondInstance(const QStringList &options, const QString &workingDirectory,
                                         const QStringList &arguments)
{
    PluginManagerPrivate *d = s_instance->d;
    if (d->m_bShutDown)
        return;
    d->m_lstPendingCommands.append({options, workingDirectory, arguments});
    // Before the plug-ins run, the command waits for the end of start-up.
    if (d->m_bRunning)
        d->deliverSecondInstanceCommands();
}

} // namespace ExtensionSystem
