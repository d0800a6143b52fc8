// The exported page in a real web engine against the editor: two animated
// scenes are drawn by the editor and by the page (its animations paused and
// set to the same time) at the start, in the middle and at the end of the
// first scene and in the second one, and the two pictures must show the
// same shapes.
#include "htmlexporter.h"
#include "scenedocument.h"
#include "sceneeditorwidget.h"

#include "tests/common/testhost.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

namespace {

const int s_nWidth = 320;
const int s_nHeight = 200;

Keyframe keyframe(double dTime, const QVariant &value, Keyframe::Easing easing = Keyframe::Linear)
{
    Keyframe result;
    result.dTime = dTime;
    result.value = value;
    result.easing = easing;
    return result;
}

// Keyframes that end before the middle or start after it, so a wrong easing
// or a wrong way of mixing colours shows at the middle.
SceneProject animatedProject()
{
    SceneProject project;
    project.m_nWidth = s_nWidth;
    project.m_nHeight = s_nHeight;
    project.m_nFps = 25;
    project.m_lstScenes[0].dDuration = 2;

    SceneItem moving;
    moving.strId = QStringLiteral("moving");
    moving.rect = QRectF(20, 30, 80, 50);
    moving.tracks[SceneItem::X] = {keyframe(0, 20.0, Keyframe::EaseInOut), keyframe(1.6, 200.0)};
    moving.tracks[SceneItem::Rotation] = {keyframe(0.4, 0.0, Keyframe::EaseOut), keyframe(2, 90.0)};
    moving.tracks[SceneItem::Fill] = {keyframe(0, QColor(255, 0, 0)), keyframe(2, QColor(0, 0, 255, 51))};

    SceneItem growing;
    growing.strId = QStringLiteral("growing");
    growing.type = SceneItem::Ellipse;
    growing.rect = QRectF(40, 110, 40, 60);
    growing.fill = QColor(0x30, 0xa0, 0x40);
    growing.tracks[SceneItem::Width] = {keyframe(0, 40.0, Keyframe::EaseIn), keyframe(1.5, 140.0)};
    growing.tracks[SceneItem::Opacity] = {keyframe(0.5, 1.0), keyframe(2, 0.3)};

    SceneItem jumping;
    jumping.strId = QStringLiteral("jumping");
    jumping.rect = QRectF(250, 20, 40, 40);
    jumping.fill = QColor(0xe8, 0xa3, 0x3d);
    jumping.tracks[SceneItem::Y] = {keyframe(0, 20.0, Keyframe::Step), keyframe(1.2, 140.0)};
    jumping.tracks[SceneItem::Height] = {keyframe(0.2, 40.0), keyframe(1.8, 10.0)};

    project.m_lstScenes[0].lstItems = {moving, growing, jumping};

    // The second scene follows the first, in the same page.
    Scene second;
    second.strName = QStringLiteral("second");
    second.dDuration = 1;
    SceneItem fading;
    fading.strId = QStringLiteral("fading");
    fading.type = SceneItem::Ellipse;
    fading.rect = QRectF(100, 40, 120, 120);
    fading.tracks[SceneItem::Opacity] = {keyframe(0, 1.0, Keyframe::EaseIn), keyframe(1, 0.2)};
    fading.tracks[SceneItem::Y] = {keyframe(0, 40.0), keyframe(1, 70.0)};
    second.lstItems = {fading};
    project.m_lstScenes.append(second);
    return project;
}

} // namespace

class tst_SceneExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageLooksLikeTheEditor_data();
    void pageLooksLikeTheEditor();

private:
    QVariant js(const QString &strScript);
    QImage editorImage(int nScene, double dTime);
    static int differentPixels(const QImage &a, const QImage &b);

    TestSupport::TestHost m_host;
    QTemporaryDir m_dir;
    std::unique_ptr<SceneDocument> m_pDocument;
    std::unique_ptr<SceneEditorWidget> m_pEditor;
    std::unique_ptr<QWebEngineView> m_pView;
};

void tst_SceneExport::initTestCase()
{
    m_pDocument.reset(new SceneDocument());
    QVERIFY(m_pDocument->initNewDocument(s_nWidth, s_nHeight, 25, false));
    m_pDocument->setProject(animatedProject());
    m_pEditor.reset(new SceneEditorWidget(m_pDocument.get()));
    m_pEditor->resize(900, 700);

    const QString strPage = m_dir.filePath(QStringLiteral("page.html"));
    QString strError;
    QVERIFY2(HtmlExporter::exportToFile(m_pDocument->project(), QStringLiteral("export"), strPage, &strError),
             qPrintable(strError));
    m_pView.reset(new QWebEngineView());
    m_pView->resize(s_nWidth, s_nHeight);
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    QSignalSpy loaded(m_pView.get(), &QWebEngineView::loadFinished);
    m_pView->load(QUrl::fromLocalFile(strPage));
    QVERIFY(loaded.wait(30000));
    QCOMPARE(loaded.at(0).at(0).toBool(), true);
}

QVariant tst_SceneExport::js(const QString &strScript)
{
    QVariant result;
    bool bDone = false;
    m_pView->page()->runJavaScript(strScript, [&](const QVariant &value) {
        result = value;
        bDone = true;
    });
    if (!QTest::qWaitFor([&] { return bDone; }, 10000))
        qWarning("The page did not answer: %s", qPrintable(strScript));
    return result;
}

QImage tst_SceneExport::editorImage(int nScene, double dTime)
{
    m_pEditor->setCurrentScene(nScene);
    m_pEditor->selectIds({});
    m_pEditor->setTime(dTime);
    QImage image(s_nWidth, s_nHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF stage(0, 0, s_nWidth, s_nHeight);
    m_pEditor->view()->scene()->render(&painter, stage, stage);
    return image;
}

// Pixels whose colour is found nowhere in the other picture's 3 x 3
// neighbourhood, within a tolerance: antialiasing and rounding of edges
// differ between the two painters, shapes must not. The frame of the
// editor's stage is left out.
int tst_SceneExport::differentPixels(const QImage &a, const QImage &b)
{
    const int nTolerance = 40;
    auto close = [&](QRgb p, QRgb q) {
        return qAbs(qRed(p) - qRed(q)) <= nTolerance && qAbs(qGreen(p) - qGreen(q)) <= nTolerance
               && qAbs(qBlue(p) - qBlue(q)) <= nTolerance;
    };
    int nDifferent = 0;
    for (int y = 2; y < s_nHeight - 2; ++y) {
        for (int x = 2; x < s_nWidth - 2; ++x) {
            bool bFound = false;
            for (int dy = -1; dy <= 1 && !bFound; ++dy) {
                for (int dx = -1; dx <= 1 && !bFound; ++dx)
                    bFound = close(a.pixel(x, y), b.pixel(x + dx, y + dy));
            }
            if (!bFound)
                ++nDifferent;
        }
    }
    return nDifferent;
}

void tst_SceneExport::pageLooksLikeTheEditor_data()
{
    QTest::addColumn<double>("time");        // in the page
    QTest::addColumn<int>("scene");          // in the editor
    QTest::addColumn<double>("sceneTime");
    QTest::newRow("start") << 0.0 << 0 << 0.0;
    QTest::newRow("middle") << 1.0 << 0 << 1.0;
    QTest::newRow("end of the first scene") << 1.99 << 0 << 1.99;
    QTest::newRow("second scene") << 2.5 << 1 << 0.5;
    QTest::newRow("end") << 3.0 << 1 << 1.0;
}

void tst_SceneExport::pageLooksLikeTheEditor()
{
    QFETCH(double, time);
    QFETCH(int, scene);
    QFETCH(double, sceneTime);
    const QImage expected = editorImage(scene, sceneTime);
    QVERIFY(js(QStringLiteral("(function(){var a=document.getAnimations();"
                              "a.forEach(function(x){x.pause();x.currentTime=%1;});return a.length;})()")
                   .arg(time * 1000))
                .toInt()
            > 0);

    // The page shows the new time a few frames later.
    const int nAllowed = s_nWidth * s_nHeight / 200;
    QImage page;
    int nDifferent = -1;
    const bool bSame = QTest::qWaitFor([&] {
        page = m_pView->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (page.size() != expected.size())
            return false;
        nDifferent = qMax(differentPixels(expected, page), differentPixels(page, expected));
        return nDifferent <= nAllowed;
    }, 15000);
    if (qEnvironmentVariableIsSet("ZELTO_SCREENSHOT_DIR")) {
        const QDir folder(qEnvironmentVariable("ZELTO_SCREENSHOT_DIR"));
        expected.save(folder.filePath(QStringLiteral("export-%1-editor.png").arg(time)));
        page.save(folder.filePath(QStringLiteral("export-%1-page.png").arg(time)));
    }
    QVERIFY2(bSame,
             qPrintable(QStringLiteral("%1 of %2 pixels differ at %3 s").arg(nDifferent).arg(s_nWidth * s_nHeight).arg(time)));
}

QTEST_MAIN(tst_SceneExport)
#include "tst_sceneexport.moc"
