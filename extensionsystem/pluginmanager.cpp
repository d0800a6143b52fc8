#include "extensionsystem/pluginmanager.h"

#include "extensionsystem/iplugin.h"
#include "extensionsystem/pluginmanager_p.h"
#include "extensionsystem/pluginspec.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
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
    qDeleteAll(m_lstSpecs);
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

void PluginManagerPrivate::fail(PluginSpec *spec, const QString &reason)
{
    if (spec->hasError())
        return;
    spec->setError(reason);
    const QString who = spec->name().isEmpty() ? QFileInfo(spec->filePath()).fileName() : spec->name();
    const QString message = PluginManager::tr("Plug-in \"%1\" (%2): %3")
                                .arg(who, QDir::toNativeSeparators(spec->filePath()), reason);
    m_lstErrors.append(message);
    qCWarning(lcPluginManager).noquote() << message;
    if (spec->isRequired() && m_strFatalError.isEmpty())
        m_strFatalError = message;
}

bool PluginManagerPrivate::dependenciesHealthy(PluginSpec *spec)
{
    for (PluginSpec *dependency : spec->m_lstDependencySpecs) {
        if (dependency->hasError()) {
            fail(spec, PluginManager::tr("Skipped because the plug-in \"%1\" it depends on failed.")
                           .arg(dependency->name()));
            return false;
        }
    }
    return true;
}

void PluginManagerPrivate::profile(const PluginSpec *spec, const char *step, qint64 elapsedNs)
{
    if (!m_bProfiling)
        return;
    qCInfo(lcPluginManager).noquote()
        << QStringLiteral("Profile: %1 %2 took %3 ms")
               .arg(spec ? spec->name() : PluginManager::tr("(all plug-ins)"),
                    QString::fromLatin1(step), QString::number(double(elapsedNs) / 1e6, 'f', 1));
}

void PluginManagerPrivate::readPlugins()
{
    const QString iid = QStringLiteral(ZELTO_PLUGIN_IID);
    for (const QString &path : qAsConst(m_lstPluginPaths)) {
        const QDir dir(path);
        if (!dir.exists()) {
            qCWarning(lcPluginManager).noquote()
                << PluginManager::tr("The plug-in folder \"%1\" does not exist.")
                       .arg(QDir::toNativeSeparators(path));
            continue;
        }
        const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            if (!QLibrary::isLibrary(file.fileName()))
                continue;
            // Reading the metadata does not load the library, so files that
            // are not ours cost nothing and run no code.
            auto *loader = new QPluginLoader(file.absoluteFilePath());
            const QJsonObject qtMetaData = loader->metaData();
            if (qtMetaData.value(QStringLiteral("IID")).toString() != iid) {
                delete loader;
                continue;
            }
            auto *spec = new PluginSpec;
            spec->m_pLoader = loader;
            m_lstSpecs.append(spec);
            QString reason;
            if (!spec->readMetaData(file.absoluteFilePath(), qtMetaData, &reason)) {
                fail(spec, reason);
                continue;
            }
            for (PluginSpec *other : qAsConst(m_lstSpecs)) {
                if (other != spec && other->m_state >= PluginSpec::Read && other->name() == spec->name()) {
                    fail(spec, PluginManager::tr("Another plug-in with the same name was found in \"%1\".")
                                   .arg(QDir::toNativeSeparators(other->filePath())));
                    spec->m_state = PluginSpec::Invalid;
                    break;
                }
            }
        }
    }
}

void PluginManagerPrivate::resolveDependencies()
{
    for (PluginSpec *spec : qAsConst(m_lstSpecs)) {
        if (spec->m_state != PluginSpec::Read || spec->hasError())
            continue;
        for (const PluginDependency &dependency : qAsConst(spec->m_lstDependencies)) {
            PluginSpec *found = nullptr;
            for (PluginSpec *other : qAsConst(m_lstSpecs)) {
                if (other->m_state >= PluginSpec::Read && other->name() == dependency.name) {
                    found = other;
                    break;
                }
            }
            if (!found) {
                fail(spec, PluginManager::tr("The plug-in \"%1\" it depends on was not found.")
                               .arg(dependency.name));
                break;
            }
            if (!found->provides(dependency.name, dependency.version)) {
                fail(spec, PluginManager::tr("It needs \"%1\" in version %2, but version %3 "
                                             "(compatible down to %4) was found.")
                               .arg(dependency.name, dependency.version, found->version(),
                                    found->compatVersion()));
                break;
            }
            spec->m_lstDependencySpecs.append(found);
        }
        if (!spec->hasError())
            spec->m_state = PluginSpec::Resolved;
    }
}

bool PluginManagerPrivate::visit(PluginSpec *spec, QVector<PluginSpec *> &order,
                                 QVector<PluginSpec *> &path)
{
    if (order.contains(spec))
        return true;
    const int index = path.indexOf(spec);
    if (index >= 0) {
        QStringList names;
        for (int i = index; i < path.size(); ++i)
            names.append(path.at(i)->name());
        names.append(spec->name());
        const QString reason = PluginManager::tr("Circular dependency: %1.")
                                   .arg(names.join(QStringLiteral(" -> ")));
        for (int i = index; i < path.size(); ++i)
            fail(path.at(i), reason);
        return false;
    }
    path.append(spec);
    bool ok = true;
    for (PluginSpec *dependency : qAsConst(spec->m_lstDependencySpecs))
        ok = visit(dependency, order, path) && ok;
    path.removeLast();
    order.append(spec);
    return ok;
}

QVector<PluginSpec *> PluginManagerPrivate::orderByDependencies()
{
    QVector<PluginSpec *> order;
    QVector<PluginSpec *> path;
    for (PluginSpec *spec : qAsConst(m_lstSpecs)) {
        if (spec->m_state >= PluginSpec::Read)
            visit(spec, order, path);
    }
    return order;
}

bool PluginManagerPrivate::loadPlugin(PluginSpec *spec)
{
    if (spec->hasError() || spec->m_state != PluginSpec::Resolved || !dependenciesHealthy(spec))
        return false;
    const StepTimer timer;
    QObject *object = spec->m_pLoader->instance();
    if (!object) {
        fail(spec, PluginManager::tr("The library could not be loaded: %1")
                       .arg(spec->m_pLoader->errorString()));
        return false;
    }
    auto *plugin = qobject_cast<IPlugin *>(object);
    if (!plugin) {
        fail(spec, PluginManager::tr("Its plug-in class %1 does not derive from ExtensionSystem::IPlugin.")
                       .arg(QString::fromLatin1(object->metaObject()->className())));
        return false;
    }
    spec->m_pPlugin = plugin;
    spec->m_state = PluginSpec::Loaded;
    profile(spec, "load", timer.elapsedNs());
    return true;
}

bool PluginManagerPrivate::initializePlugin(PluginSpec *spec)
{
    if (spec->hasError() || spec->m_state != PluginSpec::Loaded || !dependenciesHealthy(spec))
        return false;
    const StepTimer timer;
    QString errorString;
    const bool ok = spec->m_pPlugin->initialize(m_lstArguments, &errorString);
    profile(spec, "initialize", timer.elapsedNs());
    if (!ok) {
        fail(spec, PluginManager::tr("Initialization failed: %1")
                       .arg(errorString.isEmpty() ? PluginManager::tr("no reason given.") : errorString));
        return false;
    }
    spec->m_state = PluginSpec::Initialized;
    return true;
}

void PluginManagerPrivate::extensionsInitialized(PluginSpec *spec)
{
    if (spec->hasError() || spec->m_state != PluginSpec::Initialized || !dependenciesHealthy(spec))
        return;
    const StepTimer timer;
    spec->m_pPlugin->extensionsInitialized();
    spec->m_state = PluginSpec::Running;
    profile(spec, "extensionsInitialized", timer.elapsedNs());
}

void PluginManagerPrivate::nextLateInitialize()
{
    while (!m_lstLateQueue.isEmpty()) {
        PluginSpec *spec = m_lstLateQueue.takeFirst();
        if (spec->m_state != PluginSpec::Running)
            continue;
        const StepTimer timer;
        if (!spec->m_pPlugin->lateInitialize()) {
            const QString message = PluginManager::tr("Plug-in \"%1\" (%2): late initialization failed.")
                                        .arg(spec->name(), QDir::toNativeSeparators(spec->filePath()));
            m_lstErrors.append(message);
            qCWarning(lcPluginManager).noquote() << message;
        }
        profile(spec, "lateInitialize", timer.elapsedNs());
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
        for (PluginSpec *spec : qAsConst(m_lstLoadQueue)) {
            if (spec->m_state == PluginSpec::Running)
                spec->m_pPlugin->secondInstanceCommand(command.options, command.workingDirectory,
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

    QVector<PluginSpec *> reversed = m_lstLoadQueue;
    std::reverse(reversed.begin(), reversed.end());

    int pending = 0;
    QEventLoop loop;
    for (PluginSpec *spec : qAsConst(reversed)) {
        if (spec->m_state != PluginSpec::Initialized && spec->m_state != PluginSpec::Running)
            continue;
        const StepTimer timer;
        if (spec->m_pPlugin->aboutToShutdown() == IPlugin::AsynchronousShutdown) {
            ++pending;
            QObject::connect(spec->m_pPlugin, &IPlugin::asynchronousShutdownFinished, &loop,
                             [&pending, &loop] {
                                 if (--pending == 0)
                                     loop.quit();
                             });
        }
        spec->m_state = PluginSpec::Stopped;
        profile(spec, "aboutToShutdown", timer.elapsedNs());
    }
    if (pending > 0) {
        QTimer::singleShot(AsynchronousShutdownTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (pending > 0)
            qCWarning(lcPluginManager).noquote()
                << PluginManager::tr("%n plug-in(s) did not finish shutting down in time.", nullptr, pending);
    }

    for (PluginSpec *spec : qAsConst(reversed)) {
        if (!spec->m_pPlugin)
            continue;
        const StepTimer timer;
        delete spec->m_pPlugin;
        spec->m_pPlugin = nullptr;
        spec->m_state = PluginSpec::Deleted;
        profile(spec, "delete", timer.elapsedNs());
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

    // A failing required plug-in ends start-up at once: nothing later in the
    // order may run on top of it.
    for (PluginSpec *spec : qAsConst(d->m_lstLoadQueue)) {
        if (!d->m_strFatalError.isEmpty())
            return;
        d->loadPlugin(spec);
    }
    for (PluginSpec *spec : qAsConst(d->m_lstLoadQueue)) {
        if (!d->m_strFatalError.isEmpty())
            return;
        d->initializePlugin(spec);
    }
    if (!d->m_strFatalError.isEmpty())
        return;
    for (int i = d->m_lstLoadQueue.size() - 1; i >= 0; --i)
        d->extensionsInitialized(d->m_lstLoadQueue.at(i));
    d->profile(nullptr, "start-up", total.elapsedNs());

    d->m_bRunning = true;
    for (int i = d->m_lstLoadQueue.size() - 1; i >= 0; --i) {
        if (d->m_lstLoadQueue.at(i)->state() == PluginSpec::Running)
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

QVector<PluginSpec *> PluginManager::plugins()
{
    return s_instance->d->m_lstSpecs;
}

QVector<PluginSpec *> PluginManager::loadQueue()
{
    return s_instance->d->m_lstLoadQueue;
}

PluginSpec *PluginManager::pluginByName(const QString &name)
{
    for (PluginSpec *spec : qAsConst(s_instance->d->m_lstSpecs)) {
        if (spec->state() >= PluginSpec::Read && spec->name() == name)
            return spec;
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
