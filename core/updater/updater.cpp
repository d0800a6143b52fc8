#include "core/updater/updater.h"

#include "core/core_global.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "core/updater/appcast.h"
#include "core/updater/downloader.h"
#include "core/updater/updaterlogging_p.h"
#include "core/updater/ztreleasenotedlg.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

Q_LOGGING_CATEGORY(lcUpdater, "zelto.core.updater")

// Redirects one check follows before it counts as a network failure.
static const int s_nMaxRedirects = 10;
// Carries the number of redirects behind a request, so that checks running
// side by side count their own.
static const QNetworkRequest::Attribute s_redirectCountAttribute = QNetworkRequest::User;
// An appcast is a few kilobytes; a larger answer is not one.
static const qint64 s_nMaxAppcastSize = 1024 * 1024;
// Set on a reply this updater aborted: why the check failed.
static const char s_failureProperty[] = "zeltoFailure";
// Log lines quote at most this much of an address from outside.
static const int s_nMaxQuoted = 200;

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

    m_manager = new QNetworkAccessManager(this);
    m_platform = QStringLiteral("windows");
    m_userAgentString = QStringLiteral("%1/%2 (Updater)")
                            .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
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
    sendRequest(0);
}

void Updater::sendRequest(int nRedirects)
{
    QNetworkRequest request(QUrl(m_url, QUrl::TolerantMode));
    // Redirects are followed here, so the target becomes the updater's URL.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(s_redirectCountAttribute, nRedirects);
    if (!m_userAgentString.isEmpty())
        request.setRawHeader("User-Agent", m_userAgentString.toUtf8());
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

    connect(reply, &QNetworkReply::metaDataChanged, pStall, [pStall] { pStall->start(); });
    connect(reply, &QNetworkReply::downloadProgress, pStall, [pStall, fail](qint64 nReceived, qint64 nTotal) {
        if (nReceived > s_nMaxAppcastSize || nTotal > s_nMaxAppcastSize)
            fail(tooLargeReason());
        else
            pStall->start();
    });
}

void Updater::setUrl(const QString &url) { m_url = url; }
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

void Updater::onReply(QNetworkReply *reply)
{
    reply->deleteLater();

    const QString strFailure = reply->property(s_failureProperty).toString();
    if (!strFailure.isEmpty()) {
        reportCheckFailed(strFailure);
        emit checkingFinished(m_url);
        return;
    }

    const QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (!target.isEmpty()) {
        const int nRedirects = reply->request().attribute(s_redirectCountAttribute).toInt() + 1;
        // A relative Location is relative to the address that answered.
        const QUrl resolved = reply->url().resolved(target);
        // The appcast names the installer and its checksum: it must come from
        // the web, and never over a weaker connection than the one asked.
        const QString strScheme = resolved.scheme();
        const bool bWeb = strScheme == QLatin1String("https") || strScheme == QLatin1String("http");
        if (!bWeb || (reply->url().scheme() == QLatin1String("https") && strScheme == QLatin1String("http"))) {
            qCWarning(lcUpdater).noquote() << QStringLiteral("Refused a redirect while checking for updates: ")
                                                  + resolved.toString().left(s_nMaxQuoted);
            reportCheckFailed(tr("the server redirected to an unsafe address"));
            emit checkingFinished(m_url);
            return;
        }
        m_url = resolved.toString();
        if (nRedirects <= s_nMaxRedirects) {
            sendRequest(nRedirects);
            return;
        }
        qCWarning(lcUpdater).noquote() << QStringLiteral("Too many redirects while checking for updates: ")
                                              + m_url.left(s_nMaxQuoted);
        reportCheckFailed(tr("too many redirects"));
        emit checkingFinished(m_url);
        return;
    }

    if (reply->error() != QNetworkReply::NoError) {
        reportCheckFailed(reply->errorString());
        emit checkingFinished(m_url);
        return;
    }

    // An answer may arrive whole before its progress was looked at.
    if (reply->bytesAvailable() > s_nMaxAppcastSize) {
        reportCheckFailed(tooLargeReason());
        emit checkingFinished(m_url);
        return;
    }

    if (m_customAppcast) {
        const QByteArray data = reply->readAll();
        emit appcastDownloaded(m_url, data);
        emit checkingFinished(m_url);
        return;
    }

    Appcast entry;
    if (!Appcast::parse(reply->readAll(), m_platform, &entry)) {
        reportCheckFailed(tr("the answer is not an update description"));
        emit checkingFinished(m_url);
        return;
    }
    m_openUrl = entry.strOpenUrl;
    m_changelog = entry.strChangelog;
    m_downloadUrl = entry.strDownloadUrl;
    m_latestVersion = entry.strLatestVersion;
    m_sha256 = entry.strSha256;

    setUpdateAvailable(compareVersions(m_latestVersion, m_moduleVersion));
    emit checkingFinished(m_url);
}

void Updater::reportCheckFailed(const QString &strReason)
{
    m_updateAvailable = false;
    qCInfo(lcUpdater).noquote() << QStringLiteral("Update check failed: ") + strReason;
    if (!m_notifyOnFinish || m_silentIfNoUpdate)
        return;
    IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                 tr("Could not check for updates: %1.").arg(strReason), QMessageBox::Ok, QMessageBox::Ok);
}

void Updater::setUpdateAvailable(bool available)
{
    m_updateAvailable = available;
    if (available)
        qCInfo(lcUpdater).noquote() << QStringLiteral("New version:") << m_latestVersion;
    else
        qCInfo(lcUpdater).noquote() << QStringLiteral("No updates available.");

    if (!available) {
        if (!m_notifyOnFinish || m_silentIfNoUpdate)
            return;
        QMessageBox box(ICore::getMainWindow());
        box.setWindowTitle(QStringLiteral(ZELTO_APP_TITLE));
        box.setTextFormat(Qt::RichText);
        box.setIconPixmap(IUi::getPixmap(QStringLiteral("information"), 2, 4, QStringLiteral(":/designer/images/")));
        box.setStandardButtons(QMessageBox::Close);
        box.setText(QStringLiteral("<h3>")
                    + tr("Congratulations! You are running the latest version of %1").arg(m_moduleName)
                    + QStringLiteral("</h3>"));
        box.setInformativeText(tr("No updates are available at the moment."));
        box.exec();
        return;
    }

    if (!m_notifyOnUpdate && !m_notifyOnFinish)
        return;

    const QString heading = tr("<b>%1 %2 has been released!</b>").arg(m_moduleName, m_latestVersion);
    ZTReleaseNoteDlg dialog(ICore::getMainWindow());
    dialog.setHeading(heading);
    dialog.setReleaseNotes(m_changelog);
    if (dialog.exec() != QDialog::Accepted)
        return;

    if (!m_openUrl.isEmpty()) {
        QDesktopServices::openUrl(QUrl(m_openUrl));
    } else if (m_downloaderEnabled) {
        Downloader *pDownloader = downloader();
        pDownloader->setUrlId(m_url);
        pDownloader->setFileName(m_downloadUrl.split(QLatin1Char('/'), Qt::KeepEmptyParts).last());
        pDownloader->setExpectedSha256(m_sha256);
        pDownloader->startDownload(QUrl(m_downloadUrl));
    } else {
        QDesktopServices::openUrl(QUrl(m_downloadUrl));
    }
}

bool Updater::compareVersions(const QString &x, const QString &y)
{
    return Appcast::compareVersions(x, y);
}
