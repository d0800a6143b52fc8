#include "core/documents/documentmanager.h"
#include "core/mainwindow.h"
#include "core/updater/downloader.h"
#include "core/updater/updatesignature.h"
#include "core/updater/updatestatement.h"
#include "tests/common/httpserver.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocument.h"
#include "tests/common/testhost.h"
#include "tests/common/urlrecorder.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::HttpRoute;
using TestSupport::HttpServer;
using TestSupport::ModalAnswerer;

class tst_Downloader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void sizesText_data();
    void sizesText();
    void timeRemainingText_data();
    void timeRemainingText();
    void fileName_data();
    void fileName();

    void download_data();
    void download();
    void busyIndicatorWithoutSize();
    void installQuestion();
    void cancelBeforeCompletionAsks();
    void cancelAfterCompletionOnlyHides();
    void failures_data();
    void failures();
    void signature_data();
    void signature();
    void resume_data();
    void resume();
    void unwritableFolder();
    void finalNameTaken();
    void keepsFilesItDidNotMake();
    void installerCheckedBeforeOpening();
    void installWaitsForOpenProjects();
    void installAndQuit();

private:
    Downloader *newDownloader(bool bCustom = true);
    QLabel *label(const char *name) const { return m_pDownloader->findChild<QLabel *>(QLatin1String(name)); }

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
    HttpServer m_server;
    TestSupport::UrlRecorder m_recorder;
    QScopedPointer<QTemporaryDir> m_pDir;
    QPointer<Downloader> m_pDownloader;
};

static const qint64 s_nFileSize = 3 * 1024 * 1024 + 17;

// A key pair and the signed statement of the served file as setup.exe,
// version 2.0 for windows.
struct Signed
{
    QString publicKey;
    QString statement;
    QString signature;
};

static Signed signedFile(const QString &strVersion = QStringLiteral("2.0"),
                         const QByteArray &content = HttpServer::generatedBody(s_nFileSize))
{
    QByteArray publicKey;
    QByteArray secretKey;
    UpdateSignature::generateKeyPair(&publicKey, &secretKey);
    UpdateStatement statement;
    statement.strFile = QStringLiteral("setup.exe");
    statement.strVersion = strVersion;
    statement.strPlatform = QStringLiteral("windows");
    statement.sha512 = QCryptographicHash::hash(content, QCryptographicHash::Sha512);
    const QByteArray text = statement.text();
    return {QString::fromLatin1(publicKey.toBase64()), QString::fromUtf8(text),
            QString::fromLatin1(UpdateSignature::sign(text, secretKey).toBase64())};
}

// What the updater hands over for the release 2.0, to replace 1.0.
static void expect(Downloader *pDownloader, const Signed &keys)
{
    pDownloader->setExpectedSignature(keys.publicKey, keys.signature);
    pDownloader->setExpectedRelease(keys.statement, QStringLiteral("2.0"), QStringLiteral("windows"),
                                    QStringLiteral("1.0"));
}

void tst_Downloader::initTestCase()
{
    m_pWindow = new MainWindow;
    QVERIFY(m_server.listen());
    m_recorder.install();

    HttpRoute file;
    file.nGeneratedSize = s_nFileSize;
    m_server.setRoute(QStringLiteral("/file.bin"), file);
    file.bContentLength = false;
    m_server.setRoute(QStringLiteral("/nolength.bin"), file);
    m_server.setRedirect(QStringLiteral("/moved.bin"), "/file.bin");
    m_server.setRedirect(QStringLiteral("/loop.bin"), "/loop.bin");
    HttpRoute drop;
    drop.nGeneratedSize = s_nFileSize;
    drop.nDropAfter = s_nFileSize / 2;
    m_server.setRoute(QStringLiteral("/drop.bin"), drop);
    HttpRoute stall;
    stall.nGeneratedSize = s_nFileSize;
    stall.nStallAfter = 1000;
    m_server.setRoute(QStringLiteral("/stall.bin"), stall);
    stall.bContentLength = false;
    stall.nResumeAfterMs = 300;
    m_server.setRoute(QStringLiteral("/stall-nolength.bin"), stall);
}

void tst_Downloader::init()
{
    m_pDir.reset(new QTemporaryDir);
    QVERIFY(m_pDir->isValid());
    Downloader::setDownloadDir(QDir(m_pDir->filePath(QStringLiteral("Downloads"))));
    m_recorder.urls.clear();
}

void tst_Downloader::cleanup()
{
    delete m_pDownloader;
}

void tst_Downloader::cleanupTestCase()
{
    delete m_pWindow;
}

Downloader *tst_Downloader::newDownloader(bool bCustom)
{
    m_pDownloader = new Downloader(m_pWindow);
    m_pDownloader->setUrlId(QStringLiteral("appcast-id"));
    m_pDownloader->setFileName(QStringLiteral("setup.exe"));
    m_pDownloader->setUseCustomInstallProcedures(bCustom);
    m_pDownloader->setRetryDelay(1);
    return m_pDownloader;
}

void tst_Downloader::sizesText_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bytes") << qint64(0) << qint64(1023) << "Downloading Updates (0 bytes of 1023 bytes)";
    QTest::newRow("KB from 1024") << qint64(1023) << qint64(1024) << "Downloading Updates (1023 bytes of 1 KB)";
    QTest::newRow("KB hundredths") << qint64(1024) << qint64(1536) << "Downloading Updates (1 KB of 1.5 KB)";
    QTest::newRow("just below MB") << qint64(1048575) << qint64(1048575)
                                   << "Downloading Updates (1023 KB of 1024 KB)";
    QTest::newRow("MB from 1048576") << qint64(1048576) << qint64(1048576) << "Downloading Updates (1 MB of 1 MB)";
    QTest::newRow("received rounds down, total does not")
        << qint64(1572864) << qint64(1572864) << "Downloading Updates (1 MB of 1.5 MB)";
    QTest::newRow("total to the hundredth") << qint64(0) << qint64(1055916)
                                            << "Downloading Updates (0 bytes of 1.01 MB)";
}

void tst_Downloader::sizesText()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(QString, expected);
    QCOMPARE(Downloader::sizesText(received, total), expected);
}

void tst_Downloader::timeRemainingText_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<QString>("expected");
    // One byte per second makes the remaining bytes the remaining seconds.
    QTest::newRow("no time elapsed keeps the label") << qint64(10) << qint64(100) << qint64(0) << QString();
    QTest::newRow("below one byte per second") << qint64(1) << qint64(100) << qint64(2) << "Unknown";
    QTest::newRow("nothing received yet") << qint64(0) << qint64(100) << qint64(5) << "Unknown";
    QTest::newRow("0 seconds") << qint64(100) << qint64(100) << qint64(1) << "1 second";
    QTest::newRow("1 second") << qint64(1) << qint64(2) << qint64(1) << "1 second";
    QTest::newRow("60 seconds") << qint64(1) << qint64(61) << qint64(1) << "60 seconds";
    QTest::newRow("61 seconds") << qint64(1) << qint64(62) << qint64(1) << "About 1 minute";
    QTest::newRow("89 seconds") << qint64(1) << qint64(90) << qint64(1) << "About 1 minute";
    QTest::newRow("90 seconds") << qint64(1) << qint64(91) << qint64(1) << "About 2 minutes";
    QTest::newRow("7200 seconds") << qint64(1) << qint64(7201) << qint64(1) << "About 120 minutes";
    QTest::newRow("7201 seconds") << qint64(1) << qint64(7202) << qint64(1) << "About 2 hours";
    QTest::newRow("speed from the average") << qint64(3000) << qint64(3003000) << qint64(3) << "About 50 minutes";
}

void tst_Downloader::timeRemainingText()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(qint64, elapsed);
    QFETCH(QString, expected);
    QCOMPARE(Downloader::timeRemainingText(received, total, elapsed), expected);
}

void tst_Downloader::fileName_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "setup-2.0.exe" << "setup-2.0.exe";
    QTest::newRow("empty") << "" << "Zelto_Update.bin";
    QTest::newRow("dot") << "." << "Zelto_Update.bin";
    QTest::newRow("dot dot") << ".." << "Zelto_Update.bin";
    QTest::newRow("backslash") << "..\\..\\evil.exe" << "Zelto_Update.bin";
    QTest::newRow("slash") << "../evil.exe" << "Zelto_Update.bin";
    QTest::newRow("drive") << "C:evil.exe" << "Zelto_Update.bin";
}

void tst_Downloader::fileName()
{
    QFETCH(QString, given);
    QFETCH(QString, expected);
    Downloader downloader;
    downloader.setFileName(given);
    QCOMPARE(downloader.fileName(), expected);
}

void tst_Downloader::download_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("sha256");
    const QString strDigest = QString::fromLatin1(
        QCryptographicHash::hash(HttpServer::generatedBody(s_nFileSize), QCryptographicHash::Sha256).toHex());
    QTest::newRow("with Content-Length") << "/file.bin" << QString();
    QTest::newRow("without Content-Length") << "/nolength.bin" << QString();
    QTest::newRow("redirect") << "/moved.bin" << QString();
    QTest::newRow("checksum matches") << "/file.bin" << strDigest.toUpper();
}

void tst_Downloader::download()
{
    QFETCH(QString, path);
    QFETCH(QString, sha256);
    Downloader *pDownloader = newDownloader();
    pDownloader->setUserAgentString(QStringLiteral("Agent/1"));
    pDownloader->setExpectedSha256(sha256);
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    ModalAnswerer answerer;
    pDownloader->startDownload(m_server.url(path));
    QVERIFY(pDownloader->isVisible());
    QVERIFY(finished.wait(10000));

    const QString strPath = Downloader::downloadDir().filePath(QStringLiteral("setup.exe"));
    QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("appcast-id"));
    QCOMPARE(finished.at(0).at(1).toString(), strPath);
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == HttpServer::generatedBody(s_nFileSize));
    QVERIFY(!QFile::exists(strPath + Downloader::partialSuffix()));
    QCOMPARE(m_server.lastHeader("User-Agent"), QByteArray("Agent/1"));
    // Custom procedures: no question, no quit.
    QTest::qWait(50);
    QVERIFY(answerer.records().isEmpty());
    QVERIFY(m_recorder.urls.isEmpty());
}

void tst_Downloader::busyIndicatorWithoutSize()
{
    Downloader *pDownloader = newDownloader();
    auto *pBar = pDownloader->findChild<QProgressBar *>(QStringLiteral("progressBar"));
    QSignalSpy values(pBar, &QProgressBar::valueChanged);
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    pDownloader->startDownload(m_server.url(QStringLiteral("/stall-nolength.bin")));
    // What arrived is on disk while the server pauses, although the size is unknown.
    QTRY_COMPARE(QFileInfo(Downloader::downloadDir().filePath(QStringLiteral("setup.exe.part"))).size(), qint64(1000));
    QVERIFY(finished.wait(10000));
    bool bBusy = false;
    for (const auto &args : values)
        bBusy = bBusy || args.at(0).toInt() == -1;
    QVERIFY(bBusy);
    QCOMPARE(pBar->value(), 100);
}

void tst_Downloader::installQuestion()
{
    Downloader *pDownloader = newDownloader(false);
    expect(pDownloader, signedFile());
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Cancel);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(answerer.waitForAnswers(1, 10000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(answerer.records().at(0).text,
             QStringLiteral("<h3>In order to install the update, you need to quit the application.</h3>"));
    auto *pOpen = pDownloader->findChild<QPushButton *>(QStringLiteral("openButton"));
    QTRY_VERIFY(pOpen->isVisible());
    QVERIFY(pOpen->isEnabled());
    QCOMPARE(label("timeLabel")->text(), QStringLiteral("Click Open to apply the update."));
    QVERIFY(m_recorder.urls.isEmpty());
}

void tst_Downloader::installWaitsForOpenProjects()
{
    // A project with changes the user does not want to let go of.
    auto *pProject = new TestDocument(m_pDir->filePath(QStringLiteral("busy.zelto")), m_pWindow);
    pProject->makeEdit();
    DocumentManager::addDocument(pProject);

    Downloader *pDownloader = newDownloader(false);
    expect(pDownloader, signedFile());
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);       // install now
    answerer.answer(QMessageBox::Cancel);   // but keep the project open
    answerer.answer(QMessageBox::Ok);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(answerer.waitForAnswers(3, 10000));
    QCOMPARE(answerer.records().at(1).text, QStringLiteral("Save changes made to busy?"));
    QCOMPARE(answerer.records().at(2).text,
             QStringLiteral("The update was not installed because a project is still open. "
                            "Save or close your projects, then click Open to install the update."));
    QVERIFY(m_recorder.urls.isEmpty());
    QVERIFY(DocumentManager::getDocuments().contains(pProject));
    QVERIFY(pDownloader->findChild<QPushButton *>(QStringLiteral("openButton"))->isEnabled());

    DocumentManager::removeDocument(pProject);
    delete pProject;
}

void tst_Downloader::installAndQuit()
{
    Downloader *pDownloader = newDownloader(false);
    expect(pDownloader, signedFile());
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Cancel);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(answerer.waitForAnswers(1, 10000));
    auto *pOpen = pDownloader->findChild<QPushButton *>(QStringLiteral("openButton"));
    QTRY_VERIFY(pOpen->isVisible());

    // Open asks again; OK hands the installer to the system and quits, which
    // ends every later event loop: this test has to run last.
    answerer.answer(QMessageBox::Ok);
    QTimer::singleShot(0, pOpen, &QPushButton::click);
    QVERIFY(answerer.waitForAnswers(2));
    QTRY_COMPARE(m_recorder.urls.size(), 1);
    QCOMPARE(m_recorder.urls.at(0),
             QUrl::fromLocalFile(Downloader::downloadDir().filePath(QStringLiteral("setup.exe"))));
}

void tst_Downloader::cancelBeforeCompletionAsks()
{
    Downloader *pDownloader = newDownloader();
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    pDownloader->startDownload(m_server.url(QStringLiteral("/stall.bin")));
    QTRY_COMPARE(QFileInfo(Downloader::downloadDir().filePath(QStringLiteral("setup.exe.part"))).size(), qint64(1000));

    ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    auto *pStop = pDownloader->findChild<QPushButton *>(QStringLiteral("stopButton"));
    QTimer::singleShot(0, pStop, &QPushButton::click);
    QVERIFY(answerer.waitForAnswers(1));
    QCOMPARE(answerer.records().at(0).text, QStringLiteral("Are you sure you want to cancel the download?"));
    QVERIFY(pDownloader->isVisible());

    answerer.answer(QMessageBox::Yes);
    QTimer::singleShot(0, pStop, &QPushButton::click);
    QVERIFY(answerer.waitForAnswers(2));
    QTRY_VERIFY(!pDownloader->isVisible());
    // A cancel is the user's choice: no warning follows. One would be
    // answered and counted before the partial file is gone.
    answerer.answer(QMessageBox::Ok);
    QTRY_VERIFY(!QFile::exists(Downloader::downloadDir().filePath(QStringLiteral("setup.exe.part"))));
    QCOMPARE(answerer.records().size(), 2);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!QFile::exists(Downloader::downloadDir().filePath(QStringLiteral("setup.exe"))));
}

void tst_Downloader::cancelAfterCompletionOnlyHides()
{
    Downloader *pDownloader = newDownloader();
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(finished.wait(10000));
    ModalAnswerer answerer;
    pDownloader->findChild<QPushButton *>(QStringLiteral("stopButton"))->click();
    QVERIFY(!pDownloader->isVisible());
    QVERIFY(answerer.records().isEmpty());
    QVERIFY(QFile::exists(Downloader::downloadDir().filePath(QStringLiteral("setup.exe"))));
}

void tst_Downloader::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("sha256");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QString>("message");
    QTest::newRow("connection dropped half way, every time") << "/drop.bin" << QString() << true
                                                             << "Cannot download update: 2.";
    QTest::newRow("not found") << "/missing.bin" << QString() << true << "Cannot download update: 203.";
    QTest::newRow("redirect loop") << "/loop.bin" << QString() << true << "Cannot download update: 10.";
    QTest::newRow("checksum mismatch")
        << "/file.bin" << QString(64, QLatin1Char('0')) << true
        << "Cannot download update: the SHA-256 checksum of the downloaded file does not match.";
    // Nothing it could not verify is downloaded to be installed.
    QTest::newRow("no key to verify with") << "/file.bin" << QString() << false
                                           << "Cannot download update: the application has no key to verify "
                                              "updates with.";
}

void tst_Downloader::failures()
{
    QFETCH(QString, path);
    QFETCH(QString, sha256);
    QFETCH(bool, custom);
    QFETCH(QString, message);
    Downloader *pDownloader = newDownloader(custom);
    pDownloader->setExpectedSha256(sha256);
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    pDownloader->startDownload(m_server.url(path));
    QVERIFY(answerer.waitForAnswers(1, 10000));
    QCOMPARE(answerer.records().at(0).text, message);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!pDownloader->isVisible());
    QVERIFY(!QFile::exists(Downloader::downloadDir().filePath(QStringLiteral("setup.exe"))));
    QVERIFY(m_recorder.urls.isEmpty());
}

void tst_Downloader::unwritableFolder()
{
    // A regular file where the download folder should be: nothing can be created in it.
    const QString strBlocker = m_pDir->filePath(QStringLiteral("blocker"));
    QFile blocker(strBlocker);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Downloader::setDownloadDir(QDir(strBlocker + QStringLiteral("/Downloads")));

    Downloader *pDownloader = newDownloader();
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    const int nHits = m_server.hits(QStringLiteral("/file.bin"));
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(answerer.waitForAnswers(1));
    QVERIFY(answerer.records().at(0).text.startsWith(QLatin1String("Cannot download update: ")));
    // Refused before asking the server, so nothing can follow.
    QCOMPARE(m_server.hits(QStringLiteral("/file.bin")), nHits);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(answerer.records().size(), 1);

    // A folder others can write: they could swap the installer in it.
    QDir open(m_pDir->filePath(QStringLiteral("open")));
    QVERIFY(open.mkpath(QStringLiteral(".")));
    QVERIFY(QFile::setPermissions(open.path(), QFileDevice::Permissions(0x7777)));
    Downloader::setDownloadDir(open);
    answerer.answer(QMessageBox::Ok);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(answerer.waitForAnswers(2));
    QCOMPARE(answerer.records().at(1).text,
             QStringLiteral("Cannot download update: other users can change files in %1.").arg(open.path()));
    QCOMPARE(m_server.hits(QStringLiteral("/file.bin")), nHits);
    QVERIFY(open.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

// The name is taken while the download runs: the file that took it stays.
void tst_Downloader::finalNameTaken()
{
    Downloader *pDownloader = newDownloader();
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    pDownloader->startDownload(m_server.url(QStringLiteral("/stall-nolength.bin")));
    const QDir dir = Downloader::downloadDir();
    QTRY_COMPARE(QFileInfo(dir.filePath(QStringLiteral("setup.exe.part"))).size(), qint64(1000));
    QFile mine(dir.filePath(QStringLiteral("setup.exe")));
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine") == 4);
    mine.close();

    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(1).toString(), dir.filePath(QStringLiteral("setup (1).exe")));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("mine"));
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("setup (1).exe"))).size(), s_nFileSize);
}

// Files of the same name, a link among them, are never written, replaced or
// removed: the download takes the next free name.
void tst_Downloader::keepsFilesItDidNotMake()
{
    QDir dir = Downloader::downloadDir();
    QVERIFY(dir.mkpath(QStringLiteral(".")));
    const QString strOutside = m_pDir->filePath(QStringLiteral("thesis.pdf"));
    const auto write = [](const QString &strPath, const QByteArray &data) {
        QFile file(strPath);
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    };
    QVERIFY(write(dir.filePath(QStringLiteral("setup.exe")), "the user's own"));
    QVERIFY(write(strOutside, "thesis"));
    QVERIFY(QFile::link(strOutside, dir.filePath(QStringLiteral("setup (1).exe"))));
    QVERIFY(write(dir.filePath(QStringLiteral("setup (2).exe.part")), "partial"));

    Downloader *pDownloader = newDownloader();
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(1).toString(), dir.filePath(QStringLiteral("setup (3).exe")));

    const auto read = [](const QString &strPath) {
        QFile file(strPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QCOMPARE(read(dir.filePath(QStringLiteral("setup.exe"))), QByteArray("the user's own"));
    QCOMPARE(read(strOutside), QByteArray("thesis"));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("setup (1).exe"))).isSymLink());
    QCOMPARE(read(dir.filePath(QStringLiteral("setup (2).exe.part"))), QByteArray("partial"));
    QVERIFY(read(dir.filePath(QStringLiteral("setup (3).exe"))) == HttpServer::generatedBody(s_nFileSize));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), 4);
}

// The installer changes while the question to quit is open: it is not opened.
void tst_Downloader::installerCheckedBeforeOpening()
{
    Downloader *pDownloader = newDownloader(false);
    expect(pDownloader, signedFile());
    const QString strInstaller = Downloader::downloadDir().filePath(QStringLiteral("setup.exe"));
    ModalAnswerer answerer;
    answerer.answerWith([&strInstaller](QWidget *pBox) {
        QFile file(strInstaller);
        if (file.open(QIODevice::Append))
            file.write("!");
        file.close();
        static_cast<QMessageBox *>(pBox)->button(QMessageBox::Ok)->click();
    });
    answerer.answer(QMessageBox::Ok);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    QVERIFY(answerer.waitForAnswers(2, 10000));
    QCOMPARE(answerer.records().at(1).text,
             QStringLiteral("The update was not installed because the downloaded file changed after it was checked."));
    QVERIFY(m_recorder.urls.isEmpty());
    QVERIFY(!QFile::exists(strInstaller));
}

void tst_Downloader::signature_data()
{
    QTest::addColumn<bool>("withSignature");
    QTest::addColumn<bool>("tampered");
    QTest::addColumn<bool>("otherFile");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("message");
    const QString strInvalid = QStringLiteral(
        "Cannot download update: the update could not be verified because its signature is not valid.");
    QTest::newRow("valid") << true << false << false << "1.0" << QString();
    QTest::newRow("missing") << false << false << false << "1.0"
                             << "Cannot download update: the update could not be verified because it is not signed.";
    QTest::newRow("tampered") << true << true << false << "1.0" << strInvalid;
    QTest::newRow("statement of another file") << true << false << true << "1.0" << strInvalid;
    QTest::newRow("not newer than the installed version")
        << true << false << false << "2.0" << "Cannot download update: the update is not newer than the installed "
                                              "version.";
}

void tst_Downloader::signature()
{
    QFETCH(bool, withSignature);
    QFETCH(bool, tampered);
    QFETCH(bool, otherFile);
    QFETCH(QString, installed);
    QFETCH(QString, message);
    const Signed keys = signedFile(QStringLiteral("2.0"), otherFile ? QByteArray("another installer")
                                                                    : HttpServer::generatedBody(s_nFileSize));
    QString strSignature = withSignature ? keys.signature : QString();
    if (tampered)   // the first byte of S: still base64, no longer the statement's
        strSignature[44] = strSignature.at(44) == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
    Downloader *pDownloader = newDownloader();
    pDownloader->setExpectedSignature(keys.publicKey, strSignature);
    pDownloader->setExpectedRelease(keys.statement, QStringLiteral("2.0"), QStringLiteral("windows"), installed);
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    pDownloader->startDownload(m_server.url(QStringLiteral("/file.bin")));
    const QDir dir = Downloader::downloadDir();
    if (message.isEmpty()) {
        QVERIFY(finished.wait(10000));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("setup.exe"))));
        QCOMPARE(answerer.records().size(), 0);
        return;
    }
    QVERIFY(answerer.waitForAnswers(1, 10000));
    QCOMPARE(answerer.records().at(0).text, message);
    QCOMPARE(finished.count(), 0);
    QVERIFY(dir.entryList(QDir::Files).isEmpty());
    QVERIFY(m_recorder.urls.isEmpty());
}

void tst_Downloader::resume_data()
{
    QTest::addColumn<bool>("ranges");
    QTest::addColumn<QByteArray>("header");   // the validator the server sends
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("changingEtag");
    QTest::addColumn<bool>("asksForRange");
    QTest::addColumn<bool>("resumes");
    const QByteArray etag = "\"abc\"";
    const QByteArray date = "Tue, 08 Dec 2026 10:00:00 GMT";
    QTest::newRow("ETag") << true << QByteArray("ETag") << etag << false << true << true;
    QTest::newRow("Last-Modified") << true << QByteArray("Last-Modified") << date << false << true << true;
    // A weak ETag does not promise the same bytes.
    QTest::newRow("weak ETag only") << true << QByteArray("ETag") << "W/" + etag << false << false << false;
    QTest::newRow("file changed") << true << QByteArray() << QByteArray() << true << true << false;
    QTest::newRow("no range support") << false << QByteArray("ETag") << etag << false << true << false;
}

// The connection drops half way once; what arrives in the end is the file,
// verified as a whole.
void tst_Downloader::resume()
{
    QFETCH(bool, ranges);
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, value);
    QFETCH(bool, changingEtag);
    QFETCH(bool, asksForRange);
    QFETCH(bool, resumes);
    const QString strPath = QStringLiteral("/resume-%1.bin").arg(QTest::currentDataTag()).replace(QLatin1Char(' '),
                                                                                                  QLatin1Char('-'));
    HttpRoute route;
    route.nGeneratedSize = s_nFileSize;
    route.nDropAfter = s_nFileSize / 2;
    route.nDropTimes = 1;
    route.bRanges = ranges;
    route.bChangingEtag = changingEtag;
    if (!header.isEmpty())
        route.headers.append({header, value});
    m_server.setRoute(strPath, route);

    Downloader *pDownloader = newDownloader();
    pDownloader->setExpectedSha256(QString::fromLatin1(
        QCryptographicHash::hash(HttpServer::generatedBody(s_nFileSize), QCryptographicHash::Sha256).toHex()));
    expect(pDownloader, signedFile());
    auto *pBar = pDownloader->findChild<QProgressBar *>(QStringLiteral("progressBar"));
    QSignalSpy values(pBar, &QProgressBar::valueChanged);
    QSignalSpy finished(pDownloader, &Downloader::downloadFinished);
    pDownloader->startDownload(m_server.url(strPath));
    QVERIFY(finished.wait(10000));

    QCOMPARE(m_server.hits(strPath), 2);
    QFile file(Downloader::downloadDir().filePath(QStringLiteral("setup.exe")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == HttpServer::generatedBody(s_nFileSize));
    QCOMPARE(m_server.lastHeader("Range"), asksForRange ? "bytes=" + QByteArray::number(s_nFileSize / 2) + '-'
                                                         : QByteArray());
    // Resumed, the progress carries on from where it was.
    for (int i = 1; resumes && i < values.size(); ++i)
        QVERIFY(values.at(i).at(0).toInt() >= values.at(i - 1).at(0).toInt());
}

QTEST_MAIN(tst_Downloader)
#include "tst_downloader.moc"
