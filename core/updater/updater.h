#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

QT_BEGIN_NAMESPACE
class QNetworkAccessManager;
class QNetworkReply;
class QSettings;
class QTimer;
class QVariant;
QT_END_NAMESPACE

class Downloader;

// Checks one appcast URL for a newer version: fetches the JSON appcast, reads
// the entry of its platform, compares versions and, as its flags say, reports
// the result, shows the release notes and starts the download.
//
// With a check interval it also checks on its own: at once when the last
// check (kept in the settings) is older than the interval, then on a timer.
// Such a check shows only a found update, and not the version the user
// chose to skip.
class Updater : public QObject
{
    Q_OBJECT

public:
    Updater();
    ~Updater() override;

    QString url() const;
    QString getOpenUrl() const;
    QString getChangelog() const;
    QString getModuleName() const;
    QString getDownloadUrl() const;
    QString getPlatformKey() const;
    QString getLatestVersion() const;
    QString getModuleVersion() const;
    QString getUserAgentString() const;
    // Hex SHA-256 of the installer from the appcast ("sha256"); empty when absent.
    QString getSha256() const;
    // The appcast's "ed25519-signature" of the installer; empty when absent.
    QString getSignature() const;
    // The base64 Ed25519 public key installers must be signed with; empty:
    // nothing can be verified, so nothing is downloaded (the browser is).
    QString getPublicKey() const;
    // Seconds between checks made on the updater's own; 0 when it makes none.
    int getCheckInterval() const;
    // When the next check of its own is due (invalid while it makes none).
    QDateTime nextScheduledCheck() const;
    // The version the user chose to skip; empty when none.
    QString getSkippedVersion() const;
    // The settings group of this URL's last check and skipped version.
    QString settingsGroup() const { return m_strSettingsGroup; }
    bool getNotifyOnUpdate() const;
    bool getNotifyOnFinish() const;
    bool getUpdateAvailable() const;
    bool getDownloaderEnabled() const;
    bool usesCustomAppcast() const;
    bool usesCustomInstallProcedures() const;

    /**
     * True when version @p x is newer than version @p y.
     *
     * Both are split at every "." (empty parts kept, so "" is one empty part)
     * and compared part by part from the left; the first part that differs
     * decides. When all parts both have are equal, the one with more parts
     * is newer, so 1.2.0 is newer than 1.2 but equal strings never are.
     *
     * A part is a whole number when, leaving out white space around it, it is
     * an optional "+" or "-" followed by the digits 0 to 9 only. Whole numbers
     * compare by their exact value, however many digits they have ("+3" is 3,
     * "007" is 7, and 99999999999999999999 is greater than 2147483647). Any
     * other part, such as "0-beta", "rc1", "+" or an empty one, counts as 0,
     * so 3.0-beta and 3.0 are equally new.
     */
    static bool compareVersions(const QString &x, const QString &y);

    // The downloader this updater hands installers to (for tests and callers
    // that want to watch it); recreated if its parent window deleted it.
    Downloader *downloader();

    // A request that receives nothing for this long fails, as does one that
    // has not finished after four times as long (a server trickling bytes).
    static const int DefaultStallTimeoutMs = 30000;
    // Tests shorten the wait.
    void setStallTimeout(int msecs) { m_nStallTimeoutMs = msecs; }

signals:
    void checkingFinished(const QString &url);
    void downloadFinished(const QString &url, const QString &filepath);
    void appcastDownloaded(const QString &url, const QByteArray &data);

public slots:
    void checkForUpdates(bool bSilentIfNoUpdate = true);
    void setUrl(const QString &url);
    void setModuleName(const QString &name);
    void setNotifyOnUpdate(bool notify);
    void setNotifyOnFinish(bool notify);
    void setUserAgentString(const QString &agent);
    void setModuleVersion(const QString &version);
    void setDownloaderEnabled(bool enabled);
    void setPlatformKey(const QString &platformKey);
    void setUseCustomAppcast(bool customAppcast);
    void setUseCustomInstallProcedures(bool custom);
    void setPublicKey(const QString &base64Key);
    void setCheckInterval(int seconds);

private slots:
    void onReply(QNetworkReply *reply);
    void setUpdateAvailable(bool available);

private:
    // A check that could not be completed is not "no update": the user who
    // asked to hear the outcome is told that it failed, and why.
    void reportCheckFailed(const QString &strReason, bool bSilent);
    void finishCheck(bool bScheduled, bool bAnswered);
    void sendRequest(int nRedirects, bool bScheduled);
    void watchReply(QNetworkReply *reply);
    void offerUpdate();
    void openWebAddress(const QString &strUrl);

    // Checks of its own.
    void scheduleNextCheck();
    void onScheduleTimer();
    qint64 secondsUntilDue() const;
    void recordCheck();
    QSettings *settings() const;
    void writeSetting(const char *key, const QVariant &value);

    QString m_url;
    QString m_userAgentString;
    bool m_customAppcast;
    bool m_notifyOnUpdate;
    bool m_notifyOnFinish;
    bool m_updateAvailable;
    bool m_downloaderEnabled;
    bool m_silentIfNoUpdate;
    QString m_openUrl;
    QString m_platform;
    QString m_changelog;
    QString m_moduleName;
    QString m_downloadUrl;
    QString m_moduleVersion;
    QString m_latestVersion;
    QString m_sha256;
    QString m_signature;
    // The appcast's signed statement of the installer and its signature.
    QString m_strStatement;
    QString m_strStatementSignature;
    QString m_strPublicKey;
    // Parented to the main window, which may delete it first; the destructor
    // deletes it only while it still exists.
    QPointer<Downloader> m_downloader;
    // Kept here so a recreated downloader gets the caller's choice back.
    bool m_bCustomProcedures = false;
    QNetworkAccessManager *m_manager;
    int m_nStallTimeoutMs = DefaultStallTimeoutMs;

    // The settings group of the URL this updater was made for; a redirect
    // changes m_url, not this.
    QString m_strSettingsGroup;
    QString m_strSettingsUrl;
    // The last check when there are no settings to keep it in (seconds
    // since the epoch).
    qint64 m_nLastCheckSecs = 0;
    int m_nCheckIntervalSecs = 0;
    QTimer *m_pScheduleTimer;
    // After a check of its own failed: not before this time (seconds since
    // the epoch) again, rather than at once.
    qint64 m_nRetryAfterSecs = 0;
    bool m_bScheduledCheckRunning = false;
    // Whether the reply handled now came from a check of its own.
    bool m_bScheduledReply = false;
    // While the release notes are shown, no check of its own shows them again.
    int m_nOffering = 0;
};
