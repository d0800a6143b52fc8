#include "core/updater/qsimpleupdater.h"

#include "core/updater/updater.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QSysInfo>

// The registry: kept in step, index for index. The updaters have no Qt
// parent; the registry owns them.
static QStringList s_urls;
static QList<Updater *> s_updaters;

static QSimpleUpdater *s_pInstance = nullptr;

// Runs while the application object is still alive, so the updaters, their
// network managers and downloaders go while Qt can still tear them down.
static void destroyInstance()
{
    delete s_pInstance;
    s_pInstance = nullptr;
}

QSimpleUpdater::QSimpleUpdater() = default;

QSimpleUpdater::~QSimpleUpdater()
{
    s_urls.clear();
    const QList<Updater *> updaters = s_updaters;
    s_updaters.clear();
    // At process exit no event loop runs any more to honour deleteLater.
    const bool bLoopRuns = QCoreApplication::instance() && !QCoreApplication::closingDown();
    for (Updater *pUpdater : updaters) {
        if (bLoopRuns)
            pUpdater->deleteLater();
        else
            delete pUpdater;
    }
}

QSimpleUpdater *QSimpleUpdater::getInstance()
{
    // A function-local static is initialised exactly once, also when two
    // threads ask first at the same time.
    static QSimpleUpdater *const pInstance = [] {
        s_pInstance = new QSimpleUpdater;
        qAddPostRoutine(destroyInstance);
        return s_pInstance;
    }();
    return pInstance;
}

Updater *QSimpleUpdater::getUpdater(const QString &url) const
{
    if (!s_urls.contains(url)) {
        auto *pUpdater = new Updater;
        pUpdater->setUrl(url);
        s_urls.append(url);
        s_updaters.append(pUpdater);
        connect(pUpdater, SIGNAL(checkingFinished(QString)), this, SIGNAL(checkingFinished(QString)));
        connect(pUpdater, SIGNAL(downloadFinished(QString, QString)), this, SIGNAL(downloadFinished(QString, QString)));
        connect(pUpdater, SIGNAL(appcastDownloaded(QString, QByteArray)), this,
                SIGNAL(appcastDownloaded(QString, QByteArray)));
    }
    return s_updaters.at(s_urls.indexOf(url));
}

bool QSimpleUpdater::usesCustomAppcast(const QString &url) const { return getUpdater(url)->usesCustomAppcast(); }
bool QSimpleUpdater::getNotifyOnUpdate(const QString &url) const { return getUpdater(url)->getNotifyOnUpdate(); }
bool QSimpleUpdater::getNotifyOnFinish(const QString &url) const { return getUpdater(url)->getNotifyOnFinish(); }
bool QSimpleUpdater::getUpdateAvailable(const QString &url) const { return getUpdater(url)->getUpdateAvailable(); }

bool QSimpleUpdater::getDownloaderEnabled(const QString &url) const
{
    return getUpdater(url)->getDownloaderEnabled();
}

bool QSimpleUpdater::usesCustomInstallProcedures(const QString &url) const
{
    return getUpdater(url)->usesCustomInstallProcedures();
}

QString QSimpleUpdater::getOpenUrl(const QString &url) const { return getUpdater(url)->getOpenUrl(); }
QString QSimpleUpdater::getChangelog(const QString &url) const { return getUpdater(url)->getChangelog(); }
QString QSimpleUpdater::getModuleName(const QString &url) const { return getUpdater(url)->getModuleName(); }
QString QSimpleUpdater::getDownloadUrl(const QString &url) const { return getUpdater(url)->getDownloadUrl(); }
QString QSimpleUpdater::getPlatformKey(const QString &url) const { return getUpdater(url)->getPlatformKey(); }
QString QSimpleUpdater::getLatestVersion(const QString &url) const { return getUpdater(url)->getLatestVersion(); }
QString QSimpleUpdater::getModuleVersion(const QString &url) const { return getUpdater(url)->getModuleVersion(); }

QString QSimpleUpdater::getUserAgentString(const QString &url) const
{
    return getUpdater(url)->getUserAgentString();
}

QString QSimpleUpdater::getPublicKey(const QString &url) const { return getUpdater(url)->getPublicKey(); }
int QSimpleUpdater::getCheckInterval(const QString &url) const { return getUpdater(url)->getCheckInterval(); }

QString QSimpleUpdater::systemPlatformKey()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("osx");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("linux");
#else
    return QSysInfo::kernelType();
#endif
}

void QSimpleUpdater::checkForUpdates(const QString &url, bool bSilentIfNoUpdate)
{
    getUpdater(url)->checkForUpdates(bSilentIfNoUpdate);
}

void QSimpleUpdater::setModuleName(const QString &url, const QString &name) { getUpdater(url)->setModuleName(name); }
void QSimpleUpdater::setNotifyOnUpdate(const QString &url, bool notify) { getUpdater(url)->setNotifyOnUpdate(notify); }
void QSimpleUpdater::setNotifyOnFinish(const QString &url, bool notify) { getUpdater(url)->setNotifyOnFinish(notify); }

void QSimpleUpdater::setPlatformKey(const QString &url, const QString &platform)
{
    getUpdater(url)->setPlatformKey(platform);
}

void QSimpleUpdater::setModuleVersion(const QString &url, const QString &version)
{
    getUpdater(url)->setModuleVersion(version);
}

void QSimpleUpdater::setDownloaderEnabled(const QString &url, bool enabled)
{
    getUpdater(url)->setDownloaderEnabled(enabled);
}

void QSimpleUpdater::setUserAgentString(const QString &url, const QString &agent)
{
    getUpdater(url)->setUserAgentString(agent);
}

void QSimpleUpdater::setUseCustomAppcast(const QString &url, bool customAppcast)
{
    getUpdater(url)->setUseCustomAppcast(customAppcast);
}

void QSimpleUpdater::setUseCustomInstallProcedures(const QString &url, bool custom)
{
    getUpdater(url)->setUseCustomInstallProcedures(custom);
}

void QSimpleUpdater::setPublicKey(const QString &url, const QString &base64Key)
{
    getUpdater(url)->setPublicKey(base64Key);
}

void QSimpleUpdater::setCheckInterval(const QString &url, int seconds)
{
    getUpdater(url)->setCheckInterval(seconds);
}
