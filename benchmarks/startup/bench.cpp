// Measures how long zelto (with the core plug-in alone) takes from process
// start until its main window is shown and the event loop is idle, against
// the baseline program, alternating the two in one run. Prints the medians
// of the time seen from outside (spawn to the "idle" line) and of the time
// each process reports itself, and the ratios.
//   startup_bench [rounds]

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

struct Sample
{
    double outsideMs = -1;
    double insideMs = -1;
};

Sample runOnce(const QString &program, const QStringList &arguments)
{
    static const QRegularExpression idle(QStringLiteral("idle after ([0-9.]+) ms"));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZELTO_EXIT_WHEN_IDLE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);

    Sample sample;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    QByteArray output;
    while (process.waitForReadyRead(60000)) {
        output += process.readAllStandardOutput();
        const QRegularExpressionMatch match = idle.match(QString::fromLocal8Bit(output));
        if (match.hasMatch()) {
            sample.outsideMs = double(timer.nsecsElapsed()) / 1e6;
            sample.insideMs = match.captured(1).toDouble();
            break;
        }
    }
    if (!process.waitForFinished(30000))
        process.kill();
    if (sample.outsideMs < 0) {
        std::fprintf(stderr, "%s did not report being idle:\n%s\n", qPrintable(program),
                     process.readAllStandardError().constData());
    }
    return sample;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;

    // The core plug-in alone: a plug-in folder holding only its file, and
    // settings in a fresh folder so that no saved state changes the run.
    QTemporaryDir work;
    const QString pluginDir = work.filePath(QStringLiteral("plugins"));
    QDir().mkpath(pluginDir);
    const QString core = QStringLiteral(ZELTO_CORE_PLUGIN_FILE);
    if (!QFile::copy(core, QDir(pluginDir).filePath(QFileInfo(core).fileName()))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(core));
        return 1;
    }
    const QStringList zeltoArguments = {QStringLiteral("-newinstance"), QStringLiteral("-settingspath"),
                                        work.filePath(QStringLiteral("settings")),
                                        QStringLiteral("-pluginpath"), pluginDir};

    QVector<double> zeltoOutside, zeltoInside, baseOutside, baseInside;
    // One warm-up run of each fills the file cache; it is not counted.
    runOnce(QStringLiteral(ZELTO_BASELINE_EXECUTABLE), {});
    runOnce(QStringLiteral(ZELTO_EXECUTABLE), zeltoArguments);
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first, so neither always runs on a warmer machine.
        for (int turn = 0; turn < 2; ++turn) {
            const bool zeltoTurn = (round + turn) % 2 == 0;
            const Sample sample = zeltoTurn ? runOnce(QStringLiteral(ZELTO_EXECUTABLE), zeltoArguments)
                                            : runOnce(QStringLiteral(ZELTO_BASELINE_EXECUTABLE), {});
            if (sample.outsideMs < 0)
                return 1;
            (zeltoTurn ? zeltoOutside : baseOutside).append(sample.outsideMs);
            (zeltoTurn ? zeltoInside : baseInside).append(sample.insideMs);
        }
    }

    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("(default)"));
    std::printf("start-up until shown and idle, platform %s, %d rounds each, medians:\n",
                qPrintable(platform), rounds);
    std::printf("  %-28s %10s %10s\n", "", "outside", "reported");
    std::printf("  %-28s %8.1f ms %8.1f ms\n", "baseline (empty QMainWindow)", median(baseOutside),
                median(baseInside));
    std::printf("  %-28s %8.1f ms %8.1f ms\n", "zelto + core plug-in", median(zeltoOutside),
                median(zeltoInside));
    std::printf("  %-28s %10.2f %10.2f\n", "ratio zelto / baseline",
                median(zeltoOutside) / median(baseOutside), median(zeltoInside) / median(baseInside));
    return 0;
}
