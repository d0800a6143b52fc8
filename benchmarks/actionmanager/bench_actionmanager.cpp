// Measures ActionManager::setContext: how long one switch between two
// contexts takes with N registered commands, each contributed for three
// context widgets and the main window.
//
//   bench_actionmanager                      timed run for N = 100, 1000, 5000
//   bench_actionmanager <commands> <switches> a fixed amount of work, for
//                                            instruction counting (callgrind.sh)
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Fixture
{
    explicit Fixture(int nCommands)
    {
        for (auto &pane : panes)
            pane.reset(new QWidget);
        for (int i = 0; i < nCommands; ++i) {
            const QString id = QStringLiteral("Bench.Command_%1").arg(i);
            for (auto &pane : panes)
                ActionManager::registerAction(new QAction(id, pane.get()), id, pane.get());
            ActionManager::registerAction(new QAction(id, &window), id, &window);
        }
        // Start from a settled state, as after the first focus change.
        ActionManager::setContext(panes[1].get());
        ActionManager::setContext(panes[0].get());
    }

    void switchContexts(int nSwitches)
    {
        for (int i = 0; i < nSwitches; ++i)
            ActionManager::setContext(panes[(i + 1) % 2].get());
    }

    MainWindow window;
    std::unique_ptr<QWidget> panes[3];
};

struct Timing
{
    double medianNs;
    double minimumNs;
};

Timing timeSwitches(int nCommands)
{
    Fixture fixture(nCommands);
    // Enough samples that other processes on the machine shift the median
    // little; the minimum shows the undisturbed cost.
    const int nSamples = std::max(201, 200000 / nCommands) | 1;
    std::vector<qint64> samples;
    samples.reserve(nSamples);
    QElapsedTimer timer;
    for (int i = 0; i < nSamples; ++i) {
        timer.start();
        ActionManager::setContext(fixture.panes[(i + 1) % 2].get());
        samples.push_back(timer.nsecsElapsed());
    }
    std::sort(samples.begin(), samples.end());
    return {double(samples[nSamples / 2]), double(samples.front())};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    ExtensionSystem::PluginManager host;
    ExtensionSystem::PluginManager::setSettingsPath(settingsDir.path());

    if (argc == 3) {
        Fixture fixture(QString::fromLatin1(argv[1]).toInt());
        fixture.switchContexts(QString::fromLatin1(argv[2]).toInt());
        return 0;
    }

    // The baseline is the cost per command with 100 commands: a ratio near 1
    // means a switch grows linearly with the number of commands.
    std::printf("%8s %18s %18s %18s %16s\n", "commands", "median switch (us)",
                "fastest switch (us)", "per command (ns)", "ratio to N=100");
    double baselinePerCommand = 0;
    for (int nCommands : {100, 1000, 5000}) {
        const Timing timing = timeSwitches(nCommands);
        const double perCommand = timing.medianNs / nCommands;
        if (baselinePerCommand == 0)
            baselinePerCommand = perCommand;
        std::printf("%8d %18.1f %18.1f %18.1f %16.2f\n", nCommands, timing.medianNs / 1000.0,
                    timing.minimumNs / 1000.0, perCommand, perCommand / baselinePerCommand);
    }
    return 0;
}
