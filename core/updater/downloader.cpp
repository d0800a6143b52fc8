#include "core/updater/downloader.h"

#include "core/core_global.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "core/updater/updaterlogging_p.h"
#include "core/updater/updatesignature.h"

#include "ui_downloader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QThread>

// Set up when the library is loaded; tests point the folder elsewhere.
static QDir s_downloadDir(QDir::homePath() + QStringLiteral("/Downloads/"));
static const QString s_partialSuffix = QStringLiteral(".part");

// Redirects the downloader follows for one download before it gives up.
static const int s_nMaxRedirects = 10;
static const qint64 s_nReadBufferSize = 4 * 1024 * 1024;
// Log lines quote at most this much of what a server sent.
static const int s_nMaxQuoted = 200;

static uint currentSeconds()
{
    return static_cast<uint>(QDateTime::currentSecsSinceEpoch());
}

// The name comes from the update server: it must name a file inside the
// download folder, never a path that leads out of it.
static bool isPlainFileName(const QString &strName)
{
    if (strName.isEmpty() || strName == QLatin1String(".") || strName == QLatin1String(".."))
        return false;
    for (const QChar c : strName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c == QChar(0))
            return false;
    }
    return true;
}

Downloader::Downloader(QWidget *parent)
    : QWidget(parent)
    , m_ui(new Ui::Downloader)
    , m_hash(QCryptographicHash::Sha256)
{
    m_ui->setupUi(this);
    m_manager = new QNetworkAccessManager();
    m_url.clear();
    m_fileName.clear();
    m_startTime = 0;
    m_useCustomProcedures = false;

    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Downloading Updates"));
    m_ui->openButton->setEnabled(false);
    m_ui->openButton->hide();
    connect(m_ui->stopButton, &QPushButton::clicked, this, &Downloader::cancelDownload);
    connect(m_ui->openButton, &QPushButton::clicked, this, &Downloader::installUpdate);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &Downloader::retry);
    setFixedSize(minimumSizeHint());
}

Downloader::~Downloader()
{
    stopVerification();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    delete m_ui;
    // Deleting the manager deletes the replies it still holds.
    delete m_manager;
}

bool Downloader::useCustomInstallProcedures() const
{
    return m_useCustomProcedures;
}

QDir Downloader::downloadDir()
{
    return s_downloadDir;
}

void Downloader::setDownloadDir(const QDir &dir)
{
    s_downloadDir = dir;
}

QString Downloader::partialSuffix()
{
    return s_partialSuffix;
}

void Downloader::setExpectedSha256(const QString &strHexDigest)
{
    m_strExpectedSha256 = strHexDigest.trimmed().toLower();
}

void Downloader::setExpectedSignature(const QString &strPublicKey, const QString &strSignature)
{
    m_strPublicKey = strPublicKey.trimmed();
    m_strSignature = strSignature.trimmed();
}

void Downloader::setUrlId(const QString &url)
{
    m_url = url;
}

void Downloader::startDownload(const QUrl &url)
{
    // A new download replaces one still running; its reply must not write
    // into the new file.
    if (m_reply) {
        QNetworkReply *pOld = m_reply;
        m_reply = nullptr;
        pOld->disconnect(this);
        pOld->abort();
        pOld->deleteLater();
    }
    m_retryTimer.stop();
    stopVerification();
    m_partFile.close();

    m_ui->progressBar->setMinimum(0);
    m_ui->progressBar->setMaximum(100);
    m_ui->progressBar->setValue(0);
    m_ui->stopButton->setText(tr("Stop"));
    m_ui->downloadLabel->setText(tr("Downloading Updates"));
    m_ui->timeLabel->setText(tr("Time Remaining") + QStringLiteral(": ") + tr("Unknown"));
    m_ui->openButton->setEnabled(false);
    m_ui->openButton->hide();

    if (m_fileName.isEmpty())
        setFileName(QString());
    if (!s_downloadDir.exists())
        s_downloadDir.mkpath(QStringLiteral("."));
    if (QFile::exists(finalFilePath()))
        QFile::remove(finalFilePath());
    if (QFile::exists(partialFilePath()))
        QFile::remove(partialFilePath());

    m_hash.reset();
    m_nWritten = 0;
    m_nRetries = 0;
    m_validator.clear();
    m_resumeUrl = url;
    m_strWriteError.clear();
    m_partFile.setFileName(partialFilePath());
    if (!m_partFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        failDownload(m_partFile.errorString());
        return;
    }

    m_startTime = currentSeconds();
    sendRequest(url, false);
    showNormal();
}

void Downloader::sendRequest(const QUrl &url, bool bResume)
{
    QNetworkRequest request(url);
    if (!m_userAgentString.isEmpty())
        request.setRawHeader("User-Agent", m_userAgentString.toUtf8());
    // Redirects are followed by the network layer (relative targets included),
    // never to a less safe scheme and not forever.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(s_nMaxRedirects);
    // Byte offsets must be those of the file: no transfer compression.
    request.setRawHeader("Accept-Encoding", "identity");
    // If-Range: the rest of the file only if it is still the same file,
    // otherwise the whole of the new one.
    if (bResume) {
        request.setRawHeader("Range", "bytes=" + QByteArray::number(m_nWritten) + '-');
        request.setRawHeader("If-Range", m_validator);
    }
    m_nReplyOffset = bResume ? m_nWritten : 0;
    m_bHeadChecked = false;

    m_reply = m_manager->get(request);
    QNetworkReply *pReply = m_reply;
    // Bounds what the network layer holds ahead of the disk writes, so a
    // connection faster than the disk cannot fill the memory.
    pReply->setReadBufferSize(s_nReadBufferSize);
    connect(pReply, &QNetworkReply::downloadProgress, this, &Downloader::updateProgress);
    // Progress reports are rate-limited by the network layer; data is written
    // whenever it arrives so it never piles up in the reply's buffer.
    connect(pReply, &QNetworkReply::readyRead, this, [this] { saveFile(0, 0); });
    connect(pReply, &QNetworkReply::finished, this, [this, pReply] { onReplyFinished(pReply); });
}

// Decides, before the first byte of a reply is written, where its bytes go,
// and keeps what a later resume needs.
void Downloader::acceptReplyHead(QNetworkReply *pReply)
{
    if (m_bHeadChecked)
        return;
    const int nStatus = pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (nStatus < 200 || nStatus >= 300)
        return;   // an error reply; its body is not part of the file
    m_bHeadChecked = true;

    if (m_nReplyOffset > 0) {
        const QByteArray range = pReply->rawHeader("Content-Range");
        static const QByteArray s_prefix = QByteArrayLiteral("bytes ");
        const int nDash = range.indexOf('-');
        bool bNumber = false;
        const qint64 nStart = range.startsWith(s_prefix) && nDash > s_prefix.size()
            ? range.mid(s_prefix.size(), nDash - s_prefix.size()).toLongLong(&bNumber)
            : -1;
        if (nStatus == 206 && bNumber && nStart == m_nWritten)
            return;
        if (nStatus == 206) {
            // A part that does not continue the file cannot be used.
            qCWarning(lcUpdater).noquote() << QStringLiteral("The server resumed the update at the wrong place: ")
                    + QString::fromLatin1(range.left(s_nMaxQuoted));
            m_strWriteError = tr("the server sent a part of the update that does not fit");
            pReply->abort();
            return;
        }
        // The file changed on the server, or it sends whole files only.
        qCInfo(lcUpdater).noquote() << QStringLiteral("The server sent the whole update again; starting over.");
        restartFromZero();
    }

    // Resuming needs a strong validator (a weak ETag does not promise the
    // same bytes) and a server that does not refuse ranges outright.
    const QByteArray etag = pReply->rawHeader("ETag");
    if (pReply->rawHeader("Accept-Ranges").trimmed().toLower() == "none")
        m_validator.clear();
    else if (!etag.isEmpty() && !etag.startsWith("W/"))
        m_validator = etag;
    else
        m_validator = pReply->rawHeader("Last-Modified");
    // Only the final address after redirects is asked for the rest.
    m_resumeUrl = pReply->url();
}

void Downloader::restartFromZero()
{
    m_partFile.resize(0);
    m_partFile.seek(0);
    m_hash.reset();
    m_nWritten = 0;
    m_nReplyOffset = 0;
}

void Downloader::setFileName(const QString &file)
{
    if (isPlainFileName(file)) {
        m_fileName = file;
        return;
    }
    if (!file.isEmpty())
        qCWarning(lcUpdater).noquote() << QStringLiteral("Ignoring unsafe download file name: ") + file;
    m_fileName = QStringLiteral("%1_Update.bin").arg(QStringLiteral("Zelto"));
}

void Downloader::setUserAgentString(const QString &agent)
{
    m_userAgentString = agent;
}

void Downloader::setUseCustomInstallProcedures(bool custom)
{
    m_useCustomProcedures = custom;
}

void Downloader::openDownload()
{
    if (m_fileName.isEmpty()) {
        IUi::critical(this, QStringLiteral(ZELTO_APP_TITLE), tr("Cannot find downloaded update!"),
                      QMessageBox::Close, QMessageBox::Ok);
        return;
    }
    // The installer replaces the running application: the projects and the
    // settings go through the window's normal close first, where the user
    // may still keep a project open.
    if (MainWindow *pMainWindow = ICore::getMainWindow()) {
        if (!pMainWindow->close()) {
            IUi::information(this, QStringLiteral(ZELTO_APP_TITLE),
                             tr("The update was not installed because a project is still open. "
                                "Save or close your projects, then click Open to install the update."),
                             QMessageBox::Ok, QMessageBox::Ok);
            offerOpenButton();
            return;
        }
    }
    const QString strFile = finalFilePath();
    // Everything is closed by now: staying would leave an invisible process.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strFile)))
        IUi::warning(nullptr, QStringLiteral(ZELTO_APP_TITLE),
                     tr("The installer could not be started. Start it yourself:\n%1")
                         .arg(QDir::toNativeSeparators(strFile)),
                     QMessageBox::Ok, QMessageBox::Ok);
    QCoreApplication::quit();
}

void Downloader::offerOpenButton()
{
    m_ui->openButton->setEnabled(true);
    m_ui->openButton->show();
    m_ui->timeLabel->setText(tr("Click Open to apply the update."));
}

void Downloader::installUpdate()
{
    if (m_useCustomProcedures)
        return;

    m_ui->stopButton->setText(tr("Close"));
    m_ui->downloadLabel->setText(tr("Download complete!"));
    m_ui->timeLabel->setText(tr("The installer will open separately") + QStringLiteral("..."));

    QMessageBox box(ICore::getMainWindow());
    box.setWindowTitle(QStringLiteral(ZELTO_APP_TITLE));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setText(QStringLiteral("<h3>") + tr("In order to install the update, you need to quit the application.")
                + QStringLiteral("</h3>"));
    box.setInformativeText(tr("Click OK to begin installing the update."));

    if (box.exec() == QMessageBox::Ok) {
        if (!m_useCustomProcedures)
            openDownload();
    } else {
        offerOpenButton();
    }
}

bool Downloader::isBusy() const
{
    return (m_reply && !m_reply->isFinished()) || m_retryTimer.isActive() || m_pVerifier;
}

void Downloader::cancelDownload()
{
    if (!isBusy()) {
        hide();
        return;
    }

    QMessageBox box(ICore::getMainWindow());
    box.setWindowTitle(QStringLiteral(ZELTO_APP_TITLE));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setText(tr("Are you sure you want to cancel the download?"));
    if (box.exec() != QMessageBox::Yes)
        return;

    hide();
    // The download may have moved on while the question was open.
    if (m_reply && !m_reply->isFinished()) {
        m_reply->abort();
    } else if (m_retryTimer.isActive() || m_pVerifier) {
        m_retryTimer.stop();
        stopVerification();
        discardPartialFile();
        qCInfo(lcUpdater).noquote() << QStringLiteral("Download of the update cancelled.");
    }
}

void Downloader::saveFile(qint64 received, qint64 total)
{
    Q_UNUSED(received)
    Q_UNUSED(total)
    if (!m_reply || !m_reply->isOpen() || !m_partFile.isOpen() || !m_strWriteError.isEmpty())
        return;
    acceptReplyHead(m_reply);
    if (!m_strWriteError.isEmpty())
        return;

    const QByteArray data = m_reply->readAll();
    if (data.isEmpty())
        return;
    const qint64 nWritten = m_partFile.write(data);
    if (nWritten != data.size()) {
        // A file that misses data must never be offered as the installer.
        m_strWriteError = m_partFile.errorString();
        m_reply->abort();
        return;
    }
    // Hashing costs time, so it is only done when there is a digest to check.
    if (!m_strExpectedSha256.isEmpty())
        m_hash.addData(data);
    m_nWritten += nWritten;
}

void Downloader::calculateSizes(qint64 received, qint64 total)
{
    m_ui->downloadLabel->setText(sizesText(received, total));
}

void Downloader::updateProgress(qint64 received, qint64 total)
{
    if (m_reply)
        acceptReplyHead(m_reply);
    // A resumed download counts on from the bytes it already has.
    received += m_nReplyOffset;
    if (total > 0)
        total += m_nReplyOffset;
    m_ui->progressBar->setMinimum(0);
    if (total > 0) {
        m_ui->progressBar->setMaximum(100);
        m_ui->progressBar->setValue(static_cast<int>(received * 100 / total));
        calculateSizes(received, total);
        calculateTimeRemaining(received, total);
    } else {
        m_ui->progressBar->setMaximum(0);
        m_ui->progressBar->setValue(-1);
        m_ui->downloadLabel->setText(tr("Downloading Updates") + QStringLiteral("..."));
        m_ui->timeLabel->setText(QStringLiteral("%1: %2").arg(tr("Time Remaining"), tr("Unknown")));
    }
    // Written as it arrives, also without a known size, so the data never
    // piles up in memory.
    saveFile(received, total);
}

void Downloader::calculateTimeRemaining(qint64 received, qint64 total)
{
    const qint64 elapsed = static_cast<qint64>(currentSeconds()) - static_cast<qint64>(m_startTime);
    const QString text = timeRemainingText(received, total, elapsed);
    if (text.isEmpty())
        return;
    m_ui->timeLabel->setText(tr("Time Remaining") + QStringLiteral(": ") + text);
}

QString Downloader::sizesText(qint64 received, qint64 total)
{
    QString strReceived;
    if (received < 1024)
        strReceived = tr("%1 bytes").arg(received);
    else if (received < 1048576)
        strReceived = tr("%1 KB").arg(received / 1024);
    else
        strReceived = tr("%1 MB").arg(received / 1048576);

    QString strTotal;
    if (total < 1024)
        strTotal = tr("%1 bytes").arg(total);
    else if (total < 1048576)
        strTotal = tr("%1 KB").arg(qRound64(total / 1024.0 * 100) / 100.0);
    else
        strTotal = tr("%1 MB").arg(qRound64(total / 1048576.0 * 100) / 100.0);

    return tr("Downloading Updates") + QStringLiteral(" (") + strReceived + QStringLiteral(" ") + tr("of")
        + QStringLiteral(" ") + strTotal + QStringLiteral(")");
}

QString Downloader::timeRemainingText(qint64 received, qint64 total, qint64 elapsedSeconds)
{
    if (elapsedSeconds <= 0)
        return QString();
    const qint64 speed = received / elapsedSeconds;
    // Below one byte per second there is no estimate worth showing.
    if (speed <= 0)
        return tr("Unknown");

    const double s = static_cast<double>(qMax<qint64>(0, total - received) / speed);
    if (s > 7200) {
        const int n = static_cast<int>(s / 3600 + 0.5);
        return tr("About %1 hours").arg(n);
    }
    if (s > 60) {
        const int n = static_cast<int>(s / 60 + 0.5);
        return n <= 1 ? tr("About 1 minute") : tr("About %1 minutes").arg(n);
    }
    const int n = static_cast<int>(s + 0.5);
    return n <= 1 ? tr("1 second") : tr("%1 seconds").arg(n);
}

void Downloader::onReplyFinished(QNetworkReply *pReply)
{
    if (pReply != m_reply) {
        pReply->deleteLater();
        return;
    }
    // Whatever arrived after the last progress report.
    saveFile(0, 0);
    m_reply = nullptr;
    pReply->deleteLater();

    if (!m_strWriteError.isEmpty()) {
        failDownload(m_strWriteError);
        return;
    }
    if (pReply->error() != QNetworkReply::NoError) {
        if (!retryLater(pReply))
            handleNetworkError(pReply->request().url(), pReply->error());
        return;
    }

    // Buffered data reaches the disk only here; a full disk shows up now.
    if (!m_partFile.flush()) {
        failDownload(m_partFile.errorString());
        return;
    }
    m_partFile.close();
    if (m_partFile.error() != QFileDevice::NoError) {
        failDownload(m_partFile.errorString());
        return;
    }

    if (!m_strExpectedSha256.isEmpty()) {
        const QString strActual = QString::fromLatin1(m_hash.result().toHex());
        if (strActual != m_strExpectedSha256) {
            qCWarning(lcUpdater).noquote() << QStringLiteral("SHA-256 mismatch of the downloaded update: expected ")
                    + m_strExpectedSha256.left(s_nMaxQuoted) + QStringLiteral(", got ") + strActual;
            failDownload(tr("the SHA-256 checksum of the downloaded file does not match"));
            return;
        }
    }

    if (m_strPublicKey.isEmpty())
        completeDownload();
    else
        verifySignature();
}

// A connection that broke off is tried again, the others are not: a server
// that answered with an error will answer the same way again.
bool Downloader::retryLater(QNetworkReply *pReply)
{
    switch (pReply->error()) {
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::UnknownNetworkError:
        break;
    default:
        return false;
    }
    if (m_nRetries >= MaxRetries)
        return false;
    const int nWait = m_nRetryDelayMs << m_nRetries;
    ++m_nRetries;
    qCInfo(lcUpdater).noquote() << QStringLiteral("The download of the update broke off after %1 bytes; "
                                                  "trying again in %2 ms (attempt %3 of %4).")
                                       .arg(m_nWritten)
                                       .arg(nWait)
                                       .arg(m_nRetries)
                                       .arg(MaxRetries);
    m_ui->timeLabel->setText(tr("The connection was lost. Trying again..."));
    m_retryTimer.start(nWait);
    return true;
}

void Downloader::retry()
{
    const bool bResume = m_nWritten > 0 && !m_validator.isEmpty();
    if (!bResume)
        restartFromZero();
    sendRequest(m_resumeUrl, bResume);
}

void Downloader::verifySignature()
{
    const QByteArray publicKey = UpdateSignature::decode(m_strPublicKey, UpdateSignature::PublicKeySize);
    if (publicKey.isEmpty()) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The public key for updates is not an Ed25519 key in base64.");
        failDownload(tr("the update could not be verified"));
        return;
    }
    if (m_strSignature.isEmpty()) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The update is not signed; it was deleted.");
        failDownload(tr("the update could not be verified because it is not signed"));
        return;
    }
    const QByteArray signature = UpdateSignature::decode(m_strSignature, UpdateSignature::SignatureSize);

    m_ui->downloadLabel->setText(tr("Verifying the update..."));
    m_ui->timeLabel->setText(QString());
    auto pCancel = std::make_shared<std::atomic<bool>>(false);
    auto pResult = std::make_shared<std::atomic<int>>(UpdateSignature::Invalid);
    const QString strPath = partialFilePath();
    QThread *pThread = QThread::create([strPath, publicKey, signature, pCancel, pResult] {
        pResult->store(UpdateSignature::verifyFile(strPath, publicKey, signature, pCancel.get()));
    });
    m_pVerifier = pThread;
    m_pVerifyCancel = pCancel;
    // Queued to this object; a check stopped meanwhile was deleted already.
    const QPointer<QThread> guard(pThread);
    connect(pThread, &QThread::finished, this, [this, guard, pResult] {
        if (!guard || guard != m_pVerifier)
            return;
        m_pVerifier = nullptr;
        guard->deleteLater();
        onSignatureChecked(pResult->load());
    });
    pThread->start();
}

void Downloader::onSignatureChecked(int nResult)
{
    switch (nResult) {
    case UpdateSignature::Valid:
        completeDownload();
        return;
    case UpdateSignature::Unreadable:
        failDownload(tr("the downloaded file cannot be read"));
        return;
    case UpdateSignature::Cancelled:
        return;
    default:
        qCWarning(lcUpdater).noquote() << QStringLiteral("The signature of the update is not valid; it was deleted.");
        failDownload(tr("the update could not be verified because its signature is not valid"));
    }
}

void Downloader::stopVerification()
{
    if (!m_pVerifier)
        return;
    m_pVerifyCancel->store(true);
    m_pVerifier->wait();
    delete m_pVerifier;
    m_pVerifier = nullptr;
}

void Downloader::completeDownload()
{
    if (QFile::exists(finalFilePath()) && !QFile::remove(finalFilePath())) {
        failDownload(tr("cannot replace %1").arg(QDir::toNativeSeparators(finalFilePath())));
        return;
    }
    if (!m_partFile.rename(finalFilePath())) {
        failDownload(m_partFile.errorString());
        return;
    }

    m_ui->progressBar->setMaximum(100);
    m_ui->progressBar->setValue(100);
    emit downloadFinished(m_url, s_downloadDir.filePath(m_fileName));
    installUpdate();
}

void Downloader::handleNetworkError(const QUrl &url, QNetworkReply::NetworkError code)
{
    m_partFile.close();
    close();
    qCInfo(lcUpdater).noquote() << QStringLiteral("Error downloading update: ") + url.toString()
            + QStringLiteral(". Error code: ") + QString::number(code);
    if (code != QNetworkReply::OperationCanceledError) {
        IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     tr("Cannot download update: %1.").arg(static_cast<int>(code)), QMessageBox::Ok,
                     QMessageBox::Ok);
    }
}

void Downloader::failDownload(const QString &strReason)
{
    discardPartialFile();
    close();
    qCWarning(lcUpdater).noquote() << QStringLiteral("Cannot save the downloaded update: ") + strReason;
    IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE), tr("Cannot download update: %1.").arg(strReason),
                 QMessageBox::Ok, QMessageBox::Ok);
}

void Downloader::discardPartialFile()
{
    m_partFile.close();
    if (QFile::exists(partialFilePath()))
        QFile::remove(partialFilePath());
}

QString Downloader::partialFilePath() const
{
    return s_downloadDir.filePath(m_fileName + s_partialSuffix);
}

QString Downloader::finalFilePath() const
{
    return s_downloadDir.filePath(m_fileName);
}
