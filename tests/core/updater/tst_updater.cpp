#include "core/mainwindow.h"
#include "core/updater/downloader.h"
#include "core/updater/qsimpleupdater.h"
#include "core/updater/updater.h"
#include "core/updater/updatesignature.h"
#include "core/updater/updatestatement.h"
#include "core/updater/ztreleasenotedlg.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/httpserver.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"
#include "tests/common/urlrecorder.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWebEngineView>
#include <QtTest>

using TestSupport::HttpServer;
using TestSupport::ModalAnswerer;

// Records every line of the update checker's log while it lives.
class UpdaterLog
{
public:
    UpdaterLog()
    {
        s_pLines = &lines;
        s_previous = qInstallMessageHandler(record);
    }
    ~UpdaterLog()
    {
        qInstallMessageHandler(s_previous);
        s_pLines = nullptr;
    }

    QStringList lines;

private:
    static void record(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (context.category && qstrcmp(context.category, "zelto.core.updater") == 0)
            s_pLines->append(message);
        else if (s_previous)
            s_previous(type, context, message);
    }

    static QStringList *s_pLines;
    static QtMessageHandler s_previous;
};

QStringList *UpdaterLog::s_pLines = nullptr;
QtMessageHandler UpdaterLog::s_previous = nullptr;

// Optional members are left out when empty.
static QByteArray appcast(const QString &strVersion, const QString &strDownload = QStringLiteral("/setup.exe"),
                          const QString &strOpen = QString(), const QString &strSha256 = QString(),
                          const QJsonObject &signatures = QJsonObject())
{
    QJsonObject entry = signatures;
    entry.insert(QStringLiteral("latest-version"), strVersion);
    entry.insert(QStringLiteral("changelog"), QStringLiteral("<p>Notes</p>"));
    entry.insert(QStringLiteral("download-url"), strDownload);
    entry.insert(QStringLiteral("open-url"), strOpen);
    if (!strSha256.isEmpty())
        entry.insert(QStringLiteral("sha256"), strSha256);
    const QJsonObject updates{{QStringLiteral("windows"), entry},
                              {QStringLiteral("linux"), QJsonObject{{QStringLiteral("latest-version"), "9.0"}}}};
    return QJsonDocument(QJsonObject{{QStringLiteral("updates"), updates}}).toJson(QJsonDocument::Compact);
}

// The size of the installer /setup.exe serves.
static const qint64 s_nInstallerSize = 100000;

class tst_Updater : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void compareVersions_data();
    void compareVersions();
    void check_data();
    void check();
    void redirects_data();
    void redirects();
    void failedChecks_data();
    void failedChecks();
    void customAppcast();
    void notificationFlags_data();
    void notificationFlags();
    void acceptedUpdate_data();
    void acceptedUpdate();
    void signedUpdate_data();
    void signedUpdate();
    void headingIsEscaped();
    void scheduledChecks_data();
    void scheduledChecks();
    void skipAndRemind();
    void releaseNotesPage();
    void releaseNotesText_data();
    void releaseNotesText();
    void releaseNotesAreInert();
    void releaseNotesLoadNothingElse();
    void releaseNotesWithoutModule();
    void registryKeepsUrlsApart();
    void registryRelaysRedirectedUrl();
    // Replaces the test's main window: keep it last.
    void downloaderLifetime();

private:
    Updater *newUpdater(const QString &strPath);
    // The appcast members that sign /setup.exe's installer as strFile,
    // version strVersion for strPlatform, with the test's key.
    QJsonObject signRelease(const QString &strFile = QStringLiteral("setup.exe"),
                            const QString &strVersion = QStringLiteral("2.0"),
                            const QString &strPlatform = QStringLiteral("windows")) const;
    // Sets (or with an invalid time removes) the last check of the updater's URL.
    void setLastCheck(const QDateTime &time);

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
    HttpServer m_server;
    HttpServer m_tlsServer;
    TestSupport::UrlRecorder m_recorder;
    QTemporaryDir m_dir;
    int m_nDownloadDirs = 0;
    QByteArray m_publicKey;
    QByteArray m_secretKey;
    QScopedPointer<Updater> m_pUpdater;
};

void tst_Updater::initTestCase()
{
    m_pWindow = new MainWindow;
    QVERIFY(m_server.listen());
    HttpServer::trustCertificate();
    QVERIFY(m_tlsServer.listenTls());
    QVERIFY(m_dir.isValid());
    m_recorder.install();
    QVERIFY(UpdateSignature::generateKeyPair(&m_publicKey, &m_secretKey));

    const QString strInstaller = m_server.url(QStringLiteral("/setup.exe")).toString();
    m_server.setBody(QStringLiteral("/update.json"), appcast(QStringLiteral("2.0"), strInstaller));
    m_server.setBody(QStringLiteral("/same.json"), appcast(QStringLiteral("1.9.9")));
    m_server.setBody(QStringLiteral("/broken.json"), "<html>not an appcast</html>", "text/html");
    m_server.setBody(QStringLiteral("/empty.json"), "{\"updates\": {}}");
    m_server.setBody(QStringLiteral("/wrongtypes.json"), "{\"updates\": {\"windows\": {\"latest-version\": 2}}}");
    m_server.setBody(QStringLiteral("/array.json"), "[{\"updates\": {\"windows\": {\"latest-version\": \"9\"}}}]");
    m_server.setBody(QStringLiteral("/long.json"), appcast(QString(1000000, QLatin1Char('9'))));
    m_server.setBody(QStringLiteral("/notes.html"), "<html><body>Release notes</body></html>", "text/html");
    m_server.setRoute(QStringLiteral("/setup.exe"), [] {
        TestSupport::HttpRoute route;
        route.nGeneratedSize = s_nInstallerSize;
        return route;
    }());
    m_server.setRedirect(QStringLiteral("/moved.json"), m_server.url(QStringLiteral("/update.json")).toEncoded());
    m_server.setRedirect(QStringLiteral("/dir/relative.json"), "../update.json", 301);
    m_server.setRedirect(QStringLiteral("/loop.json"), "/loop.json");
    // Exactly ten redirects in a row are still followed.
    for (int i = 0; i < 10; ++i) {
        m_server.setRedirect(QStringLiteral("/chain%1.json").arg(i),
                             i < 9 ? QStringLiteral("/chain%1.json").arg(i + 1).toUtf8() : QByteArray("/update.json"));
    }
}

void tst_Updater::init()
{
    m_recorder.urls.clear();
    // The release notes module is found beside the built core plug-in.
    ExtensionSystem::PluginManager::setPluginPaths(
        {QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin/plugins")});
    // Every case downloads into a folder of its own, so each gets the name asked for.
    Downloader::setDownloadDir(QDir(m_dir.filePath(QString::number(++m_nDownloadDirs))));
}

QJsonObject tst_Updater::signRelease(const QString &strFile, const QString &strVersion,
                                     const QString &strPlatform) const
{
    UpdateStatement statement;
    statement.strFile = strFile;
    statement.strVersion = strVersion;
    statement.strPlatform = strPlatform;
    statement.sha512 =
        QCryptographicHash::hash(HttpServer::generatedBody(s_nInstallerSize), QCryptographicHash::Sha512);
    const QByteArray text = statement.text();
    return {{QStringLiteral("update-statement"), QString::fromUtf8(text)},
            {QStringLiteral("update-signature"),
             QString::fromLatin1(UpdateSignature::sign(text, m_secretKey).toBase64())}};
}

void tst_Updater::cleanupTestCase()
{
    m_pUpdater.reset();
    delete m_pWindow;
}

Updater *tst_Updater::newUpdater(const QString &strPath)
{
    m_pUpdater.reset(new Updater);
    m_pUpdater->setUrl(m_server.url(strPath).toString());
    m_pUpdater->setModuleName(QStringLiteral("Zelto"));
    m_pUpdater->setModuleVersion(QStringLiteral("1.9.9"));
    m_pUpdater->setUseCustomInstallProcedures(true);
    return m_pUpdater.data();
}

void tst_Updater::compareVersions_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<bool>("newer");
    QTest::newRow("2.0 over 1.9.9") << "2.0" << "1.9.9" << true;
    QTest::newRow("1.0 vs 1.0.0") << "1.0" << "1.0.0" << false;
    QTest::newRow("1.0.0 vs 1.0") << "1.0.0" << "1.0" << true;
    QTest::newRow("1.2.10 over 1.2.9") << "1.2.10" << "1.2.9" << true;
    QTest::newRow("1.10 over 1.9") << "1.10" << "1.9" << true;
    QTest::newRow("1.9 under 1.10") << "1.9" << "1.10" << false;
    QTest::newRow("equal") << "1.2.3" << "1.2.3" << false;
    QTest::newRow("empty vs 0") << "" << "0" << false;
    QTest::newRow("empty vs 1") << "" << "1" << false;
    QTest::newRow("non-numeric part is 0") << "1.0-beta" << "1.0" << false;
    QTest::newRow("3.0 not newer than 3.0-beta") << "3.0" << "3.0-beta" << false;
    QTest::newRow("empty parts kept") << "1..2" << "1.0" << true;
    QTest::newRow("sign") << "+3" << "2" << true;
    // Numbers past int used to count as 0.
    QTest::newRow("20 digits over 1") << "99999999999999999999" << "1" << true;
    QTest::newRow("1 under 20 digits") << "1" << "99999999999999999999" << false;
    QTest::newRow("just past int") << "1.2147483648" << "1.2147483647" << true;
    QTest::newRow("a million digits") << QString(1000000, QLatin1Char('9')) << "99999999999999999999" << true;
}

void tst_Updater::compareVersions()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(bool, newer);
    QCOMPARE(Updater::compareVersions(x, y), newer);
}

void tst_Updater::check_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("latest");
    QTest::newRow("update") << "/update.json" << "windows" << true << "2.0";
    QTest::newRow("no update") << "/same.json" << "windows" << false << "1.9.9";
    QTest::newRow("other platform") << "/update.json" << "linux" << true << "9.0";
    QTest::newRow("missing platform") << "/update.json" << "mac" << false << "";
    QTest::newRow("missing members") << "/empty.json" << "windows" << false << "";
    QTest::newRow("member of another type") << "/wrongtypes.json" << "windows" << false << "";
    // An array is JSON without entries: read, so the values are overwritten.
    QTest::newRow("top-level array") << "/array.json" << "windows" << false << "";
    // A failed check keeps what the last one read.
    QTest::newRow("not JSON") << "/broken.json" << "windows" << false << "2.0";
    QTest::newRow("HTTP error") << "/missing.json" << "windows" << false << "2.0";
    QTest::newRow("version of a million digits")
        << "/long.json" << "windows" << true << QString(1000000, QLatin1Char('9'));
}

void tst_Updater::check()
{
    QFETCH(QString, path);
    QFETCH(QString, platform);
    QFETCH(bool, available);
    QFETCH(QString, latest);
    // What an earlier check read.
    Updater *pUpdater = newUpdater(QStringLiteral("/update.json"));
    pUpdater->setPlatformKey(platform);
    pUpdater->setNotifyOnUpdate(false);
    pUpdater->setUserAgentString(QStringLiteral("Checker/3"));
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    pUpdater->checkForUpdates(false);
    QVERIFY(finished.wait());

    pUpdater->setUrl(m_server.url(path).toString());
    UpdaterLog log;
    pUpdater->checkForUpdates(false);
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(1).at(0).toString(), m_server.url(path).toString());
    QCOMPARE(pUpdater->getUpdateAvailable(), available);
    QVERIFY(pUpdater->getLatestVersion() == latest);
    QCOMPARE(m_server.lastHeader("User-Agent"), QByteArray("Checker/3"));
    QCOMPARE(m_server.lastHeader("Accept-Encoding"), QByteArray("identity"));
    // Values from outside are quoted, not copied whole.
    QVERIFY(!log.lines.isEmpty());
    if (available)
        QVERIFY(log.lines.at(0).startsWith(QLatin1String("New version: ")));
    for (const QString &strLine : qAsConst(log.lines))
        QVERIFY2(strLine.size() <= 300, qPrintable(strLine.left(300)));
}

void tst_Updater::redirects_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("finalPath");
    QTest::addColumn<bool>("available");
    QTest::addColumn<int>("requests");   // of path
    QTest::newRow("absolute") << "/moved.json" << "/update.json" << true << 1;
    QTest::newRow("relative") << "/dir/relative.json" << "/update.json" << true << 1;
    QTest::newRow("ten in a row") << "/chain0.json" << "/update.json" << true << 1;
    QTest::newRow("loop") << "/loop.json" << "/loop.json" << false << 11;
}

void tst_Updater::redirects()
{
    QFETCH(QString, path);
    QFETCH(QString, finalPath);
    QFETCH(bool, available);
    QFETCH(int, requests);
    Updater *pUpdater = newUpdater(path);
    pUpdater->setNotifyOnUpdate(false);
    const int nHits = m_server.hits(path);
    const int nFinalHits = m_server.hits(finalPath);
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    pUpdater->checkForUpdates(true);
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toString(), m_server.url(finalPath).toString());
    QCOMPARE(pUpdater->getUpdateAvailable(), available);
    // Every request the check made was answered: none is left to finish it again.
    QCOMPARE(m_server.hits(path) - nHits, requests);
    if (finalPath != path)
        QCOMPARE(m_server.hits(finalPath) - nFinalHits, 1);
}

void tst_Updater::failedChecks_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QString>("reason");
    const QString strUnsafe = QStringLiteral("the server redirected to an unsafe address");
    QTest::newRow("https to http") << m_tlsServer.url(QStringLiteral("/downgrade.json")) << strUnsafe;
    // The local file holds an appcast that would offer an update.
    QTest::newRow("to file:") << m_server.url(QStringLiteral("/tofile.json")) << strUnsafe;
    QTest::newRow("stalled") << m_server.url(QStringLiteral("/stalled.json")) << "the server does not answer";
    QTest::newRow("trickling") << m_server.url(QStringLiteral("/trickle.json")) << "the server answers too slowly";
    QTest::newRow("too large") << m_server.url(QStringLiteral("/huge.json")) << "the answer is too large";
    // Inflated, 16 MiB; the limit counts what is kept, not what arrives.
    QTest::newRow("compressed bomb") << m_server.url(QStringLiteral("/bomb.json"))
                                     << "the server sent a compressed answer";
}

void tst_Updater::failedChecks()
{
    QFETCH(QUrl, url);
    QFETCH(QString, reason);
    const QString strLocal = m_dir.filePath(QStringLiteral("local.json"));
    QFile local(strLocal);
    QVERIFY(local.open(QIODevice::WriteOnly) && local.write(appcast(QStringLiteral("9.0"))) > 0);
    local.close();
    m_tlsServer.setRedirect(QStringLiteral("/downgrade.json"),
                            m_server.url(QStringLiteral("/update.json")).toEncoded());
    m_server.setRedirect(QStringLiteral("/tofile.json"), QUrl::fromLocalFile(strLocal).toEncoded());
    TestSupport::HttpRoute stalled;
    stalled.nGeneratedSize = 1000;
    stalled.nStallAfter = 10;
    m_server.setRoute(QStringLiteral("/stalled.json"), stalled);
    TestSupport::HttpRoute trickle;
    trickle.body = appcast(QStringLiteral("2.0")) + QByteArray(2000, ' ');
    trickle.nTrickleMs = 10;
    m_server.setRoute(QStringLiteral("/trickle.json"), trickle);
    TestSupport::HttpRoute huge;
    huge.nGeneratedSize = 2 * 1024 * 1024;
    m_server.setRoute(QStringLiteral("/huge.json"), huge);
    TestSupport::HttpRoute bomb;
    bomb.body = qCompress(QByteArray(16 * 1024 * 1024, ' '), 9).mid(4);   // zlib, as "deflate" is sent
    bomb.headers.append({QByteArrayLiteral("Content-Encoding"), QByteArrayLiteral("deflate")});
    m_server.setRoute(QStringLiteral("/bomb.json"), bomb);

    m_pUpdater.reset(new Updater);
    m_pUpdater->setUrl(url.toString());
    m_pUpdater->setModuleVersion(QStringLiteral("1.9.9"));
    m_pUpdater->setNotifyOnFinish(true);
    m_pUpdater->setStallTimeout(500);
    const int nPlainHits = m_server.hits(QStringLiteral("/update.json"));
    ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    QSignalSpy finished(m_pUpdater.data(), &Updater::checkingFinished);
    m_pUpdater->checkForUpdates(false);
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.at(0).at(0).toString(), url.toString());
    QVERIFY(!m_pUpdater->getUpdateAvailable());
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().at(0).text, QStringLiteral("Could not check for updates: %1.").arg(reason));
    QCOMPARE(m_server.hits(QStringLiteral("/update.json")), nPlainHits);
}

void tst_Updater::customAppcast()
{
    Updater *pUpdater = newUpdater(QStringLiteral("/broken.json"));
    pUpdater->setUseCustomAppcast(true);
    pUpdater->setNotifyOnFinish(true);
    QSignalSpy appcasts(pUpdater, &Updater::appcastDownloaded);
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    ModalAnswerer answerer;
    pUpdater->checkForUpdates(false);
    QVERIFY(finished.wait());
    QCOMPARE(appcasts.count(), 1);
    QCOMPARE(appcasts.at(0).at(1).toByteArray(), QByteArray("<html>not an appcast</html>"));
    QVERIFY(answerer.records().isEmpty());
    QVERIFY(pUpdater->getLatestVersion().isEmpty());
}

void tst_Updater::notificationFlags_data()
{
    QTest::addColumn<bool>("notifyOnUpdate");
    QTest::addColumn<bool>("notifyOnFinish");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("text");
    const QString strLatest = QStringLiteral("<h3>Congratulations! You are running the latest version of Zelto</h3>");
    QTest::newRow("defaults, no update, not silent") << true << false << false << "/same.json" << "" << "";
    QTest::newRow("defaults, no update, silent") << true << false << true << "/same.json" << "" << "";
    QTest::newRow("finish, no update, not silent")
        << true << true << false << "/same.json" << "QMessageBox" << strLatest;
    QTest::newRow("finish, no update, silent") << true << true << true << "/same.json" << "" << "";
    // A failed check never claims the installed version is the latest.
    QTest::newRow("finish, network error, not silent")
        << true << true << false << "/missing.json" << "QMessageBox" << "Could not check for updates: *";
    QTest::newRow("finish, not JSON, not silent")
        << true << true << false << "/broken.json" << "QMessageBox"
        << "Could not check for updates: the answer is not an update description.";
    QTest::newRow("finish, network error, silent") << true << true << true << "/missing.json" << "" << "";
    QTest::newRow("defaults, update") << true << false << true << "/update.json" << "ZTReleaseNoteDlg" << "";
    QTest::newRow("only finish, update") << false << true << true << "/update.json" << "ZTReleaseNoteDlg" << "";
    QTest::newRow("neither, update") << false << false << false << "/update.json" << "" << "";
}

void tst_Updater::notificationFlags()
{
    QFETCH(bool, notifyOnUpdate);
    QFETCH(bool, notifyOnFinish);
    QFETCH(bool, silent);
    QFETCH(QString, path);
    QFETCH(QString, dialog);
    QFETCH(QString, text);
    Updater *pUpdater = newUpdater(path);
    pUpdater->setNotifyOnUpdate(notifyOnUpdate);
    pUpdater->setNotifyOnFinish(notifyOnFinish);
    ModalAnswerer answerer;
    // Whatever appears is closed without consent.
    answerer.pressEscape();
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    pUpdater->checkForUpdates(silent);
    QVERIFY(finished.wait(20000));
    if (dialog.isEmpty()) {
        QVERIFY(answerer.records().isEmpty());
        return;
    }
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().at(0).className, dialog);
    if (dialog == QLatin1String("QMessageBox")) {
        const QString strShown = answerer.records().at(0).text;
        if (text.endsWith(QLatin1Char('*')))
            QVERIFY2(strShown.startsWith(text.chopped(1)) && strShown.size() > text.size(), qPrintable(strShown));
        else
            QCOMPARE(strShown, text);
        QCOMPARE(answerer.records().at(0).title, QStringLiteral("Zelto Rideved"));
    }
    // Closing the release notes starts nothing.
    QCOMPARE(m_recorder.urls.size(), 0);
}

void tst_Updater::acceptedUpdate_data()
{
    QTest::addColumn<QString>("openUrl");
    QTest::addColumn<bool>("downloaderEnabled");
    QTest::addColumn<bool>("key");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("downloads");
    QTest::addColumn<QString>("downloadUrl");
    const QString strInstaller = m_server.url(QStringLiteral("/setup.exe")).toString();
    QTest::newRow("open-url wins") << "http://example.invalid/page" << true << true << "http://example.invalid/page"
                                   << false << strInstaller;
    QTest::newRow("built-in downloader") << "" << true << true << "" << true << strInstaller;
    QTest::newRow("browser download") << "" << false << true << "/setup.exe" << false << strInstaller;
    // Nothing is downloaded that could not be verified: the browser gets it.
    QTest::newRow("no key, so the browser") << "" << true << false << "/setup.exe" << false << strInstaller;
    // The appcast's addresses reach the browser only when they are web addresses.
    QTest::newRow("open-url not on the web") << "file:///usr/bin/env" << true << true << "" << false << strInstaller;
    QTest::newRow("browser download not on the web") << "" << false << true << "" << false << "file:///usr/bin/env";
}

void tst_Updater::acceptedUpdate()
{
    QFETCH(QString, openUrl);
    QFETCH(bool, downloaderEnabled);
    QFETCH(bool, key);
    QFETCH(QString, opened);
    QFETCH(bool, downloads);
    QFETCH(QString, downloadUrl);
    const QString strInstaller = downloadUrl;
    const QString strDigest = QString::fromLatin1(
        QCryptographicHash::hash(HttpServer::generatedBody(s_nInstallerSize), QCryptographicHash::Sha256).toHex());
    m_server.setBody(QStringLiteral("/accept.json"),
                     appcast(QStringLiteral("2.0"), strInstaller, openUrl, strDigest, signRelease()));
    Updater *pUpdater = newUpdater(QStringLiteral("/accept.json"));
    pUpdater->setDownloaderEnabled(downloaderEnabled);
    if (key)
        pUpdater->setPublicKey(QString::fromLatin1(m_publicKey.toBase64()));
    const int nInstallerHits = m_server.hits(QStringLiteral("/setup.exe"));
    QSignalSpy downloaded(pUpdater, &Updater::downloadFinished);
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    ModalAnswerer answerer;
    answerer.accept();
    if (opened.isEmpty() && !downloads)
        answerer.answer(QMessageBox::Ok);
    pUpdater->checkForUpdates(true);
    QVERIFY(finished.wait(20000));
    if (opened.isEmpty() && !downloads) {
        QCOMPARE(answerer.records().size(), 2);
        QCOMPARE(answerer.records().at(1).text,
                 QStringLiteral("The update cannot be opened because its address is not a web address."));
        QVERIFY(m_recorder.urls.isEmpty());
    } else if (downloads) {
        QVERIFY(downloaded.count() == 1 || downloaded.wait(10000));
        QCOMPARE(downloaded.at(0).at(0).toString(), pUpdater->url());
        QCOMPARE(downloaded.at(0).at(1).toString(), Downloader::downloadDir().filePath(QStringLiteral("setup.exe")));
        QVERIFY(m_recorder.urls.isEmpty());
    } else {
        // Opened before the check finished; the downloader never asked for the file.
        QCOMPARE(m_server.hits(QStringLiteral("/setup.exe")), nInstallerHits);
        QCOMPARE(downloaded.count(), 0);
        QCOMPARE(m_recorder.urls.size(), 1);
        const QString strExpected = opened.startsWith(QLatin1Char('/')) ? m_server.url(opened).toString() : opened;
        QCOMPARE(m_recorder.urls.at(0).toString(), strExpected);
    }
}

void tst_Updater::signedUpdate_data()
{
    QTest::addColumn<QJsonObject>("signatures");
    QTest::addColumn<QString>("message");   // empty: downloaded
    const QString strNotSigned =
        QStringLiteral("Cannot download update: the update could not be verified because it is not signed.");
    const QString strOtherFile =
        QStringLiteral("Cannot download update: the update is signed for another file or system.");
    QTest::newRow("signed") << signRelease() << QString();
    // An old installer, validly signed as 1.5 and offered as 2.0.
    QTest::newRow("rolled back") << signRelease(QStringLiteral("setup.exe"), QStringLiteral("1.5"))
                                 << "Cannot download update: the update is signed for another version.";
    QTest::newRow("other platform") << signRelease(QStringLiteral("setup.exe"), QStringLiteral("2.0"),
                                                   QStringLiteral("linux"))
                                    << strOtherFile;
    QTest::newRow("other name") << signRelease(QStringLiteral("setup-2.0.exe")) << strOtherFile;
    QTest::newRow("not signed") << QJsonObject() << strNotSigned;
    // A signature of the bytes alone binds the installer to no release.
    QString strError;
    const QString strBytes = m_dir.filePath(QStringLiteral("installer.bin"));
    QFile bytes(strBytes);
    QVERIFY(bytes.open(QIODevice::WriteOnly));
    bytes.write(HttpServer::generatedBody(s_nInstallerSize));
    bytes.close();
    QTest::newRow("signature of the bytes only")
        << QJsonObject{{QStringLiteral("ed25519-signature"),
                        QString::fromLatin1(UpdateSignature::signFile(strBytes, m_secretKey, &strError).toBase64())}}
        << strNotSigned;
}

// The key set for the URL checks the appcast's signed statement before
// anything is downloaded.
void tst_Updater::signedUpdate()
{
    QFETCH(QJsonObject, signatures);
    QFETCH(QString, message);
    m_server.setBody(QStringLiteral("/signed.json"),
                     appcast(QStringLiteral("2.0"), m_server.url(QStringLiteral("/setup.exe")).toString(), QString(),
                             QString(), signatures));
    Updater *pUpdater = newUpdater(QStringLiteral("/signed.json"));
    pUpdater->setPublicKey(QString::fromLatin1(m_publicKey.toBase64()));
    const int nInstallerHits = m_server.hits(QStringLiteral("/setup.exe"));
    QSignalSpy downloaded(pUpdater, &Updater::downloadFinished);
    ModalAnswerer answerer;
    answerer.accept();
    answerer.answer(QMessageBox::Ok);
    pUpdater->checkForUpdates(true);
    if (message.isEmpty()) {
        QVERIFY(downloaded.wait(20000));
        QCOMPARE(answerer.records().size(), 1);
        return;
    }
    QVERIFY(answerer.waitForAnswers(2, 20000));
    QCOMPARE(answerer.records().at(1).text, message);
    QCOMPARE(m_server.hits(QStringLiteral("/setup.exe")), nInstallerHits);
    QCOMPARE(downloaded.count(), 0);
}

// The version comes from the appcast and goes into rich text.
void tst_Updater::headingIsEscaped()
{
    m_server.setBody(QStringLiteral("/markup.json"), appcast(QStringLiteral("2.0 <a href='x'>b</a>")));
    Updater *pUpdater = newUpdater(QStringLiteral("/markup.json"));
    QString strHeading;
    ModalAnswerer answerer;
    answerer.answerWith([&strHeading](QWidget *pDialog) {
        strHeading = pDialog->findChild<QLabel *>(QStringLiteral("m_pHeadingLabel"))->text();
        static_cast<QDialog *>(pDialog)->reject();
    });
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    pUpdater->checkForUpdates(true);
    QVERIFY(finished.wait(20000));
    QCOMPARE(strHeading, QStringLiteral("<b>Zelto 2.0 &lt;a href='x'&gt;b&lt;/a&gt; has been released!</b>"));
}

void tst_Updater::setLastCheck(const QDateTime &time)
{
    QSettings *pSettings = m_host.settings();
    const QString strKey = m_pUpdater->settingsGroup() + QStringLiteral("/LastCheck");
    if (time.isValid())
        pSettings->setValue(strKey, time.toString(Qt::ISODate));
    else
        pSettings->remove(strKey);
}

void tst_Updater::scheduledChecks_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("checkedAgo");   // seconds; 0: never
    QTest::addColumn<bool>("due");
    QTest::addColumn<qint64>("nextIn");       // seconds from now, after the check if due
    const qint64 nDay = 86400;
    QTest::newRow("never checked") << "/same.json" << qint64(0) << true << nDay;
    QTest::newRow("checked two days ago") << "/same.json" << 2 * nDay << true << nDay;
    QTest::newRow("checked an hour ago") << "/same.json" << qint64(3600) << false << nDay - 3600;
    QTest::newRow("last check in the future") << "/same.json" << -nDay << true << nDay;
    QTest::newRow("failed check tried again in an hour") << "/missing.json" << qint64(0) << true << qint64(3600);
}

// Checks of its own show no "latest version" box and no error, even where
// a check the user started would.
void tst_Updater::scheduledChecks()
{
    QFETCH(QString, path);
    QFETCH(qint64, checkedAgo);
    QFETCH(bool, due);
    QFETCH(qint64, nextIn);
    Updater *pUpdater = newUpdater(path);
    pUpdater->setNotifyOnFinish(true);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    setLastCheck(checkedAgo == 0 ? QDateTime() : now.addSecs(-checkedAgo));
    ModalAnswerer answerer;
    answerer.pressEscape();
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    const int nHits = m_server.hits(path);
    pUpdater->setCheckInterval(86400);
    if (due) {
        QVERIFY(finished.wait());
        QCOMPARE(m_server.hits(path), nHits + 1);
    } else {
        QVERIFY(!finished.wait(200));
        QCOMPARE(m_server.hits(path), nHits);
    }
    QVERIFY(answerer.records().isEmpty());
    QVERIFY2(qAbs(now.secsTo(pUpdater->nextScheduledCheck()) - nextIn) < 60,
             qPrintable(pUpdater->nextScheduledCheck().toString(Qt::ISODate)));
    pUpdater->setCheckInterval(0);
    QVERIFY(!pUpdater->nextScheduledCheck().isValid());
}

void tst_Updater::skipAndRemind()
{
    m_server.setBody(QStringLiteral("/skip.json"), appcast(QStringLiteral("2.0")));
    Updater *pUpdater = newUpdater(QStringLiteral("/skip.json"));
    setLastCheck(QDateTime());
    const auto click = [](const char *name) {
        return [name](QWidget *pDialog) { pDialog->findChild<QPushButton *>(QLatin1String(name))->click(); };
    };
    ModalAnswerer answerer;
    answerer.answerWith(click("m_pBtnSkip"));
    QSignalSpy finished(pUpdater, &Updater::checkingFinished);
    pUpdater->setCheckInterval(86400);
    QVERIFY(finished.wait(20000));
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(pUpdater->getSkippedVersion(), QStringLiteral("2.0"));

    // Not offered again by a check of its own...
    setLastCheck(QDateTime());
    pUpdater->setCheckInterval(86400);
    QVERIFY(finished.wait(20000));
    QCOMPARE(answerer.records().size(), 1);

    // ...but to the user who asks. Later is one interval from when it is
    // clicked, whatever the schedule said before.
    bool bRemindShown = false;
    answerer.answerWith([&](QWidget *pDialog) {
        auto *pRemind = pDialog->findChild<QPushButton *>(QStringLiteral("m_pBtnRemind"));
        bRemindShown = pRemind->isVisible();
        setLastCheck(QDateTime::currentDateTimeUtc().addDays(-3));
        pRemind->click();
    });
    pUpdater->checkForUpdates(true);
    QVERIFY(finished.wait(20000));
    QCOMPARE(answerer.records().size(), 2);
    QVERIFY(bRemindShown);
    QVERIFY(qAbs(QDateTime::currentDateTimeUtc().secsTo(pUpdater->nextScheduledCheck()) - 86400) < 60);

    // A newer version is offered again.
    m_server.setBody(QStringLiteral("/skip.json"), appcast(QStringLiteral("2.1")));
    answerer.reject();
    setLastCheck(QDateTime());
    pUpdater->setCheckInterval(86400);
    QVERIFY(finished.wait(20000));
    QCOMPARE(answerer.records().size(), 3);
    pUpdater->setCheckInterval(0);
}

void tst_Updater::downloaderLifetime()
{
    // The main window deletes the downloader first: the updater must not delete it again.
    {
        delete m_pWindow;
        m_pWindow = nullptr;
        auto *pWindow = new MainWindow;
        Updater updater;
        QPointer<Downloader> pDownloader = updater.downloader();
        QCOMPARE(pDownloader->parentWidget(), pWindow);
        delete pWindow;
        QVERIFY(!pDownloader);
        // A later download gets a new downloader with the same settings.
        updater.setUseCustomInstallProcedures(true);
        QVERIFY(updater.downloader());
        QVERIFY(updater.usesCustomInstallProcedures());
    }
    // The updater goes first: its downloader goes with it.
    QPointer<Downloader> pDownloader;
    {
        Updater updater;
        pDownloader = updater.downloader();
        QVERIFY(pDownloader);
    }
    QVERIFY(!pDownloader);
}

void tst_Updater::releaseNotesPage()
{
    ZTReleaseNoteDlg dialog;
    QCOMPARE(dialog.parentWidget(), m_pWindow);
    auto *pView = dialog.findChild<QWebEngineView *>(QStringLiteral("m_pWebViewRL"));
    auto *pUpdate = dialog.findChild<QPushButton *>(QStringLiteral("m_pBtnUpdate"));
    QVERIFY(pView);
    dialog.show();
    QSignalSpy loaded(pView, &QWebEngineView::loadFinished);
    dialog.setReleaseNotes(m_server.url(QStringLiteral("/notes.html")).toString().toUpper().replace(
        QStringLiteral("/NOTES.HTML"), QStringLiteral("/notes.html")));
    QVERIFY(!pUpdate->isEnabled());
    QVERIFY(loaded.wait(30000));
    QVERIFY(loaded.at(0).at(0).toBool());
    QVERIFY(pUpdate->isEnabled());

    // A page that cannot be loaded leaves only Close.
    ZTReleaseNoteDlg failing;
    auto *pFailingView = failing.findChild<QWebEngineView *>(QStringLiteral("m_pWebViewRL"));
    failing.show();
    QSignalSpy failed(pFailingView, &QWebEngineView::loadFinished);
    failing.setReleaseNotes(QStringLiteral("http://127.0.0.1:1/notes.html"));
    QVERIFY(failed.wait(30000));
    QVERIFY(!failed.at(0).at(0).toBool());
    QTRY_VERIFY_WITH_TIMEOUT(failed.count() >= 2, 30000);
    QVERIFY(!failing.findChild<QPushButton *>(QStringLiteral("m_pBtnUpdate"))->isEnabled());
    QString strText;
    pFailingView->page()->toPlainText([&strText](const QString &text) { strText = text; });
    QTRY_COMPARE(strText, QStringLiteral("Failed to load release notes."));
}

void tst_Updater::releaseNotesText_data()
{
    QTest::addColumn<QString>("notes");
    QTest::newRow("HTML") << "<p>Fixed things</p>";
    QTest::newRow("other scheme") << "ftp://example.invalid/notes";
    QTest::newRow("empty") << "";
}

void tst_Updater::releaseNotesText()
{
    QFETCH(QString, notes);
    ZTReleaseNoteDlg dialog;
    dialog.setHeading(QStringLiteral("<b>Zelto 2.0 has been released!</b>"));
    dialog.setReleaseNotes(notes);
    auto *pUpdate = dialog.findChild<QPushButton *>(QStringLiteral("m_pBtnUpdate"));
    QVERIFY(pUpdate->isEnabled());
    QVERIFY(pUpdate->isDefault());

    QSignalSpy results(&dialog, &QDialog::finished);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(results.count(), 1);
    QCOMPARE(results.at(0).at(0).toInt(), int(QDialog::Rejected));
    dialog.show();
    pUpdate->click();
    QCOMPARE(results.count(), 2);
    QCOMPARE(results.at(1).at(0).toInt(), int(QDialog::Accepted));
}

// Release notes come from the appcast: their scripts do not run, and of
// their links only web addresses open, in the system browser.
void tst_Updater::releaseNotesAreInert()
{
    ZTReleaseNoteDlg dialog;
    auto *pView = dialog.findChild<QWebEngineView *>(QStringLiteral("m_pWebViewRL"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy loaded(pView, &QWebEngineView::loadFinished);
    dialog.setReleaseNotes(QStringLiteral(
        "<html><head><title>Notes</title><style>a { position: fixed; left: 0; width: 300px; height: 40px; }"
        "</style></head><body>"
        "<a href='file:///etc/hostname' style='top: 0'>file</a>"
        "<a href='qrc:///welcome/index.html' style='top: 50px'>resource</a>"
        "<a href='https://www.pelum.example/notes' target='_blank' style='top: 100px'>web</a>"
        "<script>document.title = 'script ran';</script></body></html>"));
    QVERIFY(loaded.wait(30000));
    QTRY_COMPARE(pView->title(), QStringLiteral("Notes"));

    // The links are clicked in order until the last one opens: by then the
    // view has handled the clicks on the others too.
    QWidget *pTarget = pView->focusProxy() ? pView->focusProxy() : pView;
    QVERIFY(QTest::qWaitFor([&] {
        for (int nTop : {20, 70, 120})
            QTest::mouseClick(pTarget, Qt::LeftButton, Qt::NoModifier, QPoint(100, nTop));
        return QTest::qWaitFor([&] { return !m_recorder.urls.isEmpty(); }, 1000);
    }, 30000));
    for (const QUrl &url : qAsConst(m_recorder.urls))
        QCOMPARE(url, QUrl(QStringLiteral("https://www.pelum.example/notes")));
    QCOMPARE(pView->title(), QStringLiteral("Notes"));   // still the notes
}

// Release notes pull nothing in, from the web or elsewhere: no images,
// style sheets or frames that could tell a third party who reads them.
void tst_Updater::releaseNotesLoadNothingElse()
{
    const QStringList lstPulledIn = {QStringLiteral("/pixel.png"), QStringLiteral("/style.css"),
                                     QStringLiteral("/frame.html"), QStringLiteral("/page-pixel.png")};
    for (const QString &strPath : lstPulledIn)
        m_server.setBody(strPath, "x", "text/plain");
    m_server.setBody(QStringLiteral("/tracked.html"),
                     "<html><body><p>Notes</p><img src='/page-pixel.png'></body></html>", "text/html");
    const QString strServer = m_server.url(QString()).toString();

    ZTReleaseNoteDlg text;
    ZTReleaseNoteDlg page;
    for (ZTReleaseNoteDlg *pDialog : {&text, &page}) {
        auto *pView = pDialog->findChild<QWebEngineView *>(QStringLiteral("m_pWebViewRL"));
        pDialog->show();
        QSignalSpy loaded(pView, &QWebEngineView::loadFinished);
        pDialog->setReleaseNotes(pDialog == &text
                                     ? QStringLiteral("<html><head><link rel='stylesheet' href='%1/style.css'></head>"
                                                      "<body><p>Notes</p><img src='%1/pixel.png'>"
                                                      "<iframe src='%1/frame.html'></iframe></body></html>")
                                           .arg(strServer)
                                     : m_server.url(QStringLiteral("/tracked.html")).toString());
        // The load ends once every part of the page has been fetched or refused.
        QVERIFY(loaded.wait(30000));
        QVERIFY(loaded.at(0).at(0).toBool());
    }
    QCOMPARE(m_server.hits(QStringLiteral("/tracked.html")), 1);
    for (const QString &strPath : lstPulledIn)
        QVERIFY2(m_server.hits(strPath) == 0, qPrintable(strPath));
}

// A broken installation without the release notes module still shows the
// notes: as rich text that loads nothing, and a notes page as a link.
void tst_Updater::releaseNotesWithoutModule()
{
    ExtensionSystem::PluginManager::setPluginPaths({m_dir.filePath(QStringLiteral("no-plug-ins"))});
    const QString strImage = m_dir.filePath(QStringLiteral("local.png"));
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(strImage));
    UpdaterLog log;
    ZTReleaseNoteDlg text;
    QCOMPARE(log.lines.size(), 1);
    QVERIFY2(log.lines.at(0).startsWith(QLatin1String("Cannot load the release notes module")),
             qPrintable(log.lines.at(0)));
    QVERIFY(!text.findChild<QWebEngineView *>());
    auto *pBrowser = text.findChild<QTextBrowser *>();
    QVERIFY2(pBrowser, "no view for the notes without the module");
    text.setReleaseNotes(QStringLiteral("<p>Fixed <b>things</b></p><img src='%1'>")
                             .arg(QUrl::fromLocalFile(strImage).toString()));
    QVERIFY(pBrowser->toPlainText().startsWith(QLatin1String("Fixed things")));
    QVERIFY(pBrowser->document()->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(strImage))
                .toByteArray().isEmpty());
    QVERIFY(text.findChild<QPushButton *>(QStringLiteral("m_pBtnUpdate"))->isEnabled());

    ZTReleaseNoteDlg page;
    auto *pPageBrowser = page.findChild<QTextBrowser *>();
    const QUrl notes = m_server.url(QStringLiteral("/notes.html"));
    page.setReleaseNotes(notes.toString());
    QVERIFY(!page.findChild<QPushButton *>(QStringLiteral("m_pBtnUpdate"))->isEnabled());
    QVERIFY2(pPageBrowser->toHtml().contains(notes.toString().toHtmlEscaped()), qPrintable(pPageBrowser->toHtml()));
    emit pPageBrowser->anchorClicked(notes);
    emit pPageBrowser->anchorClicked(QUrl::fromLocalFile(strImage));
    QCOMPARE(m_recorder.urls, QList<QUrl>{notes});
}

void tst_Updater::registryKeepsUrlsApart()
{
    QSimpleUpdater *pRegistry = QSimpleUpdater::getInstance();
    QCOMPARE(QSimpleUpdater::getInstance(), pRegistry);
    const QString strA = QStringLiteral("http://updates.invalid/appcast.json");
    const QString strCase = QStringLiteral("http://updates.invalid/APPCAST.json");
    const QString strSlash = strA + QLatin1Char('/');

    // A getter on an unknown URL registers it with the defaults.
    QVERIFY(pRegistry->getChangelog(strA).isEmpty());
    QCOMPARE(pRegistry->getPlatformKey(strA), QStringLiteral("windows"));
    QVERIFY(pRegistry->getNotifyOnUpdate(strA));
    QVERIFY(!pRegistry->getNotifyOnFinish(strA));
    QVERIFY(pRegistry->getDownloaderEnabled(strA));
    QCOMPARE(pRegistry->getUserAgentString(strA),
             QStringLiteral("%1/%2 (Updater)").arg(QCoreApplication::applicationName(),
                                                   QCoreApplication::applicationVersion()));

    pRegistry->setPlatformKey(strA, QStringLiteral("linux"));
    pRegistry->setModuleVersion(strCase, QStringLiteral("3.0"));
    pRegistry->setUseCustomInstallProcedures(strSlash, true);
    QCOMPARE(pRegistry->getPlatformKey(strA), QStringLiteral("linux"));
    QCOMPARE(pRegistry->getPlatformKey(strCase), QStringLiteral("windows"));
    QCOMPARE(pRegistry->getPlatformKey(strSlash), QStringLiteral("windows"));
    QCOMPARE(pRegistry->getModuleVersion(strCase), QStringLiteral("3.0"));
    QCOMPARE(pRegistry->getModuleVersion(strA), QCoreApplication::applicationVersion());
    QVERIFY(pRegistry->usesCustomInstallProcedures(strSlash));
    QVERIFY(!pRegistry->usesCustomInstallProcedures(strA));
#if defined(Q_OS_LINUX)
    QCOMPARE(QSimpleUpdater::systemPlatformKey(), QStringLiteral("linux"));
#endif
}

void tst_Updater::registryRelaysRedirectedUrl()
{
    QSimpleUpdater *pRegistry = QSimpleUpdater::getInstance();
    const QString strUrl = m_server.url(QStringLiteral("/moved.json")).toString();
    pRegistry->setNotifyOnUpdate(strUrl, false);
    pRegistry->setModuleVersion(strUrl, QStringLiteral("1.0"));
    QSignalSpy finished(pRegistry, &QSimpleUpdater::checkingFinished);
    pRegistry->checkForUpdates(strUrl, true);
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).toString(), m_server.url(QStringLiteral("/update.json")).toString());
    // Still known under the URL it was first asked for.
    QVERIFY(pRegistry->getUpdateAvailable(strUrl));
    QCOMPARE(pRegistry->getLatestVersion(strUrl), QStringLiteral("2.0"));
}

int main(int argc, char **argv)
{
    // QtWebEngine shares OpenGL contexts with the widgets; set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_Updater test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_updater.moc"
