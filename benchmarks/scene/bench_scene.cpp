// Measures animated scenes:
//
//   bench_scene playback [fps]
//       the editor playing 500 items with 5 keyframes on every animatable
//       property at fps frames a second (30 unless given; needs a display:
//       run.sh uses Xvfb): time per frame, wall clock and CPU, median and 99th
//       percentile, against the frame time the frame rate allows and against
//       the same scene standing still; then real playback for the scene's
//       length, counting the frames shown; then the time per item of a
//       2,000-item scene and of a project of 20 scenes of 200 items against
//       the 500 items
//   bench_scene files
//       save and load of a project with 10,000 keyframes, against writing and
//       parsing the same JSON alone
//   bench_scene export
//       the HTML5 export of that project: size and time, against saving it
//   bench_scene editing
//       pasting 500 animated items into the editor, against reading the same
//       clipboard data as a packed project; dragging a resize handle with
//       500 items on the stage, against the same drag with one item
//   bench_scene
//       all four
#include "htmlexporter.h"
#include "sceneclipboard.h"
#include "scenedocument.h"
#include "sceneeditorwidget.h"
#include "sceneplayer.h"
#include "sceneproject.h"
#include "stagehandles.h"

#include "extensionsystem/pluginmanager.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsView>
#include <QJsonDocument>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QUndoStack>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

int s_nFps = 30;   // the frame rate of the scenes, the same for all
const double s_dDuration = 5;

struct Spread
{
    double dMedian;
    double dP99;
};

struct FrameTimes
{
    Spread wall;
    Spread cpu;   // of this process only: the X server's share is not in it
};

Spread spread(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[std::min(samples.size() - 1, samples.size() * 99 / 100)]};
}

// Milliseconds per call, the median of several runs.
double medianMs(int nRuns, const std::function<void()> &run)
{
    std::vector<double> samples;
    QElapsedTimer timer;
    for (int i = 0; i < nRuns; ++i) {
        timer.start();
        run();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    return spread(samples).dMedian;
}

Keyframe keyframe(double dTime, const QVariant &value, Keyframe::Easing easing)
{
    Keyframe result;
    result.dTime = dTime;
    result.value = value;
    result.easing = easing;
    return result;
}

// nItems items, nKeyframes keyframes on each of the given properties,
// spread over the scene with every easing in turn.
SceneProject animatedProject(int nItems, int nKeyframes, const QList<SceneItem::Property> &lstProperties)
{
    SceneProject project;
    project.m_nWidth = 1280;
    project.m_nHeight = 720;
    project.m_nFps = s_nFps;
    project.m_lstScenes[0].dDuration = s_dDuration;
    const QList<Keyframe::Easing> lstEasings = {Keyframe::Linear, Keyframe::EaseIn, Keyframe::EaseOut,
                                                Keyframe::EaseInOut, Keyframe::Step};
    for (int i = 0; i < nItems; ++i) {
        SceneItem item;
        item.strId = QStringLiteral("item%1").arg(i + 1);
        item.type = i % 2 ? SceneItem::Ellipse : SceneItem::Rectangle;
        item.rect = QRectF((i * 37) % 1200, (i * 53) % 660, 40, 30);
        for (SceneItem::Property property : lstProperties) {
            QList<Keyframe> &track = item.tracks[property];
            for (int k = 0; k < nKeyframes; ++k) {
                const double dTime = s_dDuration * k / (nKeyframes - 1);
                QVariant value;
                switch (property) {
                case SceneItem::X: value = double((i * 37 + k * 90) % 1200); break;
                case SceneItem::Y: value = double((i * 53 + k * 70) % 660); break;
                case SceneItem::Width:
                case SceneItem::Height: value = 20.0 + (i + k * 13) % 60; break;
                case SceneItem::Rotation: value = 45.0 * k; break;
                case SceneItem::Opacity: value = 0.3 + 0.7 * ((i + k) % 2); break;
                case SceneItem::Fill: value = QColor::fromHsv((i * 7 + k * 60) % 360, 200, 220, 128 + 127 * (k % 2)); break;
                case SceneItem::PropertyCount: break;
                }
                track.append(keyframe(dTime, value, lstEasings.at((i + k) % lstEasings.size())));
            }
        }
        project.m_lstScenes[0].lstItems.append(item);
    }
    return project;
}

QList<SceneItem::Property> allProperties()
{
    QList<SceneItem::Property> lstProperties;
    for (int p = 0; p < SceneItem::PropertyCount; ++p)
        lstProperties.append(SceneItem::Property(p));
    return lstProperties;
}

// Each frame as playing draws it: the items moved to the frame's time, then
// the stage painted at once.
FrameTimes frameTimes(SceneEditorWidget &editor, int nRounds)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    QElapsedTimer timer;
    const int nFrames = int(s_dDuration * s_nFps);
    for (int round = 0; round < nRounds; ++round) {
        for (int frame = 1; frame <= nFrames; ++frame) {
            timer.start();
            const std::clock_t start = std::clock();
            editor.setTime(double(frame % nFrames) / s_nFps);
            editor.view()->viewport()->repaint();
            cpu.push_back((std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
            wall.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    return {spread(wall), spread(cpu)};
}

// Other work on the machine stretches wall clock times; say how much there was.
QString load()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readLine()).section(QLatin1Char(' '), 0, 0)
                                          : QStringLiteral("unknown");
}

// A project of nScenes scenes, each the animated scene of nItems items.
SceneProject manyScenes(int nScenes, int nItems)
{
    SceneProject project = animatedProject(nItems, 5, allProperties());
    const Scene first = project.m_lstScenes.constFirst();
    for (int i = 1; i < nScenes; ++i) {
        Scene scene = first;
        scene.strId = SceneProject::newSceneId();
        scene.strName = QStringLiteral("Scene %1").arg(i + 1);
        project.m_lstScenes.append(scene);
    }
    return project;
}

// How the cost of an animated frame grows with the work: the wall time per
// item shown should stay flat, and scenes not shown should cost nothing.
void scale(SceneDocument &document, SceneEditorWidget &editor, double dBaseMs)
{
    struct Case
    {
        const char *pName;
        SceneProject project;
        int nShown;
    };
    const Case cases[] = {
        {"2,000 items", animatedProject(2000, 5, allProperties()), 2000},
        {"20 scenes of 200 items", manyScenes(20, 200), 200},
    };
    const double dBasePerItem = dBaseMs * 1000 / 500;
    std::printf("Scale: animated frames, 7 properties, load average %s\n", qPrintable(load()));
    std::printf("  %-34s %8s %13s %14s %14s\n", "", "shown", "wall median", "per item", "per item ratio");
    std::printf("  %-34s %8d %10.2f ms %11.2f us %14s\n", "500 items (baseline)", 500, dBaseMs, dBasePerItem, "1.00");
    for (const Case &c : cases) {
        document.setProject(c.project);
        const double dMs = frameTimes(editor, 1).wall.dMedian;
        const double dPerItem = dMs * 1000 / c.nShown;
        std::printf("  %-34s %8d %10.2f ms %11.2f us %14.2f\n", c.pName, c.nShown, dMs, dPerItem,
                    dPerItem / dBasePerItem);
    }
    std::printf("\n");
}

void playback()
{
    SceneDocument document;
    document.initNewDocument(1280, 720, s_nFps, false);
    SceneEditorWidget editor(&document);
    editor.resize(1280, 900);
    editor.show();
    QApplication::processEvents();

    const SceneProject animated = animatedProject(500, 5, allProperties());
    SceneProject still = animated;
    for (SceneItem &item : still.m_lstScenes[0].lstItems)
        item.tracks = {};
    document.setProject(still);
    const FrameTimes baseline = frameTimes(editor, 2);
    document.setProject(animated);
    const FrameTimes frames = frameTimes(editor, 2);
    const double dBudget = 1000.0 / s_nFps;
    std::printf("Editor playback, 500 items, 5 keyframes on each of 7 properties, %d fps (%.1f ms a frame), "
                "load average %s\n",
                s_nFps, dBudget, qPrintable(load()));
    std::printf("  %-26s %13s %10s %14s %14s %14s\n", "", "wall median", "wall p99", "CPU median", "CPU p99",
                "p99 / budget");
    auto row = [&](const char *pName, const FrameTimes &times) {
        std::printf("  %-26s %10.2f ms %7.2f ms %11.2f ms %11.2f ms %7.2f wall %4.2f CPU\n", pName,
                    times.wall.dMedian, times.wall.dP99, times.cpu.dMedian, times.cpu.dP99,
                    times.wall.dP99 / dBudget, times.cpu.dP99 / dBudget);
    };
    row("still scene (baseline)", baseline);
    row("animated scene", frames);
    std::printf("  animated / still, median: %.2f wall, %.2f CPU\n", frames.wall.dMedian / baseline.wall.dMedian,
                frames.cpu.dMedian / baseline.cpu.dMedian);

    // Real playback, painted as the editor paints: the player's clock against
    // the frames that were shown.
    editor.setTime(0);
    std::vector<double> intervals;
    QElapsedTimer clock;
    double dLast = -1;
    int nShown = 0;
    QObject::connect(editor.player(), &ScenePlayer::timeChanged, &editor, [&](double) {
        const double dNow = clock.nsecsElapsed() / 1e6;
        if (dLast >= 0)
            intervals.push_back(dNow - dLast);
        dLast = dNow;
        ++nShown;
    });
    QEventLoop loop;
    QObject::connect(editor.player(), &ScenePlayer::playingChanged, &loop, [&](bool bPlaying) {
        if (!bPlaying)
            loop.quit();
    });
    clock.start();
    editor.player()->play();
    loop.exec();
    const Spread shown = spread(intervals);
    std::printf("  real playback: %d of %d frames shown in %.2f s, interval median %.1f ms, p99 %.1f ms\n\n", nShown,
                int(s_dDuration * s_nFps), clock.nsecsElapsed() / 1e9, shown.dMedian, shown.dP99);

    scale(document, editor, frames.wall.dMedian);
}

// 400 items, 5 keyframes on each of 5 properties: 10,000 keyframes.
SceneProject tenThousandKeyframes()
{
    return animatedProject(400, 5, {SceneItem::X, SceneItem::Y, SceneItem::Rotation, SceneItem::Opacity, SceneItem::Fill});
}

void files(const QString &strFolder)
{
    const SceneProject project = tenThousandKeyframes();
    const int nRuns = 9;
    std::printf("Project with 10,000 keyframes (400 items)\n");
    std::printf("  %-34s %10s %12s %14s\n", "", "median ms", "size KiB", "ratio to JSON");
    const QByteArray json = project.toJson();
    const double dWriteJson = medianMs(nRuns, [&] { QJsonDocument::fromJson(json).toJson(QJsonDocument::Indented); });
    const double dParseJson = medianMs(nRuns, [&] { QJsonDocument::fromJson(json); });
    std::printf("  %-34s %10.1f %12.0f %14s\n", "JSON parse + write (baseline)", dWriteJson, json.size() / 1024.0, "1.00");
    for (const QString &strName : {QStringLiteral("bench.zelto"), QStringLiteral("bench.zeltopack")}) {
        const QString strFile = strFolder + QLatin1Char('/') + strName;
        QString strError;
        const double dSave = medianMs(nRuns, [&] { project.save(strFile, &strError); });
        const double dLoad = medianMs(nRuns, [&] {
            SceneProject read;
            read.load(strFile, &strError);
        });
        const double dSize = QFileInfo(strFile).size() / 1024.0;
        std::printf("  %-34s %10.1f %12.0f %14.2f\n", qPrintable(QStringLiteral("save %1").arg(strName)), dSave, dSize,
                    dSave / dWriteJson);
        std::printf("  %-34s %10.1f %12s %14.2f\n", qPrintable(QStringLiteral("load %1").arg(strName)), dLoad, "",
                    dLoad / dParseJson);
    }
    std::printf("  (save is compared with JSON parse + write, load with JSON parse)\n\n");
}

void exportPage(const QString &strFolder)
{
    const SceneProject project = tenThousandKeyframes();
    const QString strPage = strFolder + QStringLiteral("/bench.html");
    const QString strProject = strFolder + QStringLiteral("/bench-export.zelto");
    QString strError;
    const double dSave = medianMs(9, [&] { project.save(strProject, &strError); });
    const double dExport = medianMs(9, [&] { HtmlExporter::exportToFile(project, QStringLiteral("bench"), strPage, &strError); });
    std::printf("HTML5 export of the project with 10,000 keyframes\n");
    std::printf("  %-34s %10s %12s %14s\n", "", "median ms", "size KiB", "ratio to save");
    std::printf("  %-34s %10.1f %12.0f %14s\n", "save .zelto (baseline)", dSave, QFileInfo(strProject).size() / 1024.0, "1.00");
    std::printf("  %-34s %10.1f %12.0f %14.2f\n\n", "export .html", dExport, QFileInfo(strPage).size() / 1024.0,
                dExport / dSave);
}

void sendMouse(QWidget *pWidget, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, pWidget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

struct DragTimes
{
    double dMoveMs;   // one move while dragging, median
    double dDragMs;   // the whole drag, press to release and the step recorded, median
};

// Drags the bottom right handle of item1 by 20 pixels in 20 moves, each
// painted, nRuns times; each drag is undone, untimed, before the next.
DragTimes handleDrags(SceneDocument &document, int nItems, int nRuns)
{
    SceneProject project = animatedProject(nItems, 0, {});
    project.m_lstScenes[0].lstItems[0].rect = QRectF(100, 100, 200, 150);
    document.setProject(project);
    SceneEditorWidget editor(&document);
    editor.resize(1280, 900);
    editor.show();
    QApplication::processEvents();
    editor.selectIds({QStringLiteral("item1")});
    QWidget *pViewport = editor.view()->viewport();
    std::vector<double> moves;
    std::vector<double> drags;
    QElapsedTimer timer;
    QElapsedTimer move;
    for (int run = 0; run < nRuns; ++run) {
        const QPoint from = editor.handles().viewPosition(StageHandles::BottomRight, editor.view());
        timer.start();
        sendMouse(pViewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int i = 1; i <= 20; ++i) {
            move.start();
            sendMouse(pViewport, QEvent::MouseMove, from + QPoint(i, i), Qt::LeftButton);
            QApplication::processEvents();   // the view draws what changed, as on the screen
            moves.push_back(move.nsecsElapsed() / 1e6);
        }
        sendMouse(pViewport, QEvent::MouseButtonRelease, from + QPoint(20, 20), Qt::NoButton);
        drags.push_back(timer.nsecsElapsed() / 1e6);
        document.getUndoStack()->undo();
        QApplication::processEvents();
    }
    return {spread(moves).dMedian, spread(drags).dMedian};
}

void editing()
{
    std::printf("Editing, load average %s\n", qPrintable(load()));
    std::printf("  %-46s %10s %14s\n", "", "median ms", "ratio");

    // Pasting 500 items with 5 keyframes on each of 7 properties.
    SceneDocument document;
    document.initNewDocument(1280, 720, s_nFps, false);
    const SceneProject source = animatedProject(500, 5, allProperties());
    QStringList lstIds;
    for (const SceneItem &item : source.m_lstScenes[0].lstItems)
        lstIds.append(item.strId);
    const std::unique_ptr<QMimeData> pCopied(SceneClipboard::mimeData(source, 0, lstIds));
    const QByteArray payload = pCopied->data(QLatin1String(SceneClipboard::s_mimeType));
    const int nRuns = 9;
    const double dRead = medianMs(nRuns, [&] {
        SceneProject read;
        QString strError;
        read.fromPack(payload, &strError);
    });
    {
        SceneEditorWidget editor(&document);
        editor.resize(1280, 900);
        editor.show();
        QApplication::processEvents();
        std::vector<double> pastes;
        QElapsedTimer timer;
        for (int run = 0; run < nRuns; ++run) {
            auto *pData = new QMimeData;
            pData->setData(QLatin1String(SceneClipboard::s_mimeType), payload);
            QApplication::clipboard()->setMimeData(pData);
            timer.start();
            editor.paste();
            pastes.push_back(timer.nsecsElapsed() / 1e6);
            document.getUndoStack()->undo();
        }
        const double dPaste = spread(pastes).dMedian;
        std::printf("  %-46s %10.1f %14s\n", "read the 500 items as a packed project (base)", dRead, "1.00");
        std::printf("  %-46s %10.1f %14.2f\n", "paste the 500 items (read, add to the stage)", dPaste, dPaste / dRead);
    }

    // A handle dragged with one item on the stage, then with 500.
    const DragTimes one = handleDrags(document, 1, 15);
    const DragTimes many = handleDrags(document, 500, 15);
    std::printf("  %-46s %10.3f %14s\n", "one move of a handle, painted, 1 item (base)", one.dMoveMs, "1.00");
    std::printf("  %-46s %10.3f %14.2f\n", "one move of a handle, painted, 500 items", many.dMoveMs, many.dMoveMs / one.dMoveMs);
    std::printf("  %-46s %10.2f %14s\n", "drag of 20 moves and its step, 1 item (base)", one.dDragMs, "1.00");
    std::printf("  %-46s %10.2f %14.2f\n\n", "drag of 20 moves and its step, 500 items", many.dDragMs,
                many.dDragMs / one.dDragMs);
}

} // namespace

int main(int argc, char *argv[])
{
    const QString strMode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    if (strMode != QLatin1String("playback") && !strMode.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ExtensionSystem::PluginManager host;
    ExtensionSystem::PluginManager::setSettingsPath(dir.path());

    if (argc > 2)
        s_nFps = qBound(SceneProject::s_nMinFps, QString::fromLatin1(argv[2]).toInt(), SceneProject::s_nMaxFps);
    if (strMode.isEmpty() || strMode == QLatin1String("playback"))
        playback();
    if (strMode.isEmpty() || strMode == QLatin1String("files"))
        files(dir.path());
    if (strMode.isEmpty() || strMode == QLatin1String("export"))
        exportPage(dir.path());
    if (strMode.isEmpty() || strMode == QLatin1String("editing"))
        editing();
    return 0;
}
