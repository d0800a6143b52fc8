#include "core/updater/updater.h"

#include "core/core_global.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "core/updater/appcast.h"
#include "core/updater/downloader.h"
#include "core/updater/updatenetworkpolicy.h"
#include "core/updater/updaterlogging_p.h"
#include "core/updater/updatesignature.h"
#include "core/updater/ztreleasenotedlg.h"
#include "core/welcome/bridgelogthrottle_p.h"
#include "extensionsystem/pluginmanager.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimer>
#include <QUrl>

Q_LOGGING_CATEGORY(lcUpdater, "zelto.core.updater")

// Carries the number of redirects behind a request, so that checks running
// side by side count their own.
static const QNetworkRequest::Attribute s_redirectCountAttribute = QNetworkRequest::User;
// An appcast is a few kilobytes; a larger answer is not one.
static const qint64 s_nMaxAppcastSize = 1024 * 1024;
// Marks the requests of checks the updater makes on its own.
static const QNetworkRequest::Attribute s_scheduledAttribute =
    static_cast<QNetworkRequest::Attribute>(QNetworkRequest::User + 1);
// Set on a reply this updater aborted: why the check failed.
static const char s_failureProperty[] = "zeltoFailure";

// Per appcast URL, in a group named after its hash (URLs are no keys).
static const char s_settingsGroup[] = "Updates/";
static const char s_urlKey[] = "Url";
static const char s_lastCheckKey[] = "LastCheck";
static const char s_skippedVersionKey[] = "SkippedVersion";
// The timer wakes at least this often and looks at the clock again, so a
// suspended machine or a changed clock cannot push a check far out.
static const qint64 s_nMaxTimerWaitSecs = 3600;

Updater::Updater()
{
    m_url.clear();
    m_customAppcast = false;
    m_notifyOnUpdate = true;
    m_notifyOnFinish = false;
    m_updateAvailable = false;
    m_downloaderEnabled = true;
    m_silentIfNoUpdate = true;
    m_moduleName = QCoreApplication::applicationName();
    m_moduleVersion = QCoreApplication::applicationVersion();

    m_manager = UpdateNetworkPolicy::createManager(this);
    m_pScheduleTimer = new QTimer(this);
    m_pScheduleTimer->setSingleShot(true);
    connect(m_pScheduleTimer, &QTimer::timeout, this, &Updater::onScheduleTimer);
    m_platform = QStringLiteral("windows");
    m_userAgentString = UpdateNetworkPolicy::defaultUserAgent();
    downloader();
    connect(m_manager, &QNetworkAccessManager::finished, this, &Updater::onReply);
}

Updater::~Updater()
{
    // Null when the main window, its parent, was destroyed first.
    delete m_downloader;
}

Downloader *Updater::downloader()
{
    if (!m_downloader) {
        m_downloader = new Downloader(ICore::getMainWindow());
        m_downloader->setUserAgentString(m_userAgentString);
        m_downloader->setUseCustomInstallProcedures(m_bCustomProcedures);
        connect(m_downloader, &Downloader::downloadFinished, this, &Updater::downloadFinished);
    }
    return m_downloader;
}

QString Updater::url() const { return m_url; }
QString Updater::getOpenUrl() const { return m_openUrl; }
QString Updater::getChangelog() const { return m_changelog; }
QString Updater::getModuleName() const { return m_moduleName; }
QString Updater::getDownloadUrl() const { return m_downloadUrl; }
QString Updater::getPlatformKey() const { return m_platform; }
QString Updater::getLatestVersion() const { return m_latestVersion; }
QString Updater::getModuleVersion() const { return m_moduleVersion; }
QString Updater::getUserAgentString() const { return m_userAgentString; }
QString Updater::getSha256() const { return m_sha256; }
QString Updater::getSignature() const { return m_signature; }
QString Updater::getPublicKey() const { return m_strPublicKey; }
int Updater::getCheckInterval() const { return m_nCheckIntervalSecs; }
bool Updater::getNotifyOnUpdate() const { return m_notifyOnUpdate; }
bool Updater::getNotifyOnFinish() const { return m_notifyOnFinish; }
bool Updater::getUpdateAvailable() const { return m_updateAvailable; }
bool Updater::getDownloaderEnabled() const { return m_downloaderEnabled; }
bool Updater::usesCustomAppcast() const { return m_customAppcast; }

bool Updater::usesCustomInstallProcedures() const
{
    return m_downloader ? m_downloader->useCustomInstallProcedures() : m_bCustomProcedures;
}

void Updater::checkForUpdates(bool bSilentIfNoUpdate)
{
    m_silentIfNoUpdate = bSilentIfNoUpdate;
    sendRequest(0, false);
}

void Updater::sendRequest(int nRedirects, bool bScheduled)
{
    // Redirects are followed here, so the target becomes the updater's URL.
    QNetworkRequest request = UpdateNetworkPolicy::request(QUrl(m_url, QUrl::TolerantMode), m_userAgentString);
    request.setAttribute(s_redirectCountAttribute, nRedirects);
    request.setAttribute(s_scheduledAttribute, bScheduled);
    watchReply(m_manager->get(request));
}

static QString tooLargeReason()
{
    return Updater::tr("the answer is too large");
}

void Updater::watchReply(QNetworkReply *reply)
{
    const auto fail = [reply](const QString &strReason) {
        if (reply->isFinished())
            return;
        reply->setProperty(s_failureProperty, strReason);
        reply->abort();
    };
    // Both timers are children of the reply and go with it.
    auto *pStall = new QTimer(reply);
    pStall->setSingleShot(true);
    connect(pStall, &QTimer::timeout, reply, [fail] { fail(tr("the server does not answer")); });
    pStall->start(m_nStallTimeoutMs);
    QTimer::singleShot(4 * m_nStallTimeoutMs, reply, [fail] { fail(tr("the server answers too slowly")); });

    connect(reply, &QNetworkReply::metaDataChanged, pStall, [reply, pStall, fail] {
        // Asked for as it is; a compressed answer all the same could inflate
        // to far more than any limit on what arrives.
        const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
        if (!encoding.isEmpty() && encoding != "identity")
            fail(tr("the server sent a compressed answer"));
        else
            pStall->start();
    });
    connect(reply, &QNetworkReply::downloadProgress, pStall, [pStall, fail](qint64 nReceived, qint64 nTotal) {
        if (nReceived > s_nMaxAppcastSize || nTotal > s_nMaxAppcastSize)
            fail(tooLargeReason());
        else
            pStall->start();
    });
}

void Updater::setUrl(const QString &url)
{
    m_url = url;
    m_strSettingsUrl = url;
    const QByteArray hash = QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256);
    m_strSettingsGroup = QLatin1String(s_settingsGroup) + QString::fromLatin1(hash.toHex().left(16));
    scheduleNextCheck();
}

void Updater::setModuleName(const QString &name) { m_moduleName = name; }
void Updater::setNotifyOnUpdate(bool notify) { m_notifyOnUpdate = notify; }
void Updater::setNotifyOnFinish(bool notify) { m_notifyOnFinish = notify; }

void Updater::setUserAgentString(const QString &agent)
{
    m_userAgentString = agent;
    downloader()->setUserAgentString(agent);
}

void Updater::setModuleVersion(const QString &version) { m_moduleVersion = version; }
void Updater::setDownloaderEnabled(bool enabled) { m_downloaderEnabled = enabled; }
void Updater::setPlatformKey(const QString &platformKey) { m_platform = platformKey; }
void Updater::setUseCustomAppcast(bool customAppcast) { m_customAppcast = customAppcast; }

void Updater::setUseCustomInstallProcedures(bool custom)
{
    m_bCustomProcedures = custom;
    downloader()->setUseCustomInstallProcedures(custom);
}

void Updater::setPublicKey(const QString &base64Key)
{
    m_strPublicKey = base64Key.trimmed();
    // Kept all the same: a key that was meant to be set must not let
    // unverified installers through; every download from here fails instead.
    if (!m_strPublicKey.isEmpty()
        && UpdateSignature::decode(m_strPublicKey, UpdateSignature::PublicKeySize).isEmpty())
        qCWarning(lcUpdater).noquote() << QStringLiteral("The public key for updates from ")
                + BridgeLogThrottle::excerpt(m_url) + QStringLiteral(" is not an Ed25519 key in base64; no update from there can be verified.");
}

void Updater::setCheckInterval(int seconds)
{
    m_nCheckIntervalSecs = qMax(0, seconds);
    m_nRetryAfterSecs = 0;
    scheduleNextCheck();
}

QSettings *Updater::settings() const
{
    // Without a plug-in host (a tool, a benchmark) nothing is remembered.
    return ExtensionSystem::PluginManager::instance() ? ICore::settings() : nullptr;
}

QString Updater::getSkippedVersion() const
{
    QSettings *pSettings = settings();
    return pSettings && !m_strSettingsGroup.isEmpty()
        ? pSettings->value(m_strSettingsGroup + QLatin1Char('/') + QLatin1String(s_skippedVersionKey)).toString()
        : QString();
}

void Updater::writeSetting(const char *key, const QVariant &value)
{
    QSettings *pSettings = settings();
    if (!pSettings)
        return;
    pSettings->beginGroup(m_strSettingsGroup);
    // For whoever reads the file: the group's name is a hash.
    pSettings->setValue(QLatin1String(s_urlKey), m_strSettingsUrl);
    pSettings->setValue(QLatin1String(key), value);
    pSettings->endGroup();
}

void Updater::recordCheck()
{
    m_nLastCheckSecs = QDateTime::currentSecsSinceEpoch();
    writeSetting(s_lastCheckKey, QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    m_nRetryAfterSecs = 0;
}

qint64 Updater::secondsUntilDue() const
{
    const qint64 nNow = QDateTime::currentSecsSinceEpoch();
    qint64 nLast = m_nLastCheckSecs;
    // The settings file is the user's to edit: a time that cannot be read,
    // or one in the future, counts as no check.
    if (QSettings *pSettings = settings()) {
        const QDateTime last = QDateTime::fromString(
            pSettings->value(m_strSettingsGroup + QLatin1Char('/') + QLatin1String(s_lastCheckKey)).toString(),
            Qt::ISODate);
        nLast = last.isValid() && last.toSecsSinceEpoch() <= nNow ? last.toSecsSinceEpoch() : 0;
    }
    const qint64 nDue = nLast > 0 ? nLast + m_nCheckIntervalSecs : 0;
    return qMax<qint64>(0, qMax(nDue, m_nRetryAfterSecs) - nNow);
}

QDateTime Updater::nextScheduledCheck() const
{
    if (m_nCheckIntervalSecs <= 0)
        return QDateTime();
    return QDateTime::currentDateTimeUtc().addSecs(secondsUntilDue());
}

void Updater::scheduleNextCheck()
{
    if (m_nCheckIntervalSecs <= 0 || m_url.isEmpty()) {
        m_pScheduleTimer->stop();
        return;
    }
    m_pScheduleTimer->start(static_cast<int>(qMin(secondsUntilDue(), s_nMaxTimerWaitSecs) * 1000));
}

void Updater::onScheduleTimer()
{
    if (m_bScheduledCheckRunning)
        return;   // its end schedules the next one
    if (secondsUntilDue() > 0) {
        scheduleNextCheck();
        return;
    }
    if (m_nOffering > 0) {
        // The user is looking at this very offer: ask again later.
        m_nRetryAfterSecs = QDateTime::currentSecsSinceEpoch() + qMin<qint64>(m_nCheckIntervalSecs, s_nMaxTimerWaitSecs);
        scheduleNextCheck();
        return;
    }
    m_bScheduledCheckRunning = true;
    sendRequest(0, true);
}

// Every reply ends here: the schedule moves on and the caller hears of it.
void Updater::finishCheck(bool bScheduled, bool bAnswered)
{
    if (bScheduled) {
        m_bScheduledCheckRunning = false;
        // A failed check of its own is tried again after a while, not at once.
        if (!bAnswered) {
            m_nRetryAfterSecs = QDateTime::currentSecsSinceEpoch()
                + qMin<qint64>(m_nCheckIntervalSecs, s_nMaxTimerWaitSecs);
        }
    }
    scheduleNextCheck();
    emit checkingFinished(m_url);
}

void Updater::onReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const bool bScheduled = reply->request().attribute(s_scheduledAttribute).toBool();
    const bool bSilent = bScheduled || m_silentIfNoUpdate;

    const QString strFailure = reply->property(s_failureProperty).toString();
    if (!strFailure.isEmpty()) {
        reportCheckFailed(strFailure, bSilent);
        finishCheck(bScheduled, false);
        return;
    }

    const int nRedirects = reply->request().attribute(s_redirectCountAttribute).toInt();
    QUrl target;
    switch (UpdateNetworkPolicy::redirect(reply, nRedirects, &target)) {
    case UpdateNetworkPolicy::Follow:
        m_url = target.toString();
        sendRequest(nRedirects + 1, bScheduled);
        return;
    case UpdateNetworkPolicy::Unsafe:
        qCWarning(lcUpdater).noquote() << QStringLiteral("Refused a redirect while checking for updates: ")
                                              + BridgeLogThrottle::excerpt(target.toString());
        reportCheckFailed(tr("the server redirected to an unsafe address"), bSilent);
        finishCheck(bScheduled, false);
        return;
    case UpdateNetworkPolicy::TooMany:
        m_url = target.toString();
        qCWarning(lcUpdater).noquote() << QStringLiteral("Too many redirects while checking for updates: ")
                                              + BridgeLogThrottle::excerpt(m_url);
        reportCheckFailed(tr("too many redirects"), bSilent);
        finishCheck(bScheduled, false);
        return;
    case UpdateNetworkPolicy::NoRedirect:
        break;
    }

    if (reply->error() != QNetworkReply::NoError) {
        reportCheckFailed(reply->errorString(), bSilent);
        finishCheck(bScheduled, false);
        return;
    }

    // An answer may arrive whole before its progress was looked at.
    if (reply->bytesAvailable() > s_nMaxAppcastSize) {
        reportCheckFailed(tooLargeReason(), bSilent);
        finishCheck(bScheduled, false);
        return;
    }

    if (m_customAppcast) {
        const QByteArray data = reply->readAll();
        recordCheck();
        emit appcastDownloaded(m_url, data);
        finishCheck(bScheduled, true);
        return;
    }

    Appcast entry;
    if (!Appcast::parse(reply->readAll(), m_platform, &entry)) {
        reportCheckFailed(tr("the answer is not an update description"), bSilent);
        finishCheck(bScheduled, false);
        return;
    }
    m_openUrl = entry.strOpenUrl;
    m_changelog = entry.strChangelog;
    m_downloadUrl = entry.strDownloadUrl;
    m_latestVersion = entry.strLatestVersion;
    m_sha256 = entry.strSha256;
    m_signature = entry.strSignature;
    m_strStatement = entry.strStatement;
    m_strStatementSignature = entry.strStatementSignature;
    recordCheck();

    m_bScheduledReply = bScheduled;
    setUpdateAvailable(compareVersions(m_latestVersion, m_moduleVersion));
    finishCheck(bScheduled, true);
}

void Updater::reportCheckFailed(const QString &strReason, bool bSilent)
{
    m_updateAvailable = false;
    qCInfo(lcUpdater).noquote() << QStringLiteral("Update check failed: ") + BridgeLogThrottle::excerpt(strReason);
    if (!m_notifyOnFinish || bSilent)
        return;
    IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                 tr("Could not check for updates: %1.").arg(strReason), QMessageBox::Ok, QMessageBox::Ok);
}

void Updater::setUpdateAvailable(bool available)
{
    // Read before any dialog: other replies may be handled while one is open.
    const bool bScheduled = m_bScheduledReply;
    m_bScheduledReply = false;
    m_updateAvailable = available;
    if (available)
        qCInfo(lcUpdater).noquote() << QStringLiteral("New version:") << BridgeLogThrottle::excerpt(m_latestVersion);
    else
        qCInfo(lcUpdater).noquote() << QStringLiteral("No updates available.");

    if (!available) {
        if (!m_notifyOnFinish || m_silentIfNoUpdate || bScheduled)
            return;
        QMessageBox box(ICore::getMainWindow());
        box.setWindowTitle(QStringLiteral(ZELTO_APP_TITLE));
        box.setTextFormat(Qt::RichText);
        box.setIconPixmap(IUi::getPixmap(QStringLiteral("information"), 2, 4, QStringLiteral(":/designer/images/")));
        box.setStandardButtons(QMessageBox::Close);
        box.setText(QStringLiteral("<h3>")
                    + tr("Congratulations! You are running the latest version of %1").arg(m_moduleName.toHtmlEscaped())
                    + QStringLiteral("</h3>"));
        box.setInformativeText(tr("No updates are available at the moment."));
        box.exec();
        return;
    }

    if (!m_notifyOnUpdate && !m_notifyOnFinish)
        return;
    // The user said not to offer this version again; a newer one is offered.
    const QString strSkipped = getSkippedVersion();
    if (bScheduled && !strSkipped.isEmpty() && !compareVersions(m_latestVersion, strSkipped)) {
        qCInfo(lcUpdater).noquote() << QStringLiteral("Version %1 was skipped; not offered.")
                                           .arg(BridgeLogThrottle::excerpt(m_latestVersion));
        return;
    }
    offerUpdate();
}

void Updater::offerUpdate()
{
    // Kept as they are now: a check answered while the dialog is open
    // overwrites the members.
    const QString strVersion = m_latestVersion;
    const QString strOpenUrl = m_openUrl;
    const QString strDownloadUrl = m_downloadUrl;
    const QString strSha256 = m_sha256;
    const QString strStatement = m_strStatement;
    const QString strStatementSignature = m_strStatementSignature;
    const QString strPlatform = m_platform;

    // Both go into rich text; the version is the appcast's.
    const QString heading = tr("<b>%1 %2 has been released!</b>")
                                .arg(m_moduleName.toHtmlEscaped(), strVersion.toHtmlEscaped());
    ZTReleaseNoteDlg dialog(ICore::getMainWindow());
    dialog.setHeading(heading);
    dialog.setReleaseNotes(m_changelog);
    // Later means the next check of its own, which needs an interval.
    dialog.setRemindLaterVisible(m_nCheckIntervalSecs > 0);
    ++m_nOffering;
    const int nResult = dialog.exec();
    --m_nOffering;

    if (nResult == ZTReleaseNoteDlg::SkipVersion) {
        writeSetting(s_skippedVersionKey, strVersion);
        return;
    }
    if (nResult == ZTReleaseNoteDlg::RemindLater) {
        // One interval from now, not from the check that found it.
        recordCheck();
        scheduleNextCheck();
        return;
    }
    if (nResult != QDialog::Accepted)
        return;

    // Without a key no installer can be verified, so none is downloaded to
    // be started from here: the browser gets the page instead.
    const bool bCanVerify = !m_strPublicKey.isEmpty();
    if (!bCanVerify && m_downloaderEnabled && strOpenUrl.isEmpty())
        qCInfo(lcUpdater).noquote() << QStringLiteral("No public key for updates; the download opens in the browser.");
    if (!strOpenUrl.isEmpty()) {
        openWebAddress(strOpenUrl);
    } else if (m_downloaderEnabled && bCanVerify) {
        if (!UpdateNetworkPolicy::isWebUrl(QUrl(strDownloadUrl))) {
            openWebAddress(strDownloadUrl);   // refuses it, and says so
            return;
        }
        Downloader *pDownloader = downloader();
        pDownloader->setUrlId(m_url);
        pDownloader->setFileName(strDownloadUrl.split(QLatin1Char('/'), Qt::KeepEmptyParts).last());
        pDownloader->setExpectedSha256(strSha256);
        pDownloader->setExpectedSignature(m_strPublicKey, strStatementSignature);
        pDownloader->setExpectedRelease(strStatement, strVersion, strPlatform, m_moduleVersion);
        pDownloader->startDownload(QUrl(strDownloadUrl));
    } else {
        openWebAddress(strDownloadUrl);
    }
}

// The appcast's addresses go to the browser only when they are web
// addresses; a file or another scheme could start something on this machine.
void Updater::openWebAddress(const QString &strUrl)
{
    const QUrl url(strUrl);
    if (UpdateNetworkPolicy::isWebUrl(url)) {
        QDesktopServices::openUrl(url);
        return;
    }
    qCWarning(lcUpdater).noquote() << QStringLiteral("Refused to open an update address that is not http(s): ")
            + BridgeLogThrottle::excerpt(strUrl);
    IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                 tr("The update cannot be opened because its address is not a web address."), QMessageBox::Ok,
                 QMessageBox::Ok);
}

bool Updater::compareVersions(const QString &x, const QString &y)
{
    return Appcast::compareVersions(x, y);
}
