#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QNetworkReply>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <atomic>
#include <memory>

QT_BEGIN_NAMESPACE
class QNetworkAccessManager;
class QThread;
QT_END_NAMESPACE

namespace Ui {
class Downloader;
}

// A small non-modal dialog that downloads an installer into the user's
// download folder, shows progress, sizes and the time left, and when the file
// is complete offers to start it and quit. With custom install procedures on,
// it only downloads and reports the file through downloadFinished.
//
// A connection that drops is tried again, up to MaxRetries times with
// growing waits; where the server can send the rest of the same file (a
// range, checked against its ETag or Last-Modified) the download resumes,
// otherwise it starts again from the beginning. With a public key set, the
// finished file must carry a valid Ed25519 signature before it is reported
// or offered.
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
    // and its base64 signature; with an empty key nothing is checked, with a
    // key and no signature the download is refused.
    void setExpectedSignature(const QString &strPublicKey, const QString &strSignature);

    static const int MaxRetries = 3;
    static const int DefaultRetryDelayMs = 1000;
    // The wait before the first new attempt; each further one waits twice as
    // long. Tests shorten it.
    void setRetryDelay(int msecs) { m_nRetryDelayMs = msecs; }
    QString fileName() const { return m_fileName; }

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
    void offerOpenButton();
    void sendRequest(const QUrl &url, bool bResume);
    void acceptReplyHead(QNetworkReply *pReply);
    void restartFromZero();
    void onReplyFinished(QNetworkReply *pReply);
    bool retryLater(QNetworkReply *pReply);
    void retry();
    void verifySignature();
    void onSignatureChecked(int nResult);
    void stopVerification();
    void completeDownload();
    bool isBusy() const;
    void handleNetworkError(const QUrl &url, QNetworkReply::NetworkError code);
    void failDownload(const QString &strReason);
    void discardPartialFile();
    QString partialFilePath() const;
    QString finalFilePath() const;

    QString m_url;
    uint m_startTime;
    QString m_fileName;
    Ui::Downloader *m_ui;
    // The reply deletes itself (deleteLater) once handled; the pointer follows it.
    QPointer<QNetworkReply> m_reply;
    QString m_userAgentString;
    bool m_useCustomProcedures;
    QNetworkAccessManager *m_manager;

    // The ".part" file data is streamed into while the reply runs, so memory
    // does not grow with the size of the download.
    QFile m_partFile;
    QCryptographicHash m_hash;
    QString m_strExpectedSha256;
    QString m_strWriteError;
    qint64 m_nWritten = 0;

    // Resuming: where the current reply's bytes start in the file, whether
    // its head was looked at, the address and validator to resume from.
    qint64 m_nReplyOffset = 0;
    bool m_bHeadChecked = false;
    QUrl m_resumeUrl;
    QByteArray m_validator;
    int m_nRetries = 0;
    int m_nRetryDelayMs = DefaultRetryDelayMs;
    QTimer m_retryTimer;

    QString m_strPublicKey;
    QString m_strSignature;
    // The check runs beside the event loop; it is stopped through the flag
    // and waited for before anything it reads goes away.
    QThread *m_pVerifier = nullptr;
    std::shared_ptr<std::atomic<bool>> m_pVerifyCancel;
};
