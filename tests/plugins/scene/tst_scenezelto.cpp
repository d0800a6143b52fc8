// The real application: the zelto executable with its core and scene
// plug-ins, started and killed as a user (or a crash) would. Each run has its
// own settings folder through ZELTO_SETTINGS_PATH.
#include "scenedocumentfactory.h"
#include "sceneproject.h"

#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/testhost.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class tst_SceneZelto : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void crashedWorkIsRestoredOnNextStart();
    void secondInstanceHandsOverItsFile();
    void terminatedWorkIsKeptInTheBackup();
    void sessionComesBackAfterARestart();
    void exportRunsWithoutWindowOrDisplay();

private:
    // bExitWhenIdle: the run ends by itself once its window is up and idle.
    QProcess *start(const QStringList &lstArguments, bool bExitWhenIdle = false);
    QSettings *settings();
    bool waitForOutput(QProcess *pProcess, const QString &strText, int nTimeoutMs = 30000);
    void writeProjectWithBackup(const QString &strFile, int nSavedItems, int nBackupItems);
    static int itemCount(const QString &strFile);

    QString m_strZelto;
    std::unique_ptr<QTemporaryDir> m_pDir;
    QList<QProcess *> m_lstProcesses;
    QMap<QProcess *, QString> m_mapOutput;
    std::unique_ptr<QSettings> m_pSettings;
};

void tst_SceneZelto::initTestCase()
{
    m_strZelto = qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/zelto");
    QVERIFY2(QFileInfo(m_strZelto).isExecutable(), qPrintable(m_strZelto));
    // The build makes the plug-in before this test (add_dependencies): a
    // missing one is a broken build, not a reason to pass.
    QVERIFY2(QFileInfo::exists(qEnvironmentVariable("ZELTO_BUILD_DIR") + QStringLiteral("/bin/plugins/libScene.so")),
             "the scene plug-in is not built");
    // An executable that does not know its own options never loads the scene plug-in.
    QProcess help;
    help.start(m_strZelto, {QStringLiteral("--help")});
    if (!help.waitForFinished(10000)) {
        help.kill();
        help.waitForFinished();
        QFAIL("zelto --help did not end");
    }
    // Nor can a main window that cannot open a project file: the regression
    // this suite is here to catch.
    QTemporaryDir dir;
    SceneProject project;
    QString strError;
    const QString strFile = dir.filePath(QStringLiteral("probe.zelto"));
    QVERIFY2(project.save(strFile, &strError), qPrintable(strError));
    TestSupport::TestHost host;
    MainWindow window;
    SceneDocumentFactory factory;
    ExtensionSystem::PluginManager::addObject(&factory);
    const bool bOpens = window.loadFile(strFile);
    ExtensionSystem::PluginManager::removeObject(&factory);
    window.forceQuit();
    QVERIFY2(bOpens, "the main window cannot open a scene project");
}

void tst_SceneZelto::init()
{
    m_pDir.reset(new QTemporaryDir());
    // Back up every second, so a running application writes backups while
    // the test watches.
    QSettings settings(m_pDir->filePath(QStringLiteral("settings/PELUM/ZeltoRideved.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Zelto/AutoBackup.Enable"), true);
    settings.setValue(QStringLiteral("Zelto/AutoBackup.Interval"), 1);
    settings.setValue(QStringLiteral("Designer/Version"), QStringLiteral("test"));
    QVERIFY(QDir(m_pDir->path()).mkdir(QStringLiteral("runtime")));
    QVERIFY(QFile::setPermissions(m_pDir->filePath(QStringLiteral("runtime")),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void tst_SceneZelto::cleanup()
{
    // Only the processes this test started, each by its own handle.
    for (QProcess *pProcess : qAsConst(m_lstProcesses)) {
        if (pProcess->state() != QProcess::NotRunning) {
            pProcess->kill();
            pProcess->waitForFinished(5000);
        }
        delete pProcess;
    }
    m_lstProcesses.clear();
    m_mapOutput.clear();
    m_pSettings.reset();
    m_pDir.reset();
}

QSettings *tst_SceneZelto::settings()
{
    // Read afresh: the application wrote the file meanwhile.
    m_pSettings.reset(new QSettings(m_pDir->filePath(QStringLiteral("settings/PELUM/ZeltoRideved.ini")),
                                    QSettings::IniFormat));
    return m_pSettings.get();
}

QProcess *tst_SceneZelto::start(const QStringList &lstArguments, bool bExitWhenIdle)
{
    auto *pProcess = new QProcess();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (bExitWhenIdle)
        environment.insert(QStringLiteral("ZELTO_EXIT_WHEN_IDLE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("ZELTO_SETTINGS_PATH"), m_pDir->filePath(QStringLiteral("settings")));
    // The bridge's connection file goes here, where the test can watch it.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_pDir->filePath(QStringLiteral("runtime")));
    pProcess->setProcessEnvironment(environment);
    pProcess->setProcessChannelMode(QProcess::MergedChannels);
    pProcess->setWorkingDirectory(m_pDir->path());
    connect(pProcess, &QProcess::readyRead, this,
            [this, pProcess]() { m_mapOutput[pProcess] += QString::fromUtf8(pProcess->readAll()); });
    pProcess->start(m_strZelto, lstArguments);
    m_lstProcesses.append(pProcess);
    return pProcess;
}

bool tst_SceneZelto::waitForOutput(QProcess *pProcess, const QString &strText, int nTimeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_mapOutput.value(pProcess).contains(strText) && timer.elapsed() < nTimeoutMs)
        QTest::qWait(50);
    if (!m_mapOutput.value(pProcess).contains(strText))
        qWarning("Output so far:\n%s", qPrintable(m_mapOutput.value(pProcess)));
    return m_mapOutput.value(pProcess).contains(strText);
}

void tst_SceneZelto::writeProjectWithBackup(const QString &strFile, int nSavedItems, int nBackupItems)
{
    SceneProject project;
    project.m_nWidth = 640;
    project.m_nHeight = 360;
    for (int i = 0; i < nBackupItems; ++i) {
        SceneItem item;
        item.strId = project.newItemId(0);
        item.rect = QRectF(20 * i, 10 * i, 60, 40);
        project.m_lstScenes[0].lstItems.append(item);
    }
    SceneProject saved = project;
    saved.m_lstScenes[0].lstItems = project.m_lstScenes[0].lstItems.mid(0, nSavedItems);
    QString strError;
    QVERIFY2(saved.save(strFile, &strError), qPrintable(strError));
    QVERIFY2(project.save(strFile + QStringLiteral(".backup"), &strError), qPrintable(strError));
}

int tst_SceneZelto::itemCount(const QString &strFile)
{
    SceneProject project;
    QString strError;
    return project.load(strFile, &strError) ? project.m_lstScenes[0].lstItems.size() : -1;
}

void tst_SceneZelto::crashedWorkIsRestoredOnNextStart()
{
    const QString strFile = m_pDir->filePath(QStringLiteral("crashed.zelto"));
    const QString strBackup = strFile + QStringLiteral(".backup");
    writeProjectWithBackup(strFile, 1, 3);
    if (QTest::currentTestFailed())
        return;

    QProcess *pFirst = start({strFile});
    QVERIFY(waitForOutput(pFirst, QStringLiteral("crashed was restored from its automatic backup")));
    // The restored work is unsaved, so the running application keeps backing it up.
    const QDateTime written = QFileInfo(strBackup).lastModified();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(strBackup).lastModified() > written, 10000);

    // A crash: the process ends without any chance to clean up.
    pFirst->kill();
    QVERIFY(pFirst->waitForFinished(10000));
    QCOMPARE(itemCount(strFile), 1);     // the project file was never touched
    QCOMPARE(itemCount(strBackup), 3);   // the work is in the backup

    QProcess *pSecond = start({strFile});
    QVERIFY(waitForOutput(pSecond, QStringLiteral("crashed was restored from its automatic backup")));
    QCOMPARE(itemCount(strFile), 1);
}

void tst_SceneZelto::secondInstanceHandsOverItsFile()
{
    const QString strFirst = m_pDir->filePath(QStringLiteral("first.zelto"));
    writeProjectWithBackup(strFirst, 0, 1);
    writeProjectWithBackup(m_pDir->filePath(QStringLiteral("second.zeltopack")), 0, 2);
    if (QTest::currentTestFailed())
        return;

    QProcess *pRunning = start({strFirst});
    QVERIFY(waitForOutput(pRunning, QStringLiteral("first was restored from its automatic backup")));

    // A second start with the same settings hands its file (named relative to
    // its own working folder) to the running instance and ends.
    QProcess *pSecond = start({QStringLiteral("second.zeltopack")});
    QVERIFY(pSecond->waitForFinished(30000));
    QCOMPARE(pSecond->exitStatus(), QProcess::NormalExit);
    QVERIFY(waitForOutput(pRunning, QStringLiteral("second was restored from its automatic backup")));
    QCOMPARE(itemCount(m_pDir->filePath(QStringLiteral("second.zeltopack.backup"))), 2);
}

void tst_SceneZelto::terminatedWorkIsKeptInTheBackup()
{
    // No backup on the timer while it runs: only the ending writes one.
    {
        QSettings settings(m_pDir->filePath(QStringLiteral("settings/PELUM/ZeltoRideved.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Zelto/AutoBackup.Interval"), 3600);
    }
    const QString strFile = m_pDir->filePath(QStringLiteral("ended.zelto"));
    const QString strBackup = strFile + QStringLiteral(".backup");
    writeProjectWithBackup(strFile, 1, 3);
    if (QTest::currentTestFailed())
        return;

    QProcess *pZelto = start({strFile});
    QVERIFY(waitForOutput(pZelto, QStringLiteral("ended was restored from its automatic backup")));
    const QString strConnection = m_pDir->filePath(QStringLiteral("runtime/zelto-rideved/bridge-%1.json"))
                                      .arg(pZelto->processId());
    QVERIFY(QFile::exists(strConnection));
    // The restored work is unsaved; it now lives only in the running process.
    QVERIFY(QFile::remove(strBackup));

    // Used to end where it stood: the work lost, the connection file left behind.
    pZelto->terminate();
    QVERIFY(pZelto->waitForFinished(30000));
    QCOMPARE(pZelto->exitStatus(), QProcess::NormalExit);
    QCOMPARE(pZelto->exitCode(), 0);
    QCOMPARE(itemCount(strBackup), 3);
    QCOMPARE(itemCount(strFile), 1);
    QVERIFY(!QFile::exists(strConnection));
}

void tst_SceneZelto::sessionComesBackAfterARestart()
{
    const QString strFirst = m_pDir->filePath(QStringLiteral("first.zelto"));
    const QString strSecond = m_pDir->filePath(QStringLiteral("second.zelto"));
    const QString strGone = m_pDir->filePath(QStringLiteral("gone.zelto"));
    for (const QString &strFile : {strFirst, strSecond, strGone}) {
        QString strError;
        QVERIFY2(SceneProject().save(strFile, &strError), qPrintable(strError));
    }
    // A first run: the window opens maximised.
    settings()->remove(QStringLiteral("Designer"));
    settings()->sync();

    // The run ends with three projects open.
    QProcess *pFirst = start({strFirst, strSecond, strGone}, true);
    QVERIFY(pFirst->waitForFinished(60000));
    QCOMPARE(pFirst->exitCode(), 0);
    QVERIFY(QFile::remove(strGone));

    // Preferences > General: reopen the projects of the last session. The
    // one that is gone is named once and skipped.
    settings()->setValue(QStringLiteral("Zelto/OnStartup"), QStringLiteral("LastSession"));
    settings()->sync();
    QProcess *pSecond = start({}, true);
    QVERIFY(waitForOutput(pSecond, QStringLiteral("Reopened %1 from the last session.").arg(strFirst)));
    QVERIFY(waitForOutput(pSecond, QStringLiteral("Reopened %1 from the last session.").arg(strSecond)));
    QVERIFY(waitForOutput(pSecond, QStringLiteral("Could not reopen %1: it no longer exists.").arg(strGone)));
    QVERIFY(pSecond->waitForFinished(60000));
    QCOMPARE(m_mapOutput.value(pSecond).count(QStringLiteral("Reopened ")), 2);
    // It came back maximised, and says so at its own end.
    QVERIFY(settings()->value(QStringLiteral("Zelto/WindowMaximized")).toBool());

    // With the welcome page chosen, only a restart the application asked for
    // reopens them, once. The restart gets the first start's files again,
    // which the session replaces: one closed meanwhile stays closed.
    settings()->setValue(QStringLiteral("Zelto/OnStartup"), QStringLiteral("WelcomePage"));
    settings()->setValue(QStringLiteral("Zelto/ReopenSessionOnce"), true);
    settings()->sync();
    const QString strClosed = m_pDir->filePath(QStringLiteral("closed.zelto"));
    QVERIFY(QFile::copy(strFirst, strClosed));
    QProcess *pRestarted = start({strClosed}, true);
    QVERIFY(waitForOutput(pRestarted, QStringLiteral("Reopened %1 from the last session.").arg(strSecond)));
    QVERIFY(pRestarted->waitForFinished(60000));
    QVERIFY(!settings()->contains(QStringLiteral("Zelto/ReopenSessionOnce")));
    QCOMPARE(settings()->value(QStringLiteral("Zelto/SessionProjects")).toStringList(), QStringList({strFirst, strSecond}));
    QProcess *pPlain = start({}, true);
    QVERIFY(pPlain->waitForFinished(60000));
    QVERIFY2(!m_mapOutput.value(pPlain).contains(QStringLiteral("Reopened ")), qPrintable(m_mapOutput.value(pPlain)));
}

void tst_SceneZelto::exportRunsWithoutWindowOrDisplay()
{
    const QString strProject = m_pDir->filePath(QStringLiteral("exported.zelto"));
    writeProjectWithBackup(strProject, 2, 2);
    QVERIFY(QFile::remove(strProject + QStringLiteral(".backup")));
    // An instance runs with the same settings: the export must not hand its
    // command line over to it.
    QProcess *pRunning = start({});
    // Running once its bridge has written where to find it.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_pDir->filePath(QStringLiteral("runtime/zelto-rideved/bridge-%1.json"))
                                               .arg(pRunning->processId())),
                             30000);

    // No display and no platform chosen by the caller.
    const auto exportTo = [this](const QString &strFrom, const QString &strTo, QString *pErrors) {
        QProcess exporter;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("ZELTO_SETTINGS_PATH"), m_pDir->filePath(QStringLiteral("settings")));
        exporter.setProcessEnvironment(environment);
        exporter.start(m_strZelto, {QStringLiteral("-export"), strFrom, strTo});
        if (!exporter.waitForFinished(60000))
            return -1;
        *pErrors = QString::fromLocal8Bit(exporter.readAllStandardError());
        return exporter.exitStatus() == QProcess::NormalExit ? exporter.exitCode() : -1;
    };
    QString strErrors;
    const QString strPage = m_pDir->filePath(QStringLiteral("page.html"));
    QCOMPARE(exportTo(strProject, strPage, &strErrors), 0);
    QFile page(strPage);
    QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(strErrors));
    QVERIFY(page.readAll().contains("<svg id=\"stage\""));

    // A project that cannot be read: named, with the reason; no page.
    const QString strBroken = m_pDir->filePath(QStringLiteral("broken.zelto"));
    QFile broken(strBroken);
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("{ not a project") > 0);
    broken.close();
    const QString strNoPage = m_pDir->filePath(QStringLiteral("never.html"));
    QCOMPARE(exportTo(strBroken, strNoPage, &strErrors), 1);
    QVERIFY2(strErrors.contains(strBroken), qPrintable(strErrors));
    QVERIFY(!QFile::exists(strNoPage));

    // A page that cannot be written (its folder is a file): named, no part of it anywhere.
    const QString strNotFolder = m_pDir->filePath(QStringLiteral("not-a-folder"));
    QVERIFY(QFile(strNotFolder).open(QIODevice::WriteOnly));
    const QString strUnwritable = strNotFolder + QStringLiteral("/page.html");
    const QStringList lstBefore = QDir(m_pDir->path()).entryList(QDir::Files);
    QCOMPARE(exportTo(strProject, strUnwritable, &strErrors), 1);
    QVERIFY2(strErrors.contains(strUnwritable), qPrintable(strErrors));
    QCOMPARE(QDir(m_pDir->path()).entryList(QDir::Files), lstBefore);
    QCOMPARE(QFileInfo(strNotFolder).size(), 0);

    QVERIFY(pRunning->state() == QProcess::Running);
}

QTEST_MAIN(tst_SceneZelto)
#include "tst_scenezelto.moc"
