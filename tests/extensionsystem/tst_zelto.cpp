#include "extensionsystem/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Runs the zelto executable on the test plug-ins: its options, its exit
// status, and the hand-over from a second instance to the first.
class tst_Zelto : public QObject
{
    Q_OBJECT

private slots:
    void startupFailure_data();
    void startupFailure();
    void optionsReachHostAndPlugins();
    void secondInstanceHandsOver();
    void pluginOptionsOnTheCommandLine();

private:
    static QString folder(const char *name)
    {
        return QStringLiteral(ZELTO_TEST_PLUGIN_ROOT "/") + QLatin1String(name);
    }
    static QStringList readLines(const QString &fileName)
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void startZelto(QProcess &process, const QStringList &arguments, const QString &recordFile,
                    bool bExitWhenIdle = false)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("ZELTO_TEST_RECORD_FILE"), recordFile);
        if (bExitWhenIdle)
            environment.insert(QStringLiteral("ZELTO_EXIT_WHEN_IDLE"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZELTO_EXECUTABLE), arguments);
    }

    QTemporaryDir m_dir;
};

void tst_Zelto::startupFailure_data()
{
    QTest::addColumn<QString>("pluginFolder");
    QTest::addColumn<QString>("message");
    QTest::newRow("required plug-in fails")
        << folder("required") << "Plug-in \"vital\" (";
    QTest::newRow("no plug-ins at all") << folder("empty") << "No plug-ins could be loaded from";
}

void tst_Zelto::startupFailure()
{
    QFETCH(QString, pluginFolder);
    QFETCH(QString, message);
    QProcess zelto;
    startZelto(zelto, {QStringLiteral("-newinstance"), QStringLiteral("-settingspath"), m_dir.path(),
                       QStringLiteral("-pluginpath"), pluginFolder},
               m_dir.filePath(QStringLiteral("failure.log")), true);
    QVERIFY(zelto.waitForFinished(30000));
    QCOMPARE(zelto.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zelto.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(zelto.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("Zelto Rideved: ") + message), qPrintable(errors));
    QVERIFY(!QString::fromLocal8Bit(zelto.readAllStandardOutput()).contains(QStringLiteral("idle")));
}

void tst_Zelto::optionsReachHostAndPlugins()
{
    const QString settings = m_dir.filePath(QStringLiteral("own-settings"));
    const QString record = m_dir.filePath(QStringLiteral("options.log"));
    {
        QSettings saved(settings + QStringLiteral("/PELUM/ZeltoRideved.ini"), QSettings::IniFormat);
        saved.setValue(QStringLiteral("Zelto/Language"), QStringLiteral("de_DE"));
    }
    QProcess zelto;
    startZelto(zelto, {QStringLiteral("-settingspath"), settings, QStringLiteral("-profile"),
                       QStringLiteral("-pluginpath"), folder("chain"), QStringLiteral("one.zelto"),
                       QStringLiteral("--"), QStringLiteral("-dash.zelto")},
               record, true);
    QVERIFY(zelto.waitForFinished(30000));
    QCOMPARE(zelto.exitCode(), 0);
    QVERIFY(QString::fromLocal8Bit(zelto.readAllStandardOutput()).startsWith(QStringLiteral("zelto: idle after ")));
    const QString errors = QString::fromLocal8Bit(zelto.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("Profile: beta load took ")), qPrintable(errors));
    QVERIFY(errors.contains(QStringLiteral("Profile: gamma initialize took ")));
    QVERIFY(errors.contains(QStringLiteral("Profile: alpha extensionsInitialized took ")));

    const QStringList lines = readLines(record);
    QVERIFY2(lines.contains(QStringLiteral("alpha:initialize:one.zelto,-dash.zelto")), qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(QStringLiteral("alpha:extensionsInitialized:") + settings
                           + QStringLiteral("/PELUM/ZeltoRideved.ini")));
    // The saved language's Qt catalogue was installed before the plug-ins loaded.
    QVERIFY(lines.contains(QStringLiteral("alpha:translation:Abbrechen")));
    QCOMPARE(lines.last(), QStringLiteral("alpha:delete"));
}

void tst_Zelto::secondInstanceHandsOver()
{
    const QString settings = m_dir.filePath(QStringLiteral("shared-settings"));
    const QString firstRecord = m_dir.filePath(QStringLiteral("first.log"));
    const QStringList common = {QStringLiteral("-settingspath"), settings, QStringLiteral("-pluginpath"),
                                folder("chain")};

    QProcess first;
    startZelto(first, common, firstRecord);
    QTRY_VERIFY_WITH_TIMEOUT(readLines(firstRecord).contains(QStringLiteral("alpha:lateInitialize")), 30000);

    const QString workDir = m_dir.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(workDir));
    const QString secondRecord = m_dir.filePath(QStringLiteral("second.log"));
    QProcess second;
    second.setWorkingDirectory(workDir);
    startZelto(second, common + QStringList({QStringLiteral("-opt"), QStringLiteral("doc.zelto"),
                                             QStringLiteral("sub/other.zelto")}),
               secondRecord);
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 0);
    // The second instance loaded no plug-ins of its own.
    QVERIFY(readLines(secondRecord).isEmpty());
    const QString expected = QStringLiteral(":secondInstanceCommand:-opt|%1|doc.zelto,sub/other.zelto")
                                 .arg(QDir(workDir).absolutePath());
    QTRY_VERIFY(readLines(firstRecord).contains(QStringLiteral("gamma") + expected));
    QVERIFY(readLines(firstRecord).contains(QStringLiteral("alpha") + expected));

    // A first instance that dies leaves its socket behind; the next one must
    // take over rather than hand its files to nobody.
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    const QString thirdRecord = m_dir.filePath(QStringLiteral("third.log"));
    QProcess third;
    startZelto(third, common + QStringList(QStringLiteral("late.zelto")), thirdRecord, true);
    QVERIFY(third.waitForFinished(30000));
    QCOMPARE(third.exitCode(), 0);
    QVERIFY(readLines(thirdRecord).contains(QStringLiteral("alpha:initialize:late.zelto")));
}

void tst_Zelto::pluginOptionsOnTheCommandLine()
{
    const QStringList common = {QStringLiteral("-newinstance"), QStringLiteral("-settingspath"),
                                m_dir.filePath(QStringLiteral("plugin-options")), QStringLiteral("-pluginpath"),
                                folder("chain")};

    // -help lists the host's options and every plug-in's.
    QProcess help;
    startZelto(help, common + QStringList(QStringLiteral("-help")), m_dir.filePath(QStringLiteral("help.log")));
    QVERIFY(help.waitForFinished(30000));
    QCOMPARE(help.exitCode(), 0);
    const QString usage = QString::fromLocal8Bit(help.readAllStandardOutput());
    QVERIFY2(usage.contains(QStringLiteral("-settingspath <folder>"))
                 && usage.contains(QStringLiteral("  -opt                    alpha takes -opt (alpha)\n"))
                 && usage.contains(QStringLiteral("  -level <number>         gamma takes -level (gamma)\n")),
             qPrintable(usage));

    // Each plug-in gets its own options, with their parameters, before the files.
    const QString record = m_dir.filePath(QStringLiteral("plugin-options.log"));
    QProcess run;
    startZelto(run, common + QStringList({QStringLiteral("-level"), QStringLiteral("3"), QStringLiteral("--opt"),
                                          QStringLiteral("one.zelto")}),
               record, true);
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    const QStringList lines = readLines(record);
    QVERIFY2(lines.contains(QStringLiteral("alpha:initialize:-opt,one.zelto")), qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(QStringLiteral("gamma:initialize:-level,3,one.zelto")));
    QVERIFY(lines.contains(QStringLiteral("beta:initialize:one.zelto")));

    // An option nobody declares is refused, with the list, before any plug-in starts.
    const QString refusedRecord = m_dir.filePath(QStringLiteral("refused.log"));
    QProcess refused;
    startZelto(refused, common + QStringList({QStringLiteral("-bogus"), QStringLiteral("one.zelto")}),
               refusedRecord, true);
    QVERIFY(refused.waitForFinished(30000));
    QCOMPARE(refused.exitCode(), 2);
    const QString errors = QString::fromLocal8Bit(refused.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("Unknown option: -bogus")) && errors.contains(QStringLiteral("-level <number>")),
             qPrintable(errors));
    QVERIFY(readLines(refusedRecord).isEmpty());
}

QTEST_MAIN(tst_Zelto)
#include "tst_zelto.moc"
