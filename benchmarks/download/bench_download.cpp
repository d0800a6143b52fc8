// Downloads a large file from a local HTTP server with the updater's
// downloader and with curl, alternately, and prints the throughput ratio and
// the downloader's peak memory for two file sizes. Then the 256 MiB file
// again, with the connection cut at half once: the downloader resumes it, and
// its total time is set against the uncut downloads. Each download runs in
// its own process, so the peak memory of one run is not hidden by another.
//
//   bench_download                    run the comparison (3 rounds per tool)
//   bench_download --serve            (internal) serve /64 and /256 MiB files,
//                                     and /cut/1 ... /cut/9, cut once at half
//   bench_download --download URL DIR [RETRY_MS]
//                                     (internal) one download with the downloader

#include "core/updater/downloader.h"
#include "tests/common/httpserver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

static const qint64 s_nMiB = 1024 * 1024;

// Peak resident memory of this process in KiB (0 where the system does not say).
static qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

static int serve(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestSupport::HttpServer server;
    if (!server.listen())
        return 1;
    for (qint64 nMiB : {64, 256}) {
        TestSupport::HttpRoute route;
        route.nGeneratedSize = nMiB * s_nMiB;
        server.setRoute(QStringLiteral("/%1").arg(nMiB), route);
    }
    TestSupport::HttpRoute cut;
    cut.nGeneratedSize = 256 * s_nMiB;
    cut.bRanges = true;
    cut.headers.append({QByteArrayLiteral("ETag"), QByteArrayLiteral("\"bench\"")});
    cut.nDropAfter = cut.nGeneratedSize / 2;
    cut.nDropTimes = 1;
    for (int i = 1; i <= 9; ++i)
        server.setRoute(QStringLiteral("/cut/%1").arg(i), cut);
    server.setBody(QStringLiteral("/warmup"), "1", "text/plain");
    std::printf("%d\n", server.port());
    std::fflush(stdout);
    return app.exec();
}

static int downloadOnce(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QUrl url(QString::fromLocal8Bit(argv[2]));
    Downloader::setDownloadDir(QDir(QString::fromLocal8Bit(argv[3])));
    const qint64 nBaseKiB = peakResidentKiB();

    // The first request of a process sets up the network layer (proxy and
    // bearer lookup); that one-off cost is not part of the transfer, as it
    // is not part of curl's transfer time either.
    {
        QNetworkAccessManager manager;
        QNetworkReply *pReply = manager.get(QNetworkRequest(url.resolved(QUrl(QStringLiteral("/warmup")))));
        QEventLoop loop;
        QObject::connect(pReply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        delete pReply;
    }

    Downloader downloader;
    downloader.setUseCustomInstallProcedures(true);
    downloader.setFileName(QStringLiteral("bench.bin"));
    if (argc > 4)
        downloader.setRetryDelay(QByteArray(argv[4]).toInt());
    QElapsedTimer timer;
    int nResult = 1;
    QObject::connect(&downloader, &Downloader::downloadFinished, &app, [&] {
        const qint64 nMs = timer.elapsed();
        std::printf("%lld %lld %lld\n", static_cast<long long>(nMs), static_cast<long long>(nBaseKiB),
                    static_cast<long long>(peakResidentKiB()));
        nResult = 0;
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    });
    timer.start();
    downloader.startDownload(url);
    QTimer::singleShot(600000, &app, &QCoreApplication::quit);
    app.exec();
    return nResult;
}

struct Run
{
    double seconds = 0;
    qint64 baseKiB = 0;
    qint64 peakKiB = 0;
};

static bool runDownloader(const QString &strUrl, const QString &strDir, Run *pRun, int nRetryMs = -1)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QStringList arguments = {QStringLiteral("--download"), strUrl, strDir};
    if (nRetryMs >= 0)
        arguments.append(QString::number(nRetryMs));
    process.start(QCoreApplication::applicationFilePath(), arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    pRun->seconds = fields.value(0).toDouble() / 1000.0;
    pRun->baseKiB = fields.value(1).toLongLong();
    pRun->peakKiB = fields.value(2).toLongLong();
    QFile::remove(QDir(strDir).filePath(QStringLiteral("bench.bin")));
    return true;
}

static bool runCurl(const QString &strUrl, const QString &strDir, Run *pRun)
{
    const QString strFile = QDir(strDir).filePath(QStringLiteral("curl.bin"));
    QProcess process;
    process.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-o"), strFile, QStringLiteral("-w"),
                                           QStringLiteral("%{time_total}"), strUrl});
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        return false;
    pRun->seconds = process.readAllStandardOutput().trimmed().toDouble();
    QFile::remove(strFile);
    return true;
}

int main(int argc, char **argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--serve") == 0)
        return serve(argc, argv);
    if (argc >= 4 && qstrcmp(argv[1], "--download") == 0)
        return downloadOnce(argc, argv);

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QProcess server;
    server.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve")});
    if (!server.waitForReadyRead(10000)) {
        out << "cannot start the local HTTP server\n";
        return 1;
    }
    const int nPort = server.readLine().trimmed().toInt();
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench-download-XXXXXX")));
    const QString strBase = QStringLiteral("http://127.0.0.1:%1/").arg(nPort);

    const int nRounds = 3;
    double downloaderSeconds = 0;
    double curlSeconds = 0;
    qint64 nPeak256 = 0;
    for (int i = 0; i < nRounds; ++i) {
        Run downloaderRun;
        Run curlRun;
        if (!runDownloader(strBase + QStringLiteral("256"), dir.path(), &downloaderRun)
            || !runCurl(strBase + QStringLiteral("256"), dir.path(), &curlRun)) {
            out << "a download failed\n";
            return 1;
        }
        downloaderSeconds += downloaderRun.seconds;
        curlSeconds += curlRun.seconds;
        nPeak256 = qMax(nPeak256, downloaderRun.peakKiB - downloaderRun.baseKiB);
        out << QStringLiteral("round %1: downloader %2 s, curl %3 s, downloader peak %4 MiB (growth %5 MiB)\n")
                   .arg(i + 1)
                   .arg(downloaderRun.seconds, 0, 'f', 3)
                   .arg(curlRun.seconds, 0, 'f', 3)
                   .arg(downloaderRun.peakKiB / 1024.0, 0, 'f', 1)
                   .arg((downloaderRun.peakKiB - downloaderRun.baseKiB) / 1024.0, 0, 'f', 1);
        out.flush();
    }

    Run small;
    if (!runDownloader(strBase + QStringLiteral("64"), dir.path(), &small)) {
        out << "a download failed\n";
        return 1;
    }
    const double mib = 256.0;
    out << QStringLiteral("256 MiB: downloader %1 MiB/s, curl %2 MiB/s, ratio %3x curl\n")
               .arg(mib * nRounds / downloaderSeconds, 0, 'f', 0)
               .arg(mib * nRounds / curlSeconds, 0, 'f', 0)
               .arg(curlSeconds / downloaderSeconds, 0, 'f', 2);
    out << QStringLiteral("peak memory growth during the download: 64 MiB file %1 MiB, 256 MiB file %2 MiB\n")
               .arg((small.peakKiB - small.baseKiB) / 1024.0, 0, 'f', 1)
               .arg(nPeak256 / 1024.0, 0, 'f', 1);

    // The same file, cut at half once: resumed at once, and after the
    // downloader's own first wait.
    double cutSeconds = 0;
    double cutWaitSeconds = 0;
    for (int i = 0; i < nRounds; ++i) {
        Run cut;
        Run cutWait;
        if (!runDownloader(strBase + QStringLiteral("cut/%1").arg(2 * i + 1), dir.path(), &cut, 0)
            || !runDownloader(strBase + QStringLiteral("cut/%1").arg(2 * i + 2), dir.path(), &cutWait)) {
            out << "a cut download failed\n";
            return 1;
        }
        cutSeconds += cut.seconds;
        cutWaitSeconds += cutWait.seconds;
        out << QStringLiteral("round %1: cut at half and resumed %2 s, with the %3 ms wait %4 s\n")
                   .arg(i + 1)
                   .arg(cut.seconds, 0, 'f', 3)
                   .arg(Downloader::DefaultRetryDelayMs)
                   .arg(cutWait.seconds, 0, 'f', 3);
        out.flush();
    }
    out << QStringLiteral("256 MiB cut at half: %1 s resumed at once, %2 s with the wait, against %3 s uncut "
                          "(%4x and %5x the uncut time)\n")
               .arg(cutSeconds / nRounds, 0, 'f', 3)
               .arg(cutWaitSeconds / nRounds, 0, 'f', 3)
               .arg(downloaderSeconds / nRounds, 0, 'f', 3)
               .arg(cutSeconds / downloaderSeconds, 0, 'f', 2)
               .arg(cutWaitSeconds / downloaderSeconds, 0, 'f', 2);
    server.kill();
    server.waitForFinished();
    return 0;
}
