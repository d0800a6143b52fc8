// The scene project format: JSON projects, packed projects, refusal of
// invalid or newer files, and the HTML5 export.
#include "htmlexporter.h"
#include "projectfile.h"
#include "sceneproject.h"
#include "tararchive.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#endif

class tst_SceneProject : public QObject
{
    Q_OBJECT

private slots:
    void jsonRoundTrip();
    void formatOneOpensAsOneSceneWithoutKeyframes();
    void itemsWithoutNamesOrFlagsReadAndWriteAsBefore();
    void transparentColoursSurviveSaving();
    void invalidFilesAreRefused_data();
    void invalidFilesAreRefused();
    void newerFormatIsRefusedWithMessage();
    void projectFolderKeepsImagesBeside();
    void missingImageStillOpens();
    void unsafeFolderEntriesAreLeftOut_data();
    void unsafeFolderEntriesAreLeftOut();
    void projectFileMustBeARegularFile_data();
    void projectFileMustBeARegularFile();
    void packRoundTrip();
    void packIsAStandardTarArchive();
    void damagedPacksAreRefused_data();
    void damagedPacksAreRefused();
    void packEntriesOutsideImagesAreIgnored();
    void failedSaveKeepsTheOldFile();
    void failedSaveSaysWhy_data();
    void failedSaveSaysWhy();
    void htmlExportIsSelfContainedAndEscaped();

private:
    static SceneProject sample();
    static QByteArray png(const QColor &color);
    QTemporaryDir m_dir;
};

QByteArray tst_SceneProject::png(const QColor &color)
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

SceneProject tst_SceneProject::sample()
{
    SceneProject project;
    project.m_nWidth = 800;
    project.m_nHeight = 600;
    project.m_nFps = 30;
    project.m_bResponsive = true;
    SceneItem rect;
    rect.strId = QStringLiteral("item1");
    rect.rect = QRectF(10, 20, 100.5, 50);
    rect.fill = QColor(10, 20, 30, 128);
    SceneItem text;
    text.strId = QStringLiteral("item2");
    text.type = SceneItem::Text;
    text.rect = QRectF(-5, 7, 200, 40);
    text.strText = QStringLiteral("Grüße <b>&amp; %1 \"quoted\"");
    text.nFontSize = 33;
    SceneItem image;
    image.strId = QStringLiteral("item3");
    image.type = SceneItem::Image;
    image.rect = QRectF(300, 300, 40, 30);
    image.strImage = project.addImage(png(Qt::red), QStringLiteral("PNG"));
    project.m_lstScenes[0].lstItems = {rect, text, image};
    return project;
}

void tst_SceneProject::jsonRoundTrip()
{
    SceneProject project = sample();
    // A second, animated scene, and a loop.
    Scene second;
    second.strName = QStringLiteral("Zweite Szene");
    second.dDuration = 2.5;
    SceneItem item = project.m_lstScenes[0].lstItems.at(0);
    item.strName = QStringLiteral("Ball \"one\"");
    item.bHidden = true;
    item.bLocked = true;
    item.dRotation = 45;
    item.dOpacity = 0.25;
    Keyframe start, end;
    start.value = QColor(255, 0, 0, 10);
    start.easing = Keyframe::Step;
    end.dTime = 2.5;
    end.value = QColor(0, 0, 255);
    item.tracks[SceneItem::Fill] = {start, end};
    start.value = 1.0;
    start.easing = Keyframe::EaseInOut;
    end.value = 0.5;
    item.tracks[SceneItem::Opacity] = {start, end};
    second.lstItems = {item};
    project.m_lstScenes.append(second);
    project.m_bLoop = true;

    SceneProject read;
    QString strError;
    int nFormat = 0;
    QVERIFY2(read.fromJson(project.toJson(), &strError, &nFormat), qPrintable(strError));
    QCOMPARE(nFormat, SceneProject::s_nFormatVersion);
    QCOMPARE(read.m_nWidth, 800);
    QCOMPARE(read.m_nHeight, 600);
    QCOMPARE(read.m_nFps, 30);
    QCOMPARE(read.m_bResponsive, true);
    QCOMPARE(read.m_bLoop, true);
    QVERIFY(read.m_lstScenes == project.m_lstScenes);
    const QJsonObject root = QJsonDocument::fromJson(project.toJson()).object();
    QCOMPARE(root.value(QStringLiteral("format")).toInt(), 2);
}

void tst_SceneProject::formatOneOpensAsOneSceneWithoutKeyframes()
{
    const QByteArray json = R"({"format": 1, "application": "Zelto Rideved",
        "stage": {"width": 1280, "height": 720, "fps": 24, "responsive": false, "background": "#ffffff"},
        "items": [
            {"id": "item1", "type": "rectangle", "x": 10, "y": 20, "width": 200, "height": 100,
             "fill": "#ff4a90d9", "stroke": "#ff1d3d5c", "keyframes": {"x": "not read in format 1"}},
            {"id": "item2", "type": "text", "x": 40, "y": 300, "width": 240, "height": 70,
             "fill": "#ff202020", "stroke": "#ff1d3d5c", "text": "Hello", "fontSize": 50}]})";
    SceneProject project;
    QString strError;
    int nFormat = 0;
    QVERIFY2(project.fromJson(json, &strError, &nFormat), qPrintable(strError));
    QCOMPARE(nFormat, 1);
    QCOMPARE(project.m_lstScenes.size(), 1);
    QCOMPARE(project.m_lstScenes[0].strName, QStringLiteral("Scene 1"));
    QCOMPARE(project.m_lstScenes[0].lstItems.size(), 2);
    for (const SceneItem &item : project.m_lstScenes[0].lstItems) {
        QVERIFY(!item.isAnimated());
        QCOMPARE(item.dRotation, 0.0);
        QCOMPARE(item.dOpacity, 1.0);
    }
    QCOMPARE(project.m_lstScenes[0].lstItems.at(0).rect, QRectF(10, 20, 200, 100));
    QCOMPARE(project.m_lstScenes[0].lstItems.at(1).strText, QStringLiteral("Hello"));
}

void tst_SceneProject::itemsWithoutNamesOrFlagsReadAndWriteAsBefore()
{
    const QByteArray json = R"({"format": 2, "stage": {"width": 640, "height": 360, "fps": 24},
        "scenes": [{"name": "Intro", "duration": 4, "items": [
            {"id": "item1", "type": "rectangle", "x": 10, "y": 20, "width": 200, "height": 100},
            {"id": "item2", "type": "ellipse", "x": 40, "y": 30, "width": 20, "height": 10}]}]})";
    SceneProject project;
    QString strError;
    QVERIFY2(project.fromJson(json, &strError), qPrintable(strError));
    const QList<SceneItem> &lstItems = project.m_lstScenes[0].lstItems;
    QCOMPARE(lstItems.size(), 2);
    QCOMPARE(lstItems.at(1).strId, QStringLiteral("item2"));   // stacking: the file's order
    for (const SceneItem &item : lstItems) {
        QVERIFY(item.strName.isEmpty() && !item.bHidden && !item.bLocked);
        QCOMPARE(item.displayName(), item.strId);
    }
    // Written back, the items gain none of the keys, so older versions read them as before.
    const QJsonArray items = QJsonDocument::fromJson(project.toJson()).object().value(QStringLiteral("scenes"))
                                 .toArray().at(0).toObject().value(QStringLiteral("items")).toArray();
    for (const QJsonValue &item : items) {
        for (const char *pKey : {"name", "hidden", "locked"})
            QVERIFY2(!item.toObject().contains(QLatin1String(pKey)), pKey);
    }
}

void tst_SceneProject::transparentColoursSurviveSaving()
{
    SceneProject project;
    project.m_background = QColor(QStringLiteral("#80ff0000"));
    SceneProject read;
    QString strError;
    QVERIFY2(read.fromJson(project.toJson(), &strError), qPrintable(strError));
    QCOMPARE(read.m_background.name(QColor::HexArgb), QStringLiteral("#80ff0000"));
}

void tst_SceneProject::invalidFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray stage = R"("stage":{"width":100,"height":100,"fps":24})";
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not json") << QByteArray("hello world");
    QTest::newRow("json array") << QByteArray("[1,2]");
    QTest::newRow("no format") << QByteArray("{" + stage + "}");
    QTest::newRow("format zero") << QByteArray(R"({"format":0,)" + stage + "}");
    QTest::newRow("format text") << QByteArray(R"({"format":"1",)" + stage + "}");
    QTest::newRow("format fraction") << QByteArray(R"({"format":1.5,)" + stage + "}");
    QTest::newRow("no stage") << QByteArray(R"({"format":1})");
    QTest::newRow("stage too wide") << QByteArray(R"({"format":1,"stage":{"width":100000,"height":100,"fps":24}})");
    QTest::newRow("fps zero") << QByteArray(R"({"format":1,"stage":{"width":100,"height":100,"fps":0}})");
    QTest::newRow("items not a list") << QByteArray(R"({"format":1,)" + stage + R"(,"items":{}})");
    QTest::newRow("unknown item type")
        << QByteArray(R"({"format":1,)" + stage + R"(,"items":[{"id":"a","type":"star","x":0,"y":0,"width":1,"height":1}]})");
    QTest::newRow("item without id")
        << QByteArray(R"({"format":1,)" + stage + R"(,"items":[{"type":"rectangle","x":0,"y":0,"width":1,"height":1}]})");
    QTest::newRow("duplicate ids")
        << QByteArray(R"({"format":1,)" + stage
                      + R"(,"items":[{"id":"a","type":"rectangle","x":0,"y":0,"width":1,"height":1},)"
                        R"({"id":"a","type":"ellipse","x":0,"y":0,"width":1,"height":1}]})");
    QTest::newRow("negative size")
        << QByteArray(R"({"format":1,)" + stage + R"(,"items":[{"id":"a","type":"rectangle","x":0,"y":0,"width":-1,"height":1}]})");
    QTest::newRow("image outside project")
        << QByteArray(R"({"format":1,)" + stage
                      + R"(,"items":[{"id":"a","type":"image","x":0,"y":0,"width":1,"height":1,"image":"../../etc/passwd"}]})");
    const QByteArray item = R"({"id":"a","type":"rectangle","x":0,"y":0,"width":1,"height":1)";
    auto scene = [&](const QByteArray &duration, const QByteArray &keyframes) {
        return QByteArray(R"({"format":2,)" + stage + R"(,"scenes":[{"name":"s","duration":)" + duration
                          + R"(,"items":[)" + item + R"(,"keyframes":)" + keyframes + "}]}]}");
    };
    QTest::newRow("no scenes") << QByteArray(R"({"format":2,)" + stage + R"(,"scenes":[]})");
    QTest::newRow("duration zero") << scene("0", "{}");
    QTest::newRow("keyframe after the end") << scene("1", R"({"x":[{"time":2,"value":0}]})");
    QTest::newRow("keyframe at a negative time") << scene("1", R"({"x":[{"time":-1,"value":0}]})");
    QTest::newRow("two keyframes at one time")
        << scene("1", R"({"x":[{"time":0.5,"value":0},{"time":0.5,"value":9}]})");
    QTest::newRow("unknown property") << scene("1", R"({"z":[{"time":0,"value":0}]})");
    QTest::newRow("unknown easing") << scene("1", R"({"x":[{"time":0,"value":0,"easing":"bounce"}]})");
    QTest::newRow("opacity above one") << scene("1", R"({"opacity":[{"time":0,"value":2}]})");
    QTest::newRow("colour that is none") << scene("1", R"({"fill":[{"time":0,"value":"nonsense"}]})");
    QTest::newRow("repeated key") << QByteArray(R"({"format":2,"format":[1],)" + stage + "}");
    QTest::newRow("image absolute")
        << QByteArray(R"({"format":1,)" + stage
                      + R"(,"items":[{"id":"a","type":"image","x":0,"y":0,"width":1,"height":1,"image":"/tmp/x.png"}]})");
}

void tst_SceneProject::invalidFilesAreRefused()
{
    QFETCH(QByteArray, content);
    const QString strFile = m_dir.filePath(QStringLiteral("invalid.zelto"));
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();

    SceneProject project = sample();
    const SceneProject before = project;
    QString strError;
    QVERIFY(!project.load(strFile, &strError));
    QVERIFY(!strError.isEmpty());
    // A refused file changes nothing.
    QVERIFY(project.m_lstScenes[0].lstItems == before.m_lstScenes[0].lstItems);
    QCOMPARE(project.m_nWidth, before.m_nWidth);
}

void tst_SceneProject::newerFormatIsRefusedWithMessage()
{
    QByteArray json = sample().toJson();
    json.replace("\"format\": 2", "\"format\": 3");
    SceneProject project;
    QString strError;
    QVERIFY(!project.fromJson(json, &strError));
    QVERIFY2(strError.contains(QLatin1String("newer version")), qPrintable(strError));
    QVERIFY(strError.contains(QLatin1String("(project format 3)")));
}

void tst_SceneProject::projectFolderKeepsImagesBeside()
{
    const SceneProject project = sample();
    const QString strFile = m_dir.filePath(QStringLiteral("folder/scene.zelto"));
    QDir().mkpath(m_dir.filePath(QStringLiteral("folder")));
    QString strError;
    QVERIFY2(project.save(strFile, &strError), qPrintable(strError));
    const QString strImage = project.m_lstScenes[0].lstItems.at(2).strImage;
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("folder/")) + strImage));

    SceneProject read;
    QVERIFY2(read.load(strFile, &strError), qPrintable(strError));
    QVERIFY(read.m_lstScenes[0].lstItems == project.m_lstScenes[0].lstItems);
    QCOMPARE(read.m_mapImages.value(strImage), project.m_mapImages.value(strImage));
}

void tst_SceneProject::missingImageStillOpens()
{
    const SceneProject project = sample();
    const QString strFile = m_dir.filePath(QStringLiteral("noimage.zelto"));
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(project.toJson());   // without the images folder
    file.close();
    SceneProject read;
    QString strError;
    QVERIFY2(read.load(strFile, &strError), qPrintable(strError));
    QCOMPARE(read.m_lstScenes[0].lstItems.size(), 3);
    QVERIFY(read.m_mapImages.isEmpty());
}

void tst_SceneProject::unsafeFolderEntriesAreLeftOut_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << QStringLiteral("fifo") << QStringLiteral("not a regular file");
    QTest::newRow("link to a device") << QStringLiteral("device") << QStringLiteral("outside the project");
    QTest::newRow("link to a file outside") << QStringLiteral("outside file") << QStringLiteral("outside the project");
    QTest::newRow("images folder linked outside") << QStringLiteral("outside folder") << QStringLiteral("outside the project");
    QTest::newRow("image too large") << QStringLiteral("large") << QStringLiteral("larger than 64");
}

// Reading a project never blocks on, or follows a link into, anything but a
// regular file inside its folder; packing it then copies nothing from outside.
void tst_SceneProject::unsafeFolderEntriesAreLeftOut()
{
    QFETCH(QString, entry);
    QFETCH(QString, reason);
    QTemporaryDir outside;
    const QString strSecret = outside.filePath(QStringLiteral("secret.png"));
    QFile secret(strSecret);
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write(png(Qt::blue)) > 0);
    secret.close();

    const QString strFolder = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(strFolder));
    const SceneProject project = sample();
    const QString strImage = project.m_lstScenes[0].lstItems.at(2).strImage;
    const QString strImageFile = QDir(strFolder).filePath(strImage);
    if (entry == QLatin1String("outside folder")) {
        QVERIFY(QFile::link(outside.path(), QDir(strFolder).filePath(QStringLiteral("images"))));
        QVERIFY(QFile::copy(strSecret, outside.filePath(QFileInfo(strImage).fileName())));
    } else {
        QVERIFY(QDir(strFolder).mkdir(QStringLiteral("images")));
    }
    if (entry == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(strImageFile).constData(), 0600), 0);
#else
        QSKIP("no FIFOs here");
#endif
    } else if (entry == QLatin1String("device")) {
        if (!QFileInfo::exists(QStringLiteral("/dev/zero")))
            QSKIP("no /dev/zero here");
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), strImageFile));
    } else if (entry == QLatin1String("outside file")) {
        QVERIFY(QFile::link(strSecret, strImageFile));
    } else if (entry == QLatin1String("large")) {
        QFile large(strImageFile);   // sparse: nothing is written
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(ProjectFile::s_nMaxImageSize + 1));
    }
    const QString strFile = QDir(strFolder).filePath(QStringLiteral("p.zelto"));
    QFile file(strFile);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(project.toJson()) > 0);
    file.close();

    SceneProject read;
    QString strError;
    QStringList lstRefused;
    QVERIFY2(read.load(strFile, &strError, nullptr, &lstRefused), qPrintable(strError));
    QCOMPARE(read.m_lstScenes[0].lstItems.size(), 3);
    QVERIFY(read.m_mapImages.isEmpty());
    QCOMPARE(lstRefused.size(), 1);
    QVERIFY2(lstRefused.at(0).startsWith(strImage) && lstRefused.at(0).contains(reason), qPrintable(lstRefused.at(0)));

    const QString strPack = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".zeltopack"));
    QVERIFY2(read.save(strPack, &strError), qPrintable(strError));
    SceneProject packed;
    QVERIFY(packed.load(strPack, &strError));
    QVERIFY(packed.m_mapImages.isEmpty());
}

void tst_SceneProject::projectFileMustBeARegularFile_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");
    QTest::newRow("FIFO") << QStringLiteral("fifo") << QStringLiteral("not a regular file");
    QTest::newRow("device") << QStringLiteral("/dev/zero") << QStringLiteral("not a regular file");
    QTest::newRow("too large") << QStringLiteral("large") << QStringLiteral("larger than 512");
}

void tst_SceneProject::projectFileMustBeARegularFile()
{
    QFETCH(QString, entry);
    QFETCH(QString, message);
    const QString strFile = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".zelto"));
    if (entry == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(strFile).constData(), 0600), 0);
#else
        QSKIP("no FIFOs here");
#endif
    } else if (entry == QLatin1String("large")) {
        QFile large(strFile);
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(ProjectFile::s_nMaxProjectSize + 1));
    } else {
        if (!QFileInfo::exists(entry))
            QSKIP("no such device here");
        QVERIFY(QFile::link(entry, strFile));
    }
    SceneProject project;
    QString strError;
    QVERIFY(!project.load(strFile, &strError));
    QVERIFY2(strError.contains(QDir::toNativeSeparators(strFile)) && strError.contains(message), qPrintable(strError));
}

void tst_SceneProject::packRoundTrip()
{
    const SceneProject project = sample();
    const QString strFile = m_dir.filePath(QStringLiteral("packed.zeltopack"));
    QString strError;
    QVERIFY2(project.save(strFile, &strError), qPrintable(strError));
    // Nothing is written beside a packed project.
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("images"))));

    SceneProject read;
    QVERIFY2(read.load(strFile, &strError), qPrintable(strError));
    QVERIFY(read.m_lstScenes[0].lstItems == project.m_lstScenes[0].lstItems);
    QCOMPARE(read.m_mapImages, project.m_mapImages);
    QCOMPARE(read.m_bResponsive, true);
}

void tst_SceneProject::packIsAStandardTarArchive()
{
    const QString strTar = QStandardPaths::findExecutable(QStringLiteral("tar"));
    if (strTar.isEmpty())
        QSKIP("no tar program to compare with");
    const SceneProject project = sample();
    const QString strFile = m_dir.filePath(QStringLiteral("standard.zeltopack"));
    QString strError;
    QVERIFY(project.save(strFile, &strError));
    QProcess tar;
    tar.start(strTar, {QStringLiteral("-tf"), strFile});
    QVERIFY(tar.waitForFinished(10000));
    QCOMPARE(tar.exitCode(), 0);
    const QStringList lstNames = QString::fromUtf8(tar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lstNames, QStringList({QStringLiteral("project.json"), project.m_lstScenes[0].lstItems.at(2).strImage}));

    // And an archive made by tar is read back.
    const QString strFolder = m_dir.filePath(QStringLiteral("fromtar"));
    QDir().mkpath(strFolder + QStringLiteral("/images"));
    QFile json(strFolder + QStringLiteral("/project.json"));
    QVERIFY(json.open(QIODevice::WriteOnly));
    json.write(project.toJson());
    json.close();
    QProcess pack;
    pack.setWorkingDirectory(strFolder);
    pack.start(strTar, {QStringLiteral("--format=ustar"), QStringLiteral("-cf"), QStringLiteral("../fromtar.zeltopack"),
                        QStringLiteral("project.json"), QStringLiteral("images")});
    QVERIFY(pack.waitForFinished(10000));
    QCOMPARE(pack.exitCode(), 0);
    SceneProject read;
    QVERIFY2(read.load(m_dir.filePath(QStringLiteral("fromtar.zeltopack")), &strError), qPrintable(strError));
    QCOMPARE(read.m_lstScenes[0].lstItems.size(), 3);
}

void tst_SceneProject::damagedPacksAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QString strError;
    const QByteArray good = sample().toPack(&strError);
    QByteArray badSum = good;
    badSum[0] = 'X';
    QTest::newRow("checksum") << badSum;
    QTest::newRow("truncated") << good.left(700);
    QByteArray hugeSize = good;
    // Size field claims more than the archive holds; the checksum is fixed up.
    QByteArray header = hugeSize.left(512);
    memcpy(header.data() + 124, "77777777777", 11);
    memset(header.data() + 148, ' ', 8);
    unsigned nSum = 0;
    for (char c : header)
        nSum += static_cast<unsigned char>(c);
    const QByteArray sum = QByteArray::number(nSum, 8).rightJustified(6, '0');
    memcpy(header.data() + 148, sum.constData(), 6);
    header[154] = '\0';
    hugeSize.replace(0, 512, header);
    QTest::newRow("size beyond end") << hugeSize;
    QTest::newRow("no project.json") << TarArchive::write({{QStringLiteral("images/a.png"), QByteArray("x")}});
}

void tst_SceneProject::damagedPacksAreRefused()
{
    QFETCH(QByteArray, content);
    SceneProject project;
    QString strError;
    QVERIFY(!project.fromPack(content, &strError));
    QVERIFY(!strError.isEmpty());
}

void tst_SceneProject::packEntriesOutsideImagesAreIgnored()
{
    const QByteArray pack = TarArchive::write({{QStringLiteral("project.json"), sample().toJson()},
                                               {QStringLiteral("../evil.png"), QByteArray("x")},
                                               {QStringLiteral("images/../../evil.png"), QByteArray("x")}});
    SceneProject project;
    QString strError;
    QVERIFY2(project.fromPack(pack, &strError), qPrintable(strError));
    QVERIFY(project.m_mapImages.isEmpty());
}

void tst_SceneProject::failedSaveKeepsTheOldFile()
{
    const QString strFile = m_dir.filePath(QStringLiteral("keep.zeltopack"));
    SceneProject project = sample();
    QString strError;
    QVERIFY(project.save(strFile, &strError));
    const QByteArray before = [&] { QFile f(strFile); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    // A name too long for the archive makes the save fail before writing.
    project.m_mapImages.insert(QStringLiteral("images/") + QString(120, QLatin1Char('a')), QByteArray("x"));
    project.m_lstScenes[0].lstItems[2].strImage = QStringLiteral("images/") + QString(120, QLatin1Char('a'));
    QVERIFY(!project.save(strFile, &strError));
    QVERIFY(!strError.isEmpty());
    QFile after(strFile);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

#ifdef Q_OS_LINUX
// A file system of its own for one test, in a mount namespace of this thread:
// it goes when the process ends, whatever happens. Needs the right to mount.
static bool mountPrivateTmpfs(const QString &strFolder, unsigned long nFlags)
{
    static const bool s_bPrivate = ::unshare(CLONE_NEWNS) == 0
                                   && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return s_bPrivate
           && ::mount("tmpfs", QFile::encodeName(strFolder).constData(), "tmpfs", nFlags, "size=64k") == 0;
}
#endif

void tst_SceneProject::failedSaveSaysWhy_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("disk full") << int(ENOSPC) << QStringLiteral("the disk is full");
    QTest::newRow("read-only file system") << int(EROFS) << QStringLiteral("the file system is read-only");
    QTest::newRow("permission denied") << int(EACCES) << QStringLiteral("permission denied");
}

// Where the machine lets the test make the failure happen it does; else
// the row checks only the words for the system's error.
void tst_SceneProject::failedSaveSaysWhy()
{
    QFETCH(int, error);
    QFETCH(QString, reason);
    const QString strFolder = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(strFolder));
    bool bMade = false;
#ifdef Q_OS_LINUX
    if (error == ENOSPC)
        bMade = mountPrivateTmpfs(strFolder, 0);
    else if (error == EROFS)
        bMade = mountPrivateTmpfs(strFolder, MS_RDONLY);
#endif
    if (error == EACCES) {
        QVERIFY(QFile::setPermissions(strFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        bMade = !QFileInfo(strFolder).isWritable();   // the owner of everything writes anyway
    }
    if (!bMade) {
        QCOMPARE(ProjectFile::systemReason(error), reason);
        return;
    }
    SceneProject project;
    SceneItem text;
    text.strId = QStringLiteral("item1");
    text.type = SceneItem::Text;
    text.strText = QString(100000, QLatin1Char('x'));   // more than the small file system holds
    project.m_lstScenes[0].lstItems = {text};
    const QString strFile = QDir(strFolder).filePath(QStringLiteral("p.zelto"));
    QString strError;
    QVERIFY(!project.save(strFile, &strError));
    QCOMPARE(strError, QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(strFile), reason));
    QVERIFY(!QFileInfo::exists(strFile));
#ifdef Q_OS_LINUX
    ::umount2(QFile::encodeName(strFolder).constData(), MNT_DETACH);
#endif
}

void tst_SceneProject::htmlExportIsSelfContainedAndEscaped()
{
    SceneProject project = sample();
    QString strHtml = HtmlExporter::toHtml(project, QStringLiteral("My <Scene>"));
    QVERIFY(strHtml.startsWith(QLatin1String("<!DOCTYPE html>")));
    QVERIFY(strHtml.contains(QLatin1String("<title>My &lt;Scene&gt;</title>")));
    QVERIFY(strHtml.contains(QLatin1String("viewBox=\"0 0 800 600\"")));
    QVERIFY(strHtml.contains(QLatin1String("width=\"100%\"")));   // responsive
    QVERIFY(strHtml.contains(QLatin1String("<g id=\"s1-item1\"><g style=\"transform:translate(10px,0px) translate(0px,20px)\">"
                                           "<rect width=\"100.5\" height=\"50\"")));
    // Text from the project is escaped and never taken for a placeholder.
    QVERIFY(strHtml.contains(QStringLiteral("Grüße &lt;b&gt;&amp;amp; %1 &quot;quoted&quot;</text>")));
    QVERIFY(strHtml.contains(QLatin1String("href=\"data:image/png;base64,")
                             + QString::fromLatin1(project.m_mapImages.first().toBase64())));
    QVERIFY(!strHtml.contains(QLatin1String("images/")));
    QVERIFY(!strHtml.contains(QLatin1String("@keyframes")));   // nothing moves

    // Two scenes in a loop: the second starts after the first, both are CSS
    // animations of one timeline, and nothing is fetched or run.
    Scene second;
    second.strName = QStringLiteral("Second");
    second.dDuration = 3;
    SceneItem item = project.m_lstScenes[0].lstItems.at(0);
    Keyframe start, end;
    start.value = 0.0;
    start.easing = Keyframe::EaseInOut;
    end.dTime = 3;
    end.value = 300.0;
    item.tracks[SceneItem::X] = {start, end};
    second.lstItems = {item};
    project.m_lstScenes[0].dDuration = 1;
    project.m_lstScenes.append(second);
    project.m_bLoop = true;
    strHtml = HtmlExporter::toHtml(project, QStringLiteral("Two"));
    QVERIFY(strHtml.contains(QLatin1String("animation-duration:4s")));
    QVERIFY(strHtml.contains(QLatin1String("animation-iteration-count:infinite")));
    QVERIFY(strHtml.contains(QLatin1String("{0%{visibility:visible;animation-timing-function:step-end}"
                                           "25%{visibility:hidden;animation-timing-function:step-end}"
                                           "100%{visibility:hidden;animation-timing-function:step-end}}")));
    QVERIFY(strHtml.contains(QLatin1String("{0%{transform:translate(0px,0px)}"
                                           "25%{transform:translate(0px,0px);animation-timing-function:ease-in-out}"
                                           "100%{transform:translate(300px,0px)}}")));
    QVERIFY(strHtml.contains(QLatin1String("<g id=\"scene2\" data-name=\"Second\" class=\"scene a\"")));
    QVERIFY(!strHtml.contains(QLatin1String("<script")));
    QVERIFY(!strHtml.contains(QLatin1String("url(")));
}

QTEST_MAIN(tst_SceneProject)
#include "tst_sceneproject.moc"
