// Measures the command palette's filter: how long the list of 5,000
// commands takes to be ranked again after each keystroke, for queries typed
// one character at a time. The baseline is the plainest filter over the same
// texts in the same run: a case-insensitive substring test, unranked.
//
//   bench_commandpalette              5,000 commands
//   bench_commandpalette <commands>   another number
#include "core/ui/commandpalettemodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Command names as plug-ins make them: a verb, an object, a qualifier.
QVector<CommandPaletteModel::Entry> makeCommands(int nCount)
{
    const QStringList lstVerbs{"Add", "Remove", "Export", "Preview", "Open", "Save", "Toggle", "Show", "Align",
                               "Duplicate", "Rename", "Insert", "Select", "Move", "Convert"};
    const QStringList lstObjects{"Scene", "Layer", "Keyframe", "Rectangle", "Ellipse", "Text", "Image", "Guide",
                                 "Timeline", "Project", "Breakpoint", "Easing", "Track", "Marker"};
    const QStringList lstMenus{"File", "Edit", "View", "Insert", "Arrange", "Animate", "Tools", "Help"};
    QVector<CommandPaletteModel::Entry> lstEntries;
    lstEntries.reserve(nCount);
    for (int i = 0; i < nCount; ++i) {
        const QString strText = QStringLiteral("%1 %2 %3")
                                    .arg(lstVerbs.at(i % lstVerbs.size()), lstObjects.at((i / 3) % lstObjects.size()))
                                    .arg(i);
        const QString strMenu = lstMenus.at((i / 7) % lstMenus.size());
        lstEntries.append({QStringLiteral("Bench.Command_%1").arg(i), strText,
                           QStringLiteral("%1 > %2 > %3").arg(strMenu, lstObjects.at(i % lstObjects.size()), strText),
                           i % 5 == 0 ? QStringLiteral("Ctrl+Alt+%1").arg(i % 10) : QString(), i < 10 ? i : -1});
    }
    return lstEntries;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int nCommands = argc > 1 ? qMax(1, atoi(argv[1])) : 5000;
    const QVector<CommandPaletteModel::Entry> lstEntries = makeCommands(nCommands);
    const QStringList lstQueries{"export scene", "add keyfr", "prv prj", "tgl guide 12", "rename layer 4",
                                 "insert image", "sel", "move track 99"};

    CommandPaletteModel model;
    model.setEntries(lstEntries);
    std::vector<double> lstPalette, lstBaseline;
    int nShown = 0;
    for (int nRound = 0; nRound < 5; ++nRound) {
        for (const QString &strQuery : lstQueries) {
            for (int nLength = 1; nLength <= strQuery.size(); ++nLength) {
                const QString strTyped = strQuery.left(nLength);
                QElapsedTimer timer;
                timer.start();
                model.setFilter(strTyped);
                lstPalette.push_back(timer.nsecsElapsed() / 1e6);
                nShown += model.rowCount();

                timer.restart();
                int nFound = 0;
                for (const CommandPaletteModel::Entry &entry : lstEntries) {
                    if (entry.strText.contains(strTyped, Qt::CaseInsensitive))
                        ++nFound;
                }
                lstBaseline.push_back(timer.nsecsElapsed() / 1e6);
                nShown += nFound;
            }
        }
    }
    const double dPalette = median(lstPalette);
    const double dBaseline = median(lstBaseline);
    std::printf("commands: %d, keystrokes: %zu\n", nCommands, lstPalette.size());
    std::printf("palette filter, median per keystroke: %.3f ms\n", dPalette);
    std::printf("substring baseline, median per keystroke: %.3f ms\n", dBaseline);
    std::printf("ratio: %.1f\n", dBaseline > 0 ? dPalette / dBaseline : 0.0);
    return nShown >= 0 ? 0 : 1;
}
