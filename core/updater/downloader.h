#pragma once

#include <QDir>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

class DownloaderPrivate;

// A small non-modal dialog that downloads an installer into the user's
// download folder, shows progress, sizes and the time left, and when the file
// is complete offers to start it and quit. With custom install procedures on,
// it only downloads and reports the file through downloadFinished.
//
// The download gets a name of its own: the file name asked for, or when a
// file of that name exists already "name (1).ext" and so on, as browsers do;
// a file the downloader did not make is never replaced or removed. The
// folder must be one only this user can write (it is made with mode 0700
// when missing), or nothing is downloaded.
//
// A connection that drops is tried again, up to MaxRetries times with
// growing waits; where the server can send the rest of the same file (a
// range, checked against its ETag or Last-Modified) the download resumes,
// otherwise it starts again from the beginning.
//
// With a public key set, the appcast's signed statement (UpdateStatement)
// must be signed with that key, name the file, the version and the platform
// asked for, with a version newer than the installed one, before anything is
// downloaded; the finished file must then have the statement's SHA-512
// before it is reported or offered, and again just before it is opened.
// Without a key the downloader opens no installer; it only downloads for
// callers that install updates their own way.
class Downloader : public QWidget
{
    Q_OBJECT

public:
    explicit Downloader(QWidget *parent = nullptr);
    ~Downloader() override;

    bool useCustomInstallProcedures() const;

    // The folder downloads go to (home + "/Downloads/" unless changed) and the
    // suffix a file carries while it is incomplete.
    static QDir downloadDir();
    static void setDownloadDir(const QDir &dir);
    static QString partialSuffix();

    // Expected SHA-256 of the next download as hex digits; empty skips the check.
    void setExpectedSha256(const QString &strHexDigest);
    // The base64 Ed25519 public key the next download must be signed with
    // and the base64 signature of its statement (setExpectedRelease()); with
    // an empty key nothing is checked and nothing is installed, with a key
    // and no signature the download is refused.
    void setExpectedSignature(const QString &strPublicKey, const QString &strSignature);
    // The appcast's signed statement of the next download and what it must
    // say: strVersion, newer than strInstalledVersion, for strPlatform, and
    // the file name given to setFileName().
    void setExpectedRelease(const QString &strStatement, const QString &strVersion, const QString &strPlatform,
                            const QString &strInstalledVersion);

    static const int MaxRetries = 3;
    static const int DefaultRetryDelayMs = 1000;
    // The wait before the first new attempt; each further one waits twice as
    // long. Tests shorten it.
    void setRetryDelay(int msecs);
    QString fileName() const;

    // The texts of the labels, exposed so the rules can be checked on their own.
    static QString sizesText(qint64 received, qint64 total);
    // Empty when nothing can be said yet (no time has elapsed).
    static QString timeRemainingText(qint64 received, qint64 total, qint64 elapsedSeconds);

signals:
    void downloadFinished(const QString &url, const QString &filepath);

public slots:
    void setUrlId(const QString &url);
    void startDownload(const QUrl &url);
    void setFileName(const QString &file);
    void setUserAgentString(const QString &agent);
    void setUseCustomInstallProcedures(bool custom);

private slots:
    void openDownload();
    void installUpdate();
    void cancelDownload();
    void saveFile(qint64 received, qint64 total);
    void calculateSizes(qint64 received, qint64 total);
    void updateProgress(qint64 received, qint64 total);
    void calculateTimeRemaining(qint64 received, qint64 total);

private:
    friend class DownloaderPrivate;
    std::unique_ptr<DownloaderPrivate> d;
};
