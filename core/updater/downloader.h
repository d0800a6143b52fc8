#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QNetworkReply>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QNetworkAccessManager;
QT_END_NAMESPACE

namespace Ui {
class Downloader;
}

// A small non-modal dialog that downloads an installer into the user's
// download folder, shows progress, sizes and the time left, and when the file
// is complete offers to start it and quit. With custom install procedures on,
// it only downloads and reports the file through downloadFinished.
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
    void onReplyFinished(QNetworkReply *pReply);
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
};
