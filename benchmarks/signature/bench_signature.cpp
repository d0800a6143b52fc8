// Checks the Ed25519 signature of a 256 MiB installer with zelto-updates
// verify (the application's own check) and with openssl pkeyutl -verify
// -rawin, alternately, and prints the throughput ratio and the peak memory
// of each. Both run as processes of their own, timed from start to exit;
// their processor time (user and system) is given too, as it depends less
// on what else the machine runs.
//
//   bench_signature [rounds]          default 3 rounds; needs openssl on PATH

#include "core/updater/updatesignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

static const qint64 s_nSize = 256LL * 1024 * 1024;

struct Run
{
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKiB = 0;
    int status = -1;
};

// fork and wait4, for the peak memory of exactly this child.
static Run runMeasured(const QString &strProgram, const QStringList &arguments)
{
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(strProgram));
    for (const QString &strArgument : arguments)
        storage.push_back(strArgument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    Run run;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        // Quiet: only the timing matters.
        freopen("/dev/null", "w", stdout);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage = {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakKiB = usage.ru_maxrss;
    run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

static bool writeFile(const QString &strPath, const QByteArray &data)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int nRounds = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 3;
    const QString strTool = QCoreApplication::applicationDirPath() + QStringLiteral("/zelto-updates");
    const QString strOpenssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (!QFile::exists(strTool) || strOpenssl.isEmpty()) {
        out << "needs " << strTool << " and openssl\n";
        return 1;
    }

    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench-signature-XXXXXX")));
    const QString strFile = dir.filePath(QStringLiteral("installer.bin"));
    {
        QFile file(strFile);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1024 * 1024, Qt::Uninitialized);
        for (qint64 nWritten = 0; nWritten < s_nSize; nWritten += block.size()) {
            for (int i = 0; i < block.size(); ++i)
                block[i] = static_cast<char>((nWritten + i) * 2654435761U >> 13);
            file.write(block);
        }
    }
    QByteArray publicKey;
    QByteArray secretKey;
    QString strError;
    UpdateSignature::generateKeyPair(&publicKey, &secretKey);
    const QByteArray signature = UpdateSignature::signFile(strFile, secretKey, &strError);
    const QString strDer = dir.filePath(QStringLiteral("public.der"));
    const QString strSig = dir.filePath(QStringLiteral("installer.sig"));
    writeFile(strDer, QByteArray::fromHex("302a300506032b6570032100") + publicKey);
    writeFile(strSig, signature);

    const QStringList toolArguments = {QStringLiteral("verify"), QStringLiteral("--public-key"),
                                       QString::fromLatin1(publicKey.toBase64()), QStringLiteral("--signature"),
                                       QString::fromLatin1(signature.toBase64()), strFile};
    const QStringList opensslArguments = {QStringLiteral("pkeyutl"), QStringLiteral("-verify"), QStringLiteral("-rawin"),
                                          QStringLiteral("-pubin"), QStringLiteral("-keyform"), QStringLiteral("DER"),
                                          QStringLiteral("-inkey"), strDer, QStringLiteral("-in"), strFile,
                                          QStringLiteral("-sigfile"), strSig};
    // Both read the file from the page cache.
    runMeasured(strTool, toolArguments);

    double toolSeconds = 0;
    double opensslSeconds = 0;
    double toolCpu = 0;
    double opensslCpu = 0;
    long toolPeak = 0;
    long opensslPeak = 0;
    for (int i = 0; i < nRounds; ++i) {
        const Run tool = runMeasured(strTool, toolArguments);
        const Run openssl = runMeasured(strOpenssl, opensslArguments);
        if (tool.status != 0 || openssl.status != 0) {
            out << "a verification failed (zelto-updates " << tool.status << ", openssl " << openssl.status << ")\n";
            return 1;
        }
        toolSeconds += tool.seconds;
        opensslSeconds += openssl.seconds;
        toolCpu += tool.cpuSeconds;
        opensslCpu += openssl.cpuSeconds;
        toolPeak = qMax(toolPeak, tool.peakKiB);
        opensslPeak = qMax(opensslPeak, openssl.peakKiB);
        out << QStringLiteral("round %1: zelto-updates %2 s (processor %3 s), openssl %4 s (processor %5 s)\n")
                   .arg(i + 1)
                   .arg(tool.seconds, 0, 'f', 3)
                   .arg(tool.cpuSeconds, 0, 'f', 3)
                   .arg(openssl.seconds, 0, 'f', 3)
                   .arg(openssl.cpuSeconds, 0, 'f', 3);
        out.flush();
    }
    const double mib = 256.0 * nRounds;
    out << QStringLiteral("256 MiB: zelto-updates %1 MiB/s, openssl %2 MiB/s, ratio %3x openssl\n")
               .arg(mib / toolSeconds, 0, 'f', 0)
               .arg(mib / opensslSeconds, 0, 'f', 0)
               .arg(opensslSeconds / toolSeconds, 0, 'f', 2);
    out << QStringLiteral("processor time: zelto-updates %1 s, openssl %2 s per check, ratio %3x openssl\n")
               .arg(toolCpu / nRounds, 0, 'f', 3)
               .arg(opensslCpu / nRounds, 0, 'f', 3)
               .arg(opensslCpu / toolCpu, 0, 'f', 2);
    out << QStringLiteral("peak memory: zelto-updates %1 MiB, openssl %2 MiB\n")
               .arg(toolPeak / 1024.0, 0, 'f', 1)
               .arg(opensslPeak / 1024.0, 0, 'f', 1);
    return 0;
}
