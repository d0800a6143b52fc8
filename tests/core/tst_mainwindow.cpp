#include "core/icore.h"
#include "core/mainwindow.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QHostAddress>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <QWebChannel>
#include <QWebSocketServer>
#include <QtTest>

#include <unistd.h>

namespace {

// Working folders, and what tests put in their place.
void removeTempFolders()
{
    const QFileInfoList entries = QDir::temp().entryInfoList({QStringLiteral("Zelto-Rideved*")},
                                                             QDir::AllEntries | QDir::System | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (!QFile::remove(entry.absoluteFilePath()))
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

// A real folder, not a link, of this user and closed to everybody else.
bool isPrivateFolder(const QString &path)
{
    const QFileInfo info(path);
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
                                         | QFile::WriteUser | QFile::ExeUser;
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::geteuid() && info.permissions() == ownerOnly;
}

bool writeFile(const QString &path, const QByteArray &content = "data")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

int g_infoMessages = 0;
QtMessageHandler g_previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtInfoMsg)
        ++g_infoMessages;
    g_previousHandler(type, context, message);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void construction();
    void firstRun_data();
    void firstRun();
    void extensionsInitializedShowsWindow_data();
    void extensionsInitializedShowsWindow();
    void raiseUpClearsMinimized();
    void defaultTempPath();
    void removeTempDirRemovesEverything();
    void removeMissingTempDirFails();
    void removeTempDirNeverFollowsLinks();
    void tempFolderReplaced_data();
    void tempFolderReplaced();
    void instancesKeepTheirOwnFolders();
    void removeTempDirStopsAtUndeletableFile();
    void dragIsAccepted_data();
    void dragIsAccepted();
    void drop_data();
    void drop();
    void closeSavesSettingsAndRemovesTempDir();
    void showNotificationLogsText();
    void autoHideTaskbarKeepsOnePixel();

private:
    TestSupport::TestHost m_host;
};

void tst_MainWindow::init()
{
    ICore::settings()->clear();
    removeTempFolders();
}

void tst_MainWindow::cleanup()
{
    removeTempFolders();
}

void tst_MainWindow::construction()
{
    MainWindow window;
    QWebSocketServer *server = window.getServer();
    QVERIFY(server);
    QVERIFY(server->isListening());
    QCOMPARE(server->serverName(), QStringLiteral("ZTServer"));
    QCOMPARE(server->secureMode(), QWebSocketServer::NonSecureMode);
    QCOMPARE(server->serverAddress(), QHostAddress(QHostAddress::LocalHost));
    QVERIFY(server->serverPort() != 0);
    QVERIFY(window.getChannel());
    QCOMPARE(int(window.windowFlags()), 0x4801);
    QVERIFY(!window.statusBar()->isSizeGripEnabled());
    QVERIFY(window.acceptDrops());
    QVERIFY(!window.isVisible());
    QCOMPARE(ICore::getMainWindow(), &window);
}

void tst_MainWindow::firstRun_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("firstRun");

    QTest::newRow("nothing saved") << QStringList() << true;
    QTest::newRow("other groups only") << QStringList{"Zelto/Language", "Shortcuts/File.New"} << true;
    QTest::newRow("Designer group") << QStringList{"Designer/Zoom"} << false;
    QTest::newRow("designer in lower case") << QStringList{"designer/Zoom"} << false;
    QTest::newRow("DESIGNER in capitals") << QStringList{"DESIGNER/Zoom"} << false;
    QTest::newRow("Designer as a plain key") << QStringList{"Designer"} << true;
    QTest::newRow("Designer below another group") << QStringList{"Zelto/Designer/Zoom"} << true;
    QTest::newRow("longer name") << QStringList{"Designers/Zoom"} << true;
}

void tst_MainWindow::firstRun()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, firstRun);
    for (const QString &key : keys)
        ICore::settings()->setValue(key, 1);
    MainWindow window;
    QCOMPARE(window.IsFirstRun(), firstRun);
}

void tst_MainWindow::extensionsInitializedShowsWindow_data()
{
    QTest::addColumn<bool>("seenBefore");
    QTest::newRow("first run: maximized") << false;
    QTest::newRow("later run: normal") << true;
}

void tst_MainWindow::extensionsInitializedShowsWindow()
{
    QFETCH(bool, seenBefore);
    if (seenBefore)
        ICore::settings()->setValue(QStringLiteral("Designer/Zoom"), 100);
    MainWindow window;
    window.extensionsInitialized();
    QVERIFY(window.isVisible());
    QCOMPARE(window.isMaximized(), !seenBefore);
}

void tst_MainWindow::raiseUpClearsMinimized()
{
    MainWindow window;
    window.show();
    window.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
    window.raiseUp();
    QCOMPARE(window.windowState(), Qt::WindowStates(Qt::WindowMaximized));
}

void tst_MainWindow::defaultTempPath()
{
    MainWindow window;
    const QString path = window.getDefaultTempPath();
    QCOMPARE(QFileInfo(path).dir(), QDir::temp());
    QVERIFY(QFileInfo(path).fileName().startsWith(QLatin1String("Zelto-Rideved-")));
    QVERIFY(isPrivateFolder(path));
    QVERIFY(writeFile(path + QStringLiteral("/kept.txt")));
    QCOMPARE(window.getDefaultTempPath(), path);
    QVERIFY(QFile::exists(path + QStringLiteral("/kept.txt")));
}

void tst_MainWindow::removeTempDirRemovesEverything()
{
    MainWindow window;
    const QString root = window.getDefaultTempPath();
    QVERIFY(writeFile(root + QStringLiteral("/scene.html")));
    QVERIFY(writeFile(root + QStringLiteral("/.hidden")));
    QVERIFY(writeFile(root + QStringLiteral("/a/b/c/deep.js")));
    QVERIFY(writeFile(root + QStringLiteral("/.cache/x")));
    QVERIFY(QDir(root).mkpath(QStringLiteral("empty")));
    QVERIFY(QFile::link(root + QStringLiteral("/nowhere"), root + QStringLiteral("/broken-link")));

    QVERIFY(window.removeDefaultTempDir());
    QVERIFY(!QFileInfo::exists(root));
}

void tst_MainWindow::removeMissingTempDirFails()
{
    MainWindow window;
    QVERIFY(!window.removeDefaultTempDir());
}

void tst_MainWindow::removeTempDirNeverFollowsLinks()
{
    QTemporaryDir outside;
    QVERIFY(writeFile(outside.filePath(QStringLiteral("precious.txt"))));
    QVERIFY(writeFile(outside.filePath(QStringLiteral("folder/also-precious.txt"))));

    MainWindow window;
    const QString root = window.getDefaultTempPath();
    QVERIFY(writeFile(root + QStringLiteral("/work/file.txt")));
    QVERIFY(QFile::link(outside.path(), root + QStringLiteral("/work/link-to-folder")));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("precious.txt")), root + QStringLiteral("/link-to-file")));

    QVERIFY(window.removeDefaultTempDir());
    QVERIFY(!QFileInfo::exists(root));
    QVERIFY(QFile::exists(outside.filePath(QStringLiteral("precious.txt"))));
    QVERIFY(QFile::exists(outside.filePath(QStringLiteral("folder/also-precious.txt"))));
}

void tst_MainWindow::tempFolderReplaced_data()
{
    QTest::addColumn<QString>("squatter");
    QTest::newRow("a link") << "link";
    QTest::newRow("a file") << "file";
    QTest::newRow("a folder of another user") << "foreign folder";
}

void tst_MainWindow::tempFolderReplaced()
{
    QFETCH(QString, squatter);
    QTemporaryDir outside;
    QVERIFY(writeFile(outside.filePath(QStringLiteral("precious.txt"))));
    MainWindow window;
    const QString first = window.getDefaultTempPath();
    // Gone (a cleaner of old files, say), and something else in its place.
    QVERIFY(QDir(first).removeRecursively());
    if (squatter == QLatin1String("link")) {
        QVERIFY(QFile::link(outside.path(), first));
    } else if (squatter == QLatin1String("file")) {
        QVERIFY(writeFile(first));
    } else {
        if (::geteuid() != 0)
            QSKIP("Only root can give a folder to another user.");
        QVERIFY(QDir().mkdir(first));
        QVERIFY(::chown(QFile::encodeName(first).constData(), 65534, 65534) == 0);
        QVERIFY(QFile::setPermissions(first, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                 | QFile::WriteOther | QFile::ExeOther));
    }

    const QString second = window.getDefaultTempPath();
    QVERIFY(second != first);
    QVERIFY(isPrivateFolder(second));
    QVERIFY(writeFile(second + QStringLiteral("/scene.html")));
    QVERIFY(window.removeDefaultTempDir());
    // What took the old folder's place is not this process's to remove.
    QVERIFY(QFileInfo(first).isSymLink() || QFileInfo::exists(first));
    QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("precious.txt")});
}

// Another running instance for instancesKeepTheirOwnFolders: prints its
// working folder, then closes its window when told to.
static int runInstance(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestSupport::TestHost host;
    MainWindow window;
    const QString path = window.getDefaultTempPath();
    if (!writeFile(path + QStringLiteral("/work.txt")))
        return 1;
    QTextStream(stdout) << path << Qt::endl;
    QTextStream(stdin).readLine();
    window.close();
    return QFileInfo::exists(path) ? 1 : 0;
}

void tst_MainWindow::instancesKeepTheirOwnFolders()
{
    QProcess first;
    QProcess second;
    QStringList paths;
    for (QProcess *pProcess : {&first, &second}) {
        pProcess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        pProcess->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--instance")});
        QVERIFY(pProcess->waitForReadyRead(30000));
        paths << QString::fromLocal8Bit(pProcess->readLine()).trimmed();
        QVERIFY(QFile::exists(paths.last() + QStringLiteral("/work.txt")));
    }
    QVERIFY(paths.at(0) != paths.at(1));

    second.write("close\n");
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(QFile::exists(paths.at(0) + QStringLiteral("/work.txt")));
    first.write("close\n");
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
}

void tst_MainWindow::removeTempDirStopsAtUndeletableFile()
{
    MainWindow window;
    const QString root = window.getDefaultTempPath();
    const QString locked = root + QStringLiteral("/a-locked/file.txt");
    QVERIFY(writeFile(locked));
    QVERIFY(writeFile(root + QStringLiteral("/b-later/file.txt")));
    QVERIFY(writeFile(root + QStringLiteral("/z-later.txt")));

    // Removing a file needs a writable folder; root ignores that, so there
    // the file is made immutable instead.
    std::function<void()> unlock;
    if (::geteuid() == 0) {
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), locked}) != 0)
            QSKIP("Running as root without chattr +i: nothing stops root from removing a file.");
        unlock = [locked] { QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), locked}); };
    } else {
        const QString folder = QFileInfo(locked).absolutePath();
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        unlock = [folder] {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        };
    }

    const bool removed = window.removeDefaultTempDir();
    unlock();
    QVERIFY(!removed);
    QVERIFY(QFile::exists(locked));
    // Removal stopped at the first failure: later entries are still there.
    QVERIFY(QFile::exists(root + QStringLiteral("/b-later/file.txt")));
    QVERIFY(QFile::exists(root + QStringLiteral("/z-later.txt")));

    QVERIFY(window.removeDefaultTempDir());
    QVERIFY(!QFileInfo::exists(root));
}

void tst_MainWindow::dragIsAccepted_data()
{
    QTest::addColumn<bool>("enter");
    QTest::newRow("drag enter") << true;
    QTest::newRow("drag move") << false;
}

void tst_MainWindow::dragIsAccepted()
{
    QFETCH(bool, enter);
    MainWindow window;
    QWidget area;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/p.zelto"))});
    QDragEnterEvent enterEvent(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent moveEvent(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent *event = enter ? &enterEvent : &moveEvent;
    event->ignore();

    QObject *filter = &window;
    QVERIFY(filter->eventFilter(&area, event));
    QVERIFY(event->isAccepted());
    QCOMPARE(event->dropAction(), Qt::CopyAction);
}

void tst_MainWindow::drop_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<int>("boxes");

    // No document type is registered here: no file is a document, and a drop
    // of one is ignored without a word.
    QTest::newRow("no URLs") << QStringList() << false << 0;
    QTest::newRow("other file type") << QStringList{"/tmp/picture.png"} << true << 0;
    QTest::newRow("project") << QStringList{"/tmp/missing.zelto"} << true << 0;
    QTest::newRow("two files") << QStringList{"/tmp/one.zelto", "/tmp/two.zelto"} << true << 0;
}

void tst_MainWindow::drop()
{
    QFETCH(QStringList, files);
    QFETCH(bool, handled);
    QFETCH(int, boxes);

    MainWindow window;
    TestSupport::ModalAnswerer answerer;
    for (int i = 0; i < boxes; ++i)
        answerer.answer(QMessageBox::Ok);
    QWidget area;
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    if (urls.isEmpty())
        mime.setText(QStringLiteral("just text"));
    else
        mime.setUrls(urls);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    event.ignore();

    QObject *filter = &window;
    QCOMPARE(filter->eventFilter(&area, &event), handled);
    // Nothing could be opened, so no drop was accepted.
    QVERIFY(!event.isAccepted());
    QCOMPARE(answerer.records().size(), boxes);
}

void tst_MainWindow::closeSavesSettingsAndRemovesTempDir()
{
    MainWindow window;
    connect(ICore::getInstance(), &ICore::aboutToSaveSettings, this,
            [] { ICore::settings()->setValue(QStringLiteral("Zelto/Language"), QStringLiteral("de")); });
    QSignalSpy saved(ICore::getInstance(), &ICore::aboutToSaveSettings);
    const QString temp = window.getDefaultTempPath();
    QVERIFY(writeFile(temp + QStringLiteral("/work.tmp")));

    QCloseEvent event;
    event.ignore();
    QCoreApplication::sendEvent(&window, &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(saved.count(), 1);
    QSettings onDisk(ICore::settings()->fileName(), QSettings::IniFormat);
    QCOMPARE(onDisk.value(QStringLiteral("Zelto/Language")).toString(), QStringLiteral("de"));
    QVERIFY(!QFileInfo::exists(temp));
}

void tst_MainWindow::showNotificationLogsText()
{
    MainWindow window;
    QTest::ignoreMessage(QtInfoMsg, "A new version is available.");
    window.showNotification(QStringLiteral("A new version is available."), ZTNotificationBar::Information,
                            QString(), true);

    g_infoMessages = 0;
    g_previousHandler = qInstallMessageHandler(countingHandler);
    window.showNotification(QString(), ZTNotificationBar::Warning, QStringLiteral("Retry"), false);
    qInstallMessageHandler(g_previousHandler);
    QCOMPARE(g_infoMessages, 0);
}

void tst_MainWindow::autoHideTaskbarKeepsOnePixel()
{
    MainWindow window;
    window.show();
    QScreen *screen = window.screen();
    QVERIFY(screen);
    // The test runs on the offscreen platform, whose screen has no taskbar.
    const QRect available = screen->availableGeometry();
    QVERIFY2(screen->geometry() == available && available.topLeft() == QPoint(0, 0),
             "the screen reserves space for a taskbar");

    window.setGeometry(available);
    QTRY_COMPARE(window.height(), available.height() - 1);
    QCOMPARE(window.width(), available.width());
    // The shorter window no longer covers the screen: it stays as it is.
    QTest::qWait(20);
    QCOMPARE(window.height(), available.height() - 1);
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--instance") == 0)
        return runInstance(argc, argv);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_MainWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
