#include "core/updater/downloader.h"

#include "core/core_global.h"
#include "core/icore.h"
#include "core/iui.h"
#include "core/mainwindow.h"
#include "core/updater/appcast.h"
#include "core/updater/updatenetworkpolicy.h"
#include "core/updater/updaterlogging_p.h"
#include "core/updater/updatesignature.h"
#include "core/updater/updatestatement.h"
#include "core/welcome/bridgelogthrottle_p.h"

#include "ui_downloader.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

// Set up when the library is loaded; tests point the folder elsewhere.
static QDir s_downloadDir(QDir::homePath() + QStringLiteral("/Downloads/"));
static const QString s_partialSuffix = QStringLiteral(".part");

static const qint64 s_nReadBufferSize = 4 * 1024 * 1024;
// Names tried for one download before it gives up: "name", "name (1)", ...
static const int s_nMaxNumberedNames = 1000;

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

// "name (n).ext" for the n-th try, as browsers number a download whose name
// is taken; ".tar.gz" and the like stay together.
static QString numberedName(const QString &strName, int n)
{
    if (n == 0)
        return strName;
    int nDot = strName.lastIndexOf(QLatin1Char('.'));
    if (nDot > 0 && strName.left(nDot).endsWith(QLatin1String(".tar"), Qt::CaseInsensitive))
        nDot -= 4;
    const QString strNumber = QStringLiteral(" (%1)").arg(n);
    return nDot > 0 ? strName.left(nDot) + strNumber + strName.mid(nDot) : strName + strNumber;
}

// A name is free when nothing is there, not even a link that leads nowhere.
static bool isTaken(const QString &strPath)
{
    const QFileInfo info(strPath);
    return info.exists() || info.isSymLink();
}

class DownloaderPrivate
{
public:
    explicit DownloaderPrivate(Downloader *pOwner)
        : q(pOwner)
        , sha256(QCryptographicHash::Sha256)
        , sha512(QCryptographicHash::Sha512)
    {
    }

    void offerOpenButton();
    void sendRequest(const QUrl &url, bool bResume);
    void acceptReplyHead(QNetworkReply *pReply);
    void restartFromZero();
    void onReplyFinished(QNetworkReply *pReply);
    bool retryLater(QNetworkReply *pReply);
    void retry();
    QString checkRelease();
    QString createPartialFile();
    bool isPrivateFolder(const QString &strFolder) const;
    QString checkInstaller() const;
    void completeDownload();
    bool isBusy() const;
    void abortReply();
    void handleNetworkError(const QUrl &url, QNetworkReply::NetworkError code);
    void failDownload(const QString &strReason);
    void discardPartialFile();

    Downloader *const q;
    Ui::Downloader ui;

    QString strUrl;
    uint nStartTime = 0;
    // The name asked for (what a signed statement must name) and the safe
    // name made of it.
    QString strRequestedName;
    QString strFileName;
    // The reply deletes itself (deleteLater) once handled; the pointer follows it.
    QPointer<QNetworkReply> pReply;
    QString strUserAgent;
    bool bCustomProcedures = false;
    // Owned; deleting it deletes the replies it still holds.
    QNetworkAccessManager *pManager = nullptr;

    // Where this download goes, and the owner of the file made there (this
    // user, as the system sees it).
    QString strFolder;
    int nNameNumber = 0;   // the name "name (n).ext" the ".part" file was made for
    uint nOwnerId = 0;
    // The ".part" file data is streamed into while the reply runs, so memory
    // does not grow with the size of the download. Only a file this
    // downloader made itself is ever written, renamed or removed.
    QFile partFile;
    bool bOwnsPartFile = false;
    QCryptographicHash sha256;
    QCryptographicHash sha512;
    QString strExpectedSha256;
    QString strWriteError;
    qint64 nWritten = 0;
    // The finished file, once it passed every check; empty before.
    QString strInstallerPath;
    bool bVerified = false;

    // Resuming: where the current reply's bytes start in the file, whether
    // its head was looked at, the address and validator to resume from.
    qint64 nReplyOffset = 0;
    bool bHeadChecked = false;
    bool bResumeRequest = false;
    int nRedirects = 0;
    QUrl resumeUrl;
    QByteArray validator;
    int nRetries = 0;
    int nRetryDelayMs = Downloader::DefaultRetryDelayMs;
    QTimer retryTimer;

    QString strPublicKey;
    QString strSignature;
    QString strStatement;
    QString strVersion;
    QString strPlatform;
    QString strInstalledVersion;
    UpdateStatement statement;
};

Downloader::Downloader(QWidget *parent)
    : QWidget(parent)
    , d(new DownloaderPrivate(this))
{
    d->ui.setupUi(this);
    d->pManager = UpdateNetworkPolicy::createManager(nullptr);

    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Downloading Updates"));
    d->ui.openButton->setEnabled(false);
    d->ui.openButton->hide();
    connect(d->ui.stopButton, &QPushButton::clicked, this, &Downloader::cancelDownload);
    connect(d->ui.openButton, &QPushButton::clicked, this, &Downloader::installUpdate);
    d->retryTimer.setSingleShot(true);
    connect(&d->retryTimer, &QTimer::timeout, this, [this] { d->retry(); });
    setFixedSize(minimumSizeHint());
}

Downloader::~Downloader()
{
    d->abortReply();
    d->discardPartialFile();
    delete d->pManager;
}

bool Downloader::useCustomInstallProcedures() const
{
    return d->bCustomProcedures;
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
    d->strExpectedSha256 = strHexDigest.trimmed().toLower();
}

void Downloader::setExpectedSignature(const QString &strPublicKey, const QString &strSignature)
{
    d->strPublicKey = strPublicKey.trimmed();
    d->strSignature = strSignature.trimmed();
}

void Downloader::setExpectedRelease(const QString &strStatement, const QString &strVersion,
                                    const QString &strPlatform, const QString &strInstalledVersion)
{
    d->strStatement = strStatement;
    d->strVersion = strVersion;
    d->strPlatform = strPlatform;
    d->strInstalledVersion = strInstalledVersion;
}

void Downloader::setRetryDelay(int msecs)
{
    d->nRetryDelayMs = msecs;
}

QString Downloader::fileName() const
{
    return d->strFileName;
}

void Downloader::setUrlId(const QString &url)
{
    d->strUrl = url;
}

void DownloaderPrivate::abortReply()
{
    if (!pReply)
        return;
    QNetworkReply *pOld = pReply;
    pReply = nullptr;
    pOld->disconnect(q);
    pOld->abort();
    pOld->deleteLater();
}

void Downloader::startDownload(const QUrl &url)
{
    // A new download replaces one still running; its reply must not write
    // into the new file, and its partial file is of no more use.
    d->abortReply();
    d->retryTimer.stop();
    d->discardPartialFile();
    d->strInstallerPath.clear();
    d->bVerified = false;

    d->ui.progressBar->setMinimum(0);
    d->ui.progressBar->setMaximum(100);
    d->ui.progressBar->setValue(0);
    d->ui.stopButton->setText(tr("Stop"));
    d->ui.downloadLabel->setText(tr("Downloading Updates"));
    d->ui.timeLabel->setText(tr("Time Remaining") + QStringLiteral(": ") + tr("Unknown"));
    d->ui.openButton->setEnabled(false);
    d->ui.openButton->hide();

    if (d->strFileName.isEmpty())
        setFileName(QString());
    // A release that is not the one asked for is not even fetched.
    QString strRefusal = d->checkRelease();
    if (strRefusal.isEmpty())
        strRefusal = d->createPartialFile();
    if (!strRefusal.isEmpty()) {
        d->failDownload(strRefusal);
        return;
    }

    d->sha256.reset();
    d->sha512.reset();
    d->nWritten = 0;
    d->nRetries = 0;
    d->validator.clear();
    d->resumeUrl = url;
    d->strWriteError.clear();
    d->nStartTime = currentSeconds();
    d->nRedirects = 0;
    d->sendRequest(url, false);
    showNormal();
}

// Empty when the download may go ahead; else why not. With a key, the
// appcast's statement must be signed with it and name exactly this release.
QString DownloaderPrivate::checkRelease()
{
    if (strPublicKey.isEmpty()) {
        if (bCustomProcedures)
            return QString();   // the caller installs, and checks, the file itself
        qCWarning(lcUpdater).noquote() << QStringLiteral("No public key for updates; no installer is opened.");
        return Downloader::tr("the application has no key to verify updates with");
    }
    const QByteArray publicKey = UpdateSignature::decode(strPublicKey, UpdateSignature::PublicKeySize);
    if (publicKey.isEmpty()) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The public key for updates is not an Ed25519 key in base64.");
        return Downloader::tr("the update could not be verified");
    }
    if (strSignature.isEmpty() || strStatement.isEmpty()) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The update is not signed.");
        return Downloader::tr("the update could not be verified because it is not signed");
    }
    const QByteArray text = strStatement.toUtf8();
    UpdateStatement signedRelease;
    if (!UpdateSignature::verify(text, publicKey, UpdateSignature::decode(strSignature, UpdateSignature::SignatureSize))
        || !UpdateStatement::parse(text, &signedRelease)) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The signature of the update is not valid.");
        return Downloader::tr("the update could not be verified because its signature is not valid");
    }
    // A valid signature of another release: an old installer offered as a
    // new one, or one made for another file or system.
    const QString strSigned = QStringLiteral("%1 %2 for %3")
                                  .arg(BridgeLogThrottle::excerpt(signedRelease.strFile),
                                       BridgeLogThrottle::excerpt(signedRelease.strVersion),
                                       BridgeLogThrottle::excerpt(signedRelease.strPlatform));
    if (signedRelease.strFile != strRequestedName || signedRelease.strPlatform != strPlatform) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The update is signed as %1, not as %2 for %3.")
                                              .arg(strSigned, BridgeLogThrottle::excerpt(strRequestedName),
                                                   BridgeLogThrottle::excerpt(strPlatform));
        return Downloader::tr("the update is signed for another file or system");
    }
    if (signedRelease.strVersion != strVersion) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The update is signed as %1, not as version %2.")
                                              .arg(strSigned, BridgeLogThrottle::excerpt(strVersion));
        return Downloader::tr("the update is signed for another version");
    }
    if (!Appcast::compareVersions(signedRelease.strVersion, strInstalledVersion)) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The update is signed as %1, not newer than version %2.")
                                              .arg(strSigned, BridgeLogThrottle::excerpt(strInstalledVersion));
        return Downloader::tr("the update is not newer than the installed version");
    }
    statement = signedRelease;
    return QString();
}

// A folder this user owns and nobody else can write: a file in it stays
// what this user left there until it is opened.
bool DownloaderPrivate::isPrivateFolder(const QString &strPath) const
{
    const QFileInfo folder(strPath);
    if (!folder.isDir())
        return false;
#ifdef Q_OS_UNIX
    return folder.ownerId() == nOwnerId
        && !(folder.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther));
#else
    return true;
#endif
}

// Makes the folder if needed and a ".part" file of a free name in it;
// empty on success, else why not.
QString DownloaderPrivate::createPartialFile()
{
    strFolder = s_downloadDir.absolutePath();
    if (!QFileInfo::exists(strFolder)) {
        const QFileInfo folder(strFolder);
        // Made closed; a folder that exists already keeps its mode.
        if (QDir().mkpath(folder.absolutePath()) && QDir().mkdir(strFolder))
            QFile::setPermissions(strFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QDir folder(strFolder);
    for (int n = 0; n < s_nMaxNumberedNames; ++n) {
        const QString strName = numberedName(strFileName, n);
        if (isTaken(folder.filePath(strName)) || isTaken(folder.filePath(strName + s_partialSuffix)))
            continue;
        partFile.setFileName(folder.filePath(strName + s_partialSuffix));
        // Made here and now, or not at all: never a file or a link that was there.
        if (!partFile.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (isTaken(partFile.fileName()))
                continue;   // taken in the meantime
            return partFile.errorString();
        }
        bOwnsPartFile = true;
        nNameNumber = n;
        nOwnerId = QFileInfo(partFile.fileName()).ownerId();
        if (!isPrivateFolder(strFolder)) {
            qCWarning(lcUpdater).noquote() << QStringLiteral("Not downloading the update into %1: other users can "
                                                             "change files there.")
                                                  .arg(strFolder);
            discardPartialFile();
            return Downloader::tr("other users can change files in %1").arg(QDir::toNativeSeparators(strFolder));
        }
        return QString();
    }
    return Downloader::tr("no free file name for %1 in %2").arg(strFileName, QDir::toNativeSeparators(strFolder));
}

void DownloaderPrivate::sendRequest(const QUrl &url, bool bResume)
{
    QNetworkRequest request = UpdateNetworkPolicy::request(url, strUserAgent);
    // If-Range: the rest of the file only if it is still the same file,
    // otherwise the whole of the new one.
    if (bResume) {
        request.setRawHeader("Range", "bytes=" + QByteArray::number(nWritten) + '-');
        request.setRawHeader("If-Range", validator);
    }
    nReplyOffset = bResume ? nWritten : 0;
    bResumeRequest = bResume;
    bHeadChecked = false;

    pReply = pManager->get(request);
    QNetworkReply *pNew = pReply;
    // Bounds what the network layer holds ahead of the disk writes, so a
    // connection faster than the disk cannot fill the memory.
    pNew->setReadBufferSize(s_nReadBufferSize);
    QObject::connect(pNew, &QNetworkReply::downloadProgress, q, &Downloader::updateProgress);
    // Progress reports are rate-limited by the network layer; data is written
    // whenever it arrives so it never piles up in the reply's buffer.
    QObject::connect(pNew, &QNetworkReply::readyRead, q, [this] { q->saveFile(0, 0); });
    QObject::connect(pNew, &QNetworkReply::finished, q, [this, pNew] { onReplyFinished(pNew); });
}

// Decides, before the first byte of a reply is written, where its bytes go,
// and keeps what a later resume needs.
void DownloaderPrivate::acceptReplyHead(QNetworkReply *pHeadReply)
{
    if (bHeadChecked)
        return;
    const int nStatus = pHeadReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (nStatus < 200 || nStatus >= 300)
        return;   // a redirect or an error; its body is not part of the file
    bHeadChecked = true;

    if (nReplyOffset > 0) {
        const QByteArray range = pHeadReply->rawHeader("Content-Range");
        static const QByteArray s_prefix = QByteArrayLiteral("bytes ");
        const int nDash = range.indexOf('-');
        bool bNumber = false;
        const qint64 nStart = range.startsWith(s_prefix) && nDash > s_prefix.size()
            ? range.mid(s_prefix.size(), nDash - s_prefix.size()).toLongLong(&bNumber)
            : -1;
        if (nStatus == 206 && bNumber && nStart == nWritten)
            return;
        if (nStatus == 206) {
            // A part that does not continue the file cannot be used.
            qCWarning(lcUpdater).noquote() << QStringLiteral("The server resumed the update at the wrong place: ")
                    + BridgeLogThrottle::excerpt(QString::fromLatin1(range));
            strWriteError = Downloader::tr("the server sent a part of the update that does not fit");
            pHeadReply->abort();
            return;
        }
        // The file changed on the server, or it sends whole files only.
        qCInfo(lcUpdater).noquote() << QStringLiteral("The server sent the whole update again; starting over.");
        restartFromZero();
    }

    // Resuming needs a strong validator (a weak ETag does not promise the
    // same bytes) and a server that does not refuse ranges outright.
    const QByteArray etag = pHeadReply->rawHeader("ETag");
    if (pHeadReply->rawHeader("Accept-Ranges").trimmed().toLower() == "none")
        validator.clear();
    else if (!etag.isEmpty() && !etag.startsWith("W/"))
        validator = etag;
    else
        validator = pHeadReply->rawHeader("Last-Modified");
    // Only the final address after redirects is asked for the rest.
    resumeUrl = pHeadReply->url();
}

void DownloaderPrivate::restartFromZero()
{
    partFile.resize(0);
    partFile.seek(0);
    sha256.reset();
    sha512.reset();
    nWritten = 0;
    nReplyOffset = 0;
}

void Downloader::setFileName(const QString &file)
{
    d->strRequestedName = file;
    if (isPlainFileName(file)) {
        d->strFileName = file;
        return;
    }
    if (!file.isEmpty())
        qCWarning(lcUpdater).noquote() << QStringLiteral("Ignoring unsafe download file name: ")
                + BridgeLogThrottle::excerpt(file);
    d->strFileName = QStringLiteral("%1_Update.bin").arg(QStringLiteral("Zelto"));
}

void Downloader::setUserAgentString(const QString &agent)
{
    d->strUserAgent = agent;
}

void Downloader::setUseCustomInstallProcedures(bool custom)
{
    d->bCustomProcedures = custom;
}

// Empty when the finished installer is still the file that was checked;
// else what changed.
QString DownloaderPrivate::checkInstaller() const
{
    const QFileInfo info(strInstallerPath);
    QFile file(strInstallerPath);
    if (!bVerified || !isPrivateFolder(info.absolutePath()) || info.isSymLink() || !info.isFile()
        || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("it is gone or no longer a file of its own");
    QCryptographicHash sha512Now(QCryptographicHash::Sha512);
    if (!sha512Now.addData(&file) || sha512Now.result() != statement.sha512)
        return QStringLiteral("its contents changed");
    if (strExpectedSha256.isEmpty())
        return QString();
    QCryptographicHash sha256Now(QCryptographicHash::Sha256);
    if (!file.seek(0) || !sha256Now.addData(&file)
        || QString::fromLatin1(sha256Now.result().toHex()) != strExpectedSha256)
        return QStringLiteral("its contents changed");
    return QString();
}

void Downloader::openDownload()
{
    if (d->strFileName.isEmpty()) {
        IUi::critical(this, QStringLiteral(ZELTO_APP_TITLE), tr("Cannot find downloaded update!"),
                      QMessageBox::Close, QMessageBox::Ok);
        return;
    }
    // Checked before the projects are closed and once more right before the
    // system gets the file: it may have changed while a question was open.
    const auto changed = [this](QWidget *pParent, const QString &strWhat) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("Not installing the update %1: %2.")
                                              .arg(d->strInstallerPath, strWhat);
        QFile::remove(d->strInstallerPath);
        d->strInstallerPath.clear();
        d->bVerified = false;
        IUi::warning(pParent, QStringLiteral(ZELTO_APP_TITLE),
                     tr("The update was not installed because the downloaded file changed after it was checked."),
                     QMessageBox::Ok, QMessageBox::Ok);
    };
    QString strChange = d->checkInstaller();
    if (!strChange.isEmpty()) {
        changed(ICore::getMainWindow(), strChange);
        hide();
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
            d->offerOpenButton();
            return;
        }
    }
    const QString strFile = d->strInstallerPath;
    strChange = d->checkInstaller();
    // Everything is closed by now: staying would leave an invisible process.
    if (!strChange.isEmpty())
        changed(nullptr, strChange);
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(strFile)))
        IUi::warning(nullptr, QStringLiteral(ZELTO_APP_TITLE),
                     tr("The installer could not be started. Start it yourself:\n%1")
                         .arg(QDir::toNativeSeparators(strFile)),
                     QMessageBox::Ok, QMessageBox::Ok);
    QCoreApplication::quit();
}

void DownloaderPrivate::offerOpenButton()
{
    ui.openButton->setEnabled(true);
    ui.openButton->show();
    ui.timeLabel->setText(Downloader::tr("Click Open to apply the update."));
}

void Downloader::installUpdate()
{
    if (d->bCustomProcedures)
        return;

    d->ui.stopButton->setText(tr("Close"));
    d->ui.downloadLabel->setText(tr("Download complete!"));
    d->ui.timeLabel->setText(tr("The installer will open separately") + QStringLiteral("..."));

    QMessageBox box(ICore::getMainWindow());
    box.setWindowTitle(QStringLiteral(ZELTO_APP_TITLE));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setText(QStringLiteral("<h3>") + tr("In order to install the update, you need to quit the application.")
                + QStringLiteral("</h3>"));
    box.setInformativeText(tr("Click OK to begin installing the update."));

    if (box.exec() == QMessageBox::Ok) {
        if (!d->bCustomProcedures)
            openDownload();
    } else {
        d->offerOpenButton();
    }
}

bool DownloaderPrivate::isBusy() const
{
    return (pReply && !pReply->isFinished()) || retryTimer.isActive();
}

void Downloader::cancelDownload()
{
    if (!d->isBusy()) {
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
    if (d->pReply && !d->pReply->isFinished()) {
        d->pReply->abort();
    } else if (d->retryTimer.isActive()) {
        d->retryTimer.stop();
        d->discardPartialFile();
        qCInfo(lcUpdater).noquote() << QStringLiteral("Download of the update cancelled.");
    }
}

void Downloader::saveFile(qint64 received, qint64 total)
{
    Q_UNUSED(received)
    Q_UNUSED(total)
    QNetworkReply *pReply = d->pReply;
    if (!pReply || !pReply->isOpen() || !d->partFile.isOpen() || !d->strWriteError.isEmpty())
        return;
    d->acceptReplyHead(pReply);
    if (!d->strWriteError.isEmpty())
        return;

    const QByteArray data = pReply->readAll();
    // The body of a redirect or an error is no part of the file.
    if (data.isEmpty() || !d->bHeadChecked)
        return;
    const qint64 nWritten = d->partFile.write(data);
    if (nWritten != data.size()) {
        // A file that misses data must never be offered as the installer.
        d->strWriteError = d->partFile.errorString();
        pReply->abort();
        return;
    }
    // Hashing costs time, so it is only done when there is a digest to check.
    if (!d->strExpectedSha256.isEmpty())
        d->sha256.addData(data);
    if (!d->strPublicKey.isEmpty())
        d->sha512.addData(data);
    d->nWritten += nWritten;
}

void Downloader::calculateSizes(qint64 received, qint64 total)
{
    d->ui.downloadLabel->setText(sizesText(received, total));
}

void Downloader::updateProgress(qint64 received, qint64 total)
{
    if (d->pReply) {
        d->acceptReplyHead(d->pReply);
        // Only the file's own bytes count, not a redirect's or an error's.
        if (!d->bHeadChecked)
            return;
    }
    // A resumed download counts on from the bytes it already has.
    received += d->nReplyOffset;
    if (total > 0)
        total += d->nReplyOffset;
    d->ui.progressBar->setMinimum(0);
    if (total > 0) {
        d->ui.progressBar->setMaximum(100);
        d->ui.progressBar->setValue(static_cast<int>(received * 100 / total));
        calculateSizes(received, total);
        calculateTimeRemaining(received, total);
    } else {
        d->ui.progressBar->setMaximum(0);
        d->ui.progressBar->setValue(-1);
        d->ui.downloadLabel->setText(tr("Downloading Updates") + QStringLiteral("..."));
        d->ui.timeLabel->setText(QStringLiteral("%1: %2").arg(tr("Time Remaining"), tr("Unknown")));
    }
    // Written as it arrives, also without a known size, so the data never
    // piles up in memory.
    saveFile(received, total);
}

void Downloader::calculateTimeRemaining(qint64 received, qint64 total)
{
    const qint64 elapsed = static_cast<qint64>(currentSeconds()) - static_cast<qint64>(d->nStartTime);
    const QString text = timeRemainingText(received, total, elapsed);
    if (text.isEmpty())
        return;
    d->ui.timeLabel->setText(tr("Time Remaining") + QStringLiteral(": ") + text);
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

void DownloaderPrivate::onReplyFinished(QNetworkReply *pFinished)
{
    if (pFinished != pReply) {
        pFinished->deleteLater();
        return;
    }
    // Whatever arrived after the last progress report.
    q->saveFile(0, 0);
    pReply = nullptr;
    pFinished->deleteLater();

    if (!strWriteError.isEmpty()) {
        failDownload(strWriteError);
        return;
    }
    QUrl target;
    switch (UpdateNetworkPolicy::redirect(pFinished, nRedirects, &target)) {
    case UpdateNetworkPolicy::Follow:
        ++nRedirects;
        sendRequest(target, bResumeRequest);
        return;
    case UpdateNetworkPolicy::Unsafe:
        qCWarning(lcUpdater).noquote() << QStringLiteral("Refused a redirect of the update download: ")
                + BridgeLogThrottle::excerpt(target.toString());
        handleNetworkError(pFinished->request().url(), QNetworkReply::InsecureRedirectError);
        return;
    case UpdateNetworkPolicy::TooMany:
        handleNetworkError(pFinished->request().url(), QNetworkReply::TooManyRedirectsError);
        return;
    case UpdateNetworkPolicy::NoRedirect:
        break;
    }
    if (pFinished->error() != QNetworkReply::NoError) {
        if (!retryLater(pFinished))
            handleNetworkError(pFinished->request().url(), pFinished->error());
        return;
    }

    // Buffered data reaches the disk only here; a full disk shows up now.
    if (!partFile.flush()) {
        failDownload(partFile.errorString());
        return;
    }
    partFile.close();
    if (partFile.error() != QFileDevice::NoError) {
        failDownload(partFile.errorString());
        return;
    }

    if (!strExpectedSha256.isEmpty()) {
        const QString strActual = QString::fromLatin1(sha256.result().toHex());
        if (strActual != strExpectedSha256) {
            qCWarning(lcUpdater).noquote() << QStringLiteral("SHA-256 mismatch of the downloaded update: expected ")
                    + BridgeLogThrottle::excerpt(strExpectedSha256) + QStringLiteral(", got ") + strActual;
            failDownload(Downloader::tr("the SHA-256 checksum of the downloaded file does not match"));
            return;
        }
    }
    if (!strPublicKey.isEmpty() && sha512.result() != statement.sha512) {
        qCWarning(lcUpdater).noquote() << QStringLiteral("The downloaded update is not the file its statement signs.");
        failDownload(Downloader::tr("the update could not be verified because its signature is not valid"));
        return;
    }
    completeDownload();
}

// A connection that broke off is tried again, the others are not: a server
// that answered with an error will answer the same way again.
bool DownloaderPrivate::retryLater(QNetworkReply *pFailed)
{
    switch (pFailed->error()) {
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
    if (nRetries >= Downloader::MaxRetries)
        return false;
    const int nWait = nRetryDelayMs << nRetries;
    ++nRetries;
    qCInfo(lcUpdater).noquote() << QStringLiteral("The download of the update broke off after %1 bytes; "
                                                  "trying again in %2 ms (attempt %3 of %4).")
                                       .arg(nWritten)
                                       .arg(nWait)
                                       .arg(nRetries)
                                       .arg(Downloader::MaxRetries);
    ui.timeLabel->setText(Downloader::tr("The connection was lost. Trying again..."));
    retryTimer.start(nWait);
    return true;
}

void DownloaderPrivate::retry()
{
    const bool bResume = nWritten > 0 && !validator.isEmpty();
    if (!bResume)
        restartFromZero();
    nRedirects = 0;
    sendRequest(resumeUrl, bResume);
}

void DownloaderPrivate::completeDownload()
{
    // The name the ".part" file was made for may have been taken meanwhile;
    // rename never replaces a file, so the next free one is taken then.
    const QDir folder(strFolder);
    QString strFinal;
    for (int n = nNameNumber; n < nNameNumber + s_nMaxNumberedNames && strFinal.isEmpty(); ++n) {
        const QString strCandidate = folder.filePath(numberedName(strFileName, n));
        // A partial file of another name is another download's.
        if (isTaken(strCandidate) || (n != nNameNumber && isTaken(strCandidate + s_partialSuffix)))
            continue;
        if (partFile.rename(strCandidate))
            strFinal = strCandidate;
    }
    if (strFinal.isEmpty()) {
        failDownload(partFile.errorString());
        return;
    }
    bOwnsPartFile = false;
    strInstallerPath = strFinal;
    bVerified = !strPublicKey.isEmpty();

    ui.progressBar->setMaximum(100);
    ui.progressBar->setValue(100);
    emit q->downloadFinished(strUrl, s_downloadDir.filePath(QFileInfo(strFinal).fileName()));
    q->installUpdate();
}

void DownloaderPrivate::handleNetworkError(const QUrl &url, QNetworkReply::NetworkError code)
{
    discardPartialFile();
    q->close();
    qCInfo(lcUpdater).noquote() << QStringLiteral("Error downloading update: ")
            + BridgeLogThrottle::excerpt(url.toString()) + QStringLiteral(". Error code: ") + QString::number(code);
    if (code != QNetworkReply::OperationCanceledError) {
        IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                     Downloader::tr("Cannot download update: %1.").arg(static_cast<int>(code)), QMessageBox::Ok,
                     QMessageBox::Ok);
    }
}

void DownloaderPrivate::failDownload(const QString &strReason)
{
    discardPartialFile();
    q->close();
    qCWarning(lcUpdater).noquote() << QStringLiteral("Cannot save the downloaded update: ") + strReason;
    IUi::warning(ICore::getMainWindow(), QStringLiteral(ZELTO_APP_TITLE),
                 Downloader::tr("Cannot download update: %1.").arg(strReason), QMessageBox::Ok, QMessageBox::Ok);
}

// Removes the ".part" file of this download, and only that: one this
// downloader made.
void DownloaderPrivate::discardPartialFile()
{
    partFile.close();
    if (bOwnsPartFile)
        partFile.remove();
    bOwnsPartFile = false;
}
