#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// On a real display a failed start-up must stop and tell the user, then end
// with status 1 once the box is dismissed. Runs zelto on an X server of its
// own and answers its box the way a user would, with xdotool.
class tst_StartupErrorBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void boxWaitsForTheUser_data();
    void boxWaitsForTheUser();

private:
    QString xdotool(const QStringList &arguments);
    static QString describe(QProcess &process);

    QString m_strXvfb;
    QString m_strXdotool;
    QProcessEnvironment m_environment;
    QString m_strXdotoolErrors;
};

// Each case gets a fresh server: nothing a previous case or another test left
// on a shared display can hide the box. -displayfd lets the server pick a
// free display itself, so parallel tests never race for a number, and
// -noreset keeps it from resetting whenever its last client leaves.
class XServer
{
public:
    explicit XServer(const QString &strExecutable)
    {
        m_process.start(strExecutable, { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                                         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                                         QStringLiteral("0"), QStringLiteral("1280x1024x24") });
        const QDeadlineTimer deadline(20000);
        while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning && !deadline.hasExpired())
            m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        bool bOk = false;
        const int nDisplay = m_process.canReadLine() ? m_process.readLine().trimmed().toInt(&bOk) : -1;
        if (bOk)
            m_strDisplay = QStringLiteral(":%1").arg(nDisplay);
    }
    ~XServer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    QString display() const { return m_strDisplay; }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    QString m_strDisplay;
};

QString tst_StartupErrorBox::xdotool(const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.start(m_strXdotool, arguments);
    if (!process.waitForFinished(10000)) {
        m_strXdotoolErrors = QStringLiteral("xdotool %1 did not finish").arg(arguments.join(QLatin1Char(' ')));
        return QString();
    }
    m_strXdotoolErrors = QString::fromLocal8Bit(process.readAllStandardError());
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString tst_StartupErrorBox::describe(QProcess &process)
{
    const QString state = process.state() == QProcess::NotRunning
                              ? QStringLiteral("ended with status %1 (%2)")
                                    .arg(process.exitCode())
                                    .arg(process.exitStatus() == QProcess::NormalExit ? "normal" : "crashed")
                              : QStringLiteral("still running");
    return QStringLiteral("zelto %1; its output:\n%2%3")
        .arg(state, QString::fromLocal8Bit(process.readAllStandardOutput()),
             QString::fromLocal8Bit(process.readAllStandardError()));
}

void tst_StartupErrorBox::initTestCase()
{
    m_strXvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    m_strXdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    QVERIFY2(!m_strXvfb.isEmpty(), "Xvfb is missing; tools/install-deps.sh installs it");
    QVERIFY2(!m_strXdotool.isEmpty(), "xdotool is missing; tools/install-deps.sh installs it");
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

    XServer server(m_strXvfb);
    QVERIFY2(!server.display().isEmpty(), qPrintable(QStringLiteral("Xvfb did not start: ") + server.errors()));
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("DISPLAY"), server.display());
    m_environment.remove(QStringLiteral("XAUTHORITY"));
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    QTemporaryDir settings;
    QVERIFY(settings.isValid());
    QProcess zelto;
    zelto.setProcessEnvironment(m_environment);
    zelto.start(QStringLiteral(ZELTO_EXECUTABLE),
                { QStringLiteral("-newinstance"), QStringLiteral("-settingspath"), settings.path(),
                  QStringLiteral("-pluginpath"), QStringLiteral(ZELTO_TEST_PLUGIN_ROOT "/") + pluginFolder });
    QVERIFY(zelto.waitForStarted());

    const QStringList search = { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                 QStringLiteral("^Zelto Rideved$") };
    QString strWindow;
    const QDeadlineTimer deadline(30000);
    while (strWindow.isEmpty() && zelto.state() == QProcess::Running && !deadline.hasExpired()) {
        strWindow = xdotool(search).section(QLatin1Char('\n'), 0, 0);
        if (strWindow.isEmpty())
            zelto.waitForFinished(100);
    }
    if (strWindow.isEmpty())
        QFAIL(qPrintable(QStringLiteral("no box appeared; xdotool said: %1\n%2").arg(m_strXdotoolErrors, describe(zelto))));

    // The box holds the process until someone answers it.
    if (zelto.waitForFinished(300))
        QFAIL(qPrintable(describe(zelto)));

    // Without a window manager the server gives the focus to whoever asks.
    xdotool({ QStringLiteral("windowfocus"), strWindow });
    xdotool({ QStringLiteral("key"), QStringLiteral("Return") });
    if (!zelto.waitForFinished(15000))
        QFAIL(qPrintable(QStringLiteral("the box did not close on Return; ") + describe(zelto)));
    QCOMPARE(zelto.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zelto.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(zelto.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("Zelto Rideved: ") + message), qPrintable(errors));
}

QTEST_GUILESS_MAIN(tst_StartupErrorBox)
#include "tst_startuperrorbox.moc"
