#pragma once

#include "core/core_global.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class Updater;

/**
 * The one place through which the application drives update checks against
 * a JSON appcast (its format is in the README's "Appcast format").
 *
 * A registry of appcast URLs, each with its own checker holding that URL's
 * settings and results. Every operation takes the URL first and registers it
 * on first use, so a getter on a new URL answers the default. The values set
 * here live in memory only; the application's settings keep only the time of
 * each URL's last check and the version the user chose to skip. A check that finds a newer version shows the release notes and,
 * when the user agrees, downloads the installer into the user's Downloads
 * folder (or opens the appcast's page).
 *
 * Installers are signed: with setPublicKey() the appcast must carry a signed
 * statement that binds the installer to its name, version and platform, and
 * the downloaded file must match it before it is reported or offered (the
 * README's "Publishing updates" shows how to sign). Without a key nothing
 * can be verified, so nothing is downloaded: accepting an update opens its
 * page in the browser. With setCheckInterval() the registry also checks on
 * its own.
 *
 * Use the shared instance, getInstance(); it lives until the application
 * object goes. The core declares the command "Help.CheckUpdates" and leaves
 * it to a plug-in to connect it. GUI thread only.
 */
class CORE_EXPORT QSimpleUpdater : public QObject
{
    Q_OBJECT

signals:
    /** A check against @p url ended, whatever its outcome, after any dialog it showed was closed. @p url is the address after redirects. */
    void checkingFinished(const QString &url);
    /** With setUseCustomAppcast(), the raw appcast @p data of @p url; nothing is parsed or shown. */
    void appcastDownloaded(const QString &url, const QByteArray &data);
    /** The installer from @p url's appcast was written to @p filepath. */
    void downloadFinished(const QString &url, const QString &filepath);

public:
    /** An empty registry. Use getInstance() instead. */
    QSimpleUpdater();
    /** Deletes the registered checkers. */
    ~QSimpleUpdater() override;

    /** The shared instance, created on first use; any thread may ask first. */
    static QSimpleUpdater *getInstance();

    /** Whether @p url's appcast is handed over raw (appcastDownloaded()) instead of parsed. Default false. */
    bool usesCustomAppcast(const QString &url) const;
    /** Whether a found update shows the release notes. Default true. */
    bool getNotifyOnUpdate(const QString &url) const;
    /** Whether a check that finds nothing says so (unless it was silent). Default false. */
    bool getNotifyOnFinish(const QString &url) const;
    /** Whether the last completed check of @p url found a newer version. */
    bool getUpdateAvailable(const QString &url) const;
    /** Whether the built-in downloader fetches the installer (else the browser does). Default true. */
    bool getDownloaderEnabled(const QString &url) const;
    /** Whether the caller installs the downloaded file itself (downloadFinished()) instead of the built-in prompt. Default false. */
    bool usesCustomInstallProcedures(const QString &url) const;

    /** The appcast's "open-url" of the last check; empty until read. */
    QString getOpenUrl(const QString &url) const;
    /** The appcast's "changelog" of the last check; empty until read. */
    QString getChangelog(const QString &url) const;
    /** The name used in messages. Default: the application name. */
    QString getModuleName(const QString &url) const;
    /** The appcast's "download-url" of the last check; empty until read. */
    QString getDownloadUrl(const QString &url) const;
    /** The member of the appcast's "updates" to read. Default "windows"; see systemPlatformKey(). */
    QString getPlatformKey(const QString &url) const;
    /** The appcast's "latest-version" of the last check; empty until read. */
    QString getLatestVersion(const QString &url) const;
    /** The installed version compared with. Default: the application version. */
    QString getModuleVersion(const QString &url) const;
    /** The User-Agent header of the requests. Default "<application>/<version> (Updater)". */
    QString getUserAgentString(const QString &url) const;
    /** The base64 Ed25519 public key @p url's installers are checked with; empty (the default) when none. */
    QString getPublicKey(const QString &url) const;
    /** Seconds between the checks the registry makes of @p url on its own; 0 (the default) when it makes none. */
    int getCheckInterval(const QString &url) const;

    /**
     * The platform key of the system the application runs on, for
     * setPlatformKey(): "windows", "osx", "linux", or for other systems the
     * kernel's name as QSysInfo::kernelType() gives it (e.g. "freebsd").
     */
    static QString systemPlatformKey();

public slots:
    /**
     * Fetches @p url's appcast and compares its "latest-version" with the
     * installed version; returns at once, and checkingFinished() follows.
     * A failed request counts as no update. With @p bSilentIfNoUpdate false
     * and setNotifyOnFinish() on, a check that finds nothing says so.
     */
    void checkForUpdates(const QString &url, bool bSilentIfNoUpdate);
    /** Sets the name used in messages. */
    void setModuleName(const QString &url, const QString &name);
    /** Sets whether a found update shows the release notes. */
    void setNotifyOnUpdate(const QString &url, bool notify);
    /** Sets whether a check that finds nothing says so. */
    void setNotifyOnFinish(const QString &url, bool notify);
    /** Sets the member of the appcast's "updates" to read, e.g. "linux". */
    void setPlatformKey(const QString &url, const QString &platform);
    /** Sets the installed version compared with, e.g. "2.0.0". */
    void setModuleVersion(const QString &url, const QString &version);
    /** Sets whether the built-in downloader fetches the installer. */
    void setDownloaderEnabled(const QString &url, bool enabled);
    /** Sets the User-Agent header; empty sends none. */
    void setUserAgentString(const QString &url, const QString &agent);
    /** Sets whether the appcast is handed over raw instead of parsed. */
    void setUseCustomAppcast(const QString &url, bool customAppcast);
    /** Sets whether the caller installs the downloaded file itself. */
    void setUseCustomInstallProcedures(const QString &url, bool custom);
    /**
     * Makes the built-in downloader accept only installers signed with the key
     * @p base64Key: the raw 32-byte Ed25519 public key in base64, as
     * `zelto-updates generate-keys` prints it. The appcast entry must then
     * carry the installer's "update-statement", signed with that key in its
     * "update-signature", naming the file of its "download-url", its
     * "latest-version" and the platform key, and the version must be newer
     * than the installed one; otherwise nothing is downloaded and the user
     * is warned that the update could not be verified. The finished file must
     * have the statement's SHA-512 before downloadFinished() or the
     * installation prompt, and again right before it is opened. A key that
     * is not 32 bytes in base64 is kept all the same (and logged), so every
     * download fails rather than going unchecked. Without a key (empty, the
     * default) nothing is downloaded: accepting an update opens its page in
     * the browser, as with setDownloaderEnabled() false.
     */
    void setPublicKey(const QString &url, const QString &base64Key);
    /**
     * Makes the registry check @p url on its own every @p seconds; 0 or less
     * stops it. The time of the last check of @p url is kept in the
     * application's settings: when it is older than the interval (or there is
     * none) a check starts at once, from the event loop, so set the other
     * values of @p url in the same pass. Such a check is silent: it shows
     * only a found update, never the "latest version" box or an error, and
     * not the version the user chose to skip in the release notes (a newer
     * one again). "Remind Me Later" there moves the next check one interval
     * from then. A failed check is tried again after an hour, or after the
     * interval when that is shorter. checkingFinished() follows each.
     */
    void setCheckInterval(const QString &url, int seconds);

private:
    Updater *getUpdater(const QString &url) const;
};
