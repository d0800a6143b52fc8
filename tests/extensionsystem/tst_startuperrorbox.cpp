#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// On a real display a failed start-up must stop and tell the user, then end
// with status 1 once the box is dismissed. Runs zelto on Xvfb and answers
// its box the way a user would, with xdotool.
class tst_StartupErrorBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void boxWaitsForTheUser_data();
    void boxWaitsForTheUser();

private:
    QString xdotool(const QStringList &arguments) const
    {
        QProcess process;
        process.start(m_strXdotool, arguments);
        if (!process.waitForFinished(10000))
            return QString();
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

    QString m_strXdotool;
    QTemporaryDir m_dir;
};

void tst_StartupErrorBox::initTestCase()
{
    QVERIFY(qEnvironmentVariableIsSet("DISPLAY"));
    m_strXdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    QVERIFY2(!m_strXdotool.isEmpty(), "xdotool is missing; tools/install-deps.sh installs it");
    QVERIFY(m_dir.isValid());
}

void tst_StartupErrorBox::boxWaitsForTheUser_data()
{
    QTest::addColumn<QString>("pluginFolder");
    QTest::addColumn<QString>("message");
    QTest::newRow("required plug-in fails") << QStringLiteral("required") << "Plug-in \"vital\" (";
    QTest::newRow("no plug-ins at all") << QStringLiteral("empty") << "No plug-ins could be loaded from";
}

void tst_StartupErrorBox::boxWaitsForTheUser()
{
    QFETCH(QString, pluginFolder);
    QFETCH(QString, message);

    QProcess zelto;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    zelto.setProcessEnvironment(environment);
    zelto.start(QStringLiteral(ZELTO_EXECUTABLE),
                { QStringLiteral("-newinstance"), QStringLiteral("-settingspath"), m_dir.path(), QStringLiteral("-pluginpath"),
                  QStringLiteral(ZELTO_TEST_PLUGIN_ROOT "/") + pluginFolder });
    QVERIFY(zelto.waitForStarted());

    const QStringList search = { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                 QStringLiteral("^Zelto Rideved$") };
    QString strWindow;
    QTRY_VERIFY_WITH_TIMEOUT(!(strWindow = xdotool(search).section(QLatin1Char('\n'), 0, 0)).isEmpty(), 30000);

    // The box holds the process until someone answers it.
    QTest::qWait(300);
    QCOMPARE(zelto.state(), QProcess::Running);

    xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), strWindow });
    xdotool({ QStringLiteral("key"), QStringLiteral("Return") });
    QVERIFY2(zelto.waitForFinished(15000), "the box did not close on Return");
    QCOMPARE(zelto.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zelto.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(zelto.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("Zelto Rideved: ") + message), qPrintable(errors));
}

QTEST_GUILESS_MAIN(tst_StartupErrorBox)
#include "tst_startuperrorbox.moc"
