// The help document follows the language chosen in the application, then
// the operating system's locale, which Qt reads once from the environment;
// each case therefore runs this executable again as a child process with its
// own LC_ALL and reports what the child saw.
#include "core/i18n/ilanguagemanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <cstdio>

namespace {

const char kChildVariable[] = "ZELTO_HELP_CHILD";
const char kChosenVariable[] = "ZELTO_HELP_CHOSEN";     // the language chosen under View > Language
const char kNoViewerVariable[] = "ZELTO_HELP_NO_VIEWER"; // nothing can show the file
const char kOpenedVariable[] = "ZELTO_HELP_OPENED";      // where the stand-in for xdg-open notes its file

void report(const QString &strLine)
{
    std::fprintf(stdout, "%s\n", qUtf8Printable(strLine));
    std::fflush(stdout);
}

void reportLogLines(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtInfoMsg)
        report(QStringLiteral("LOG:") + message);
}

// Takes the place of the system's viewer.
class UrlRecorder : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { report(QStringLiteral("OPENED:") + url.toLocalFile()); }
};

int runChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestSupport::TestHost host;
    const QString strChosen = qEnvironmentVariable(kChosenVariable);
    if (!strChosen.isEmpty())
        ICore::settings()->setValue(QStringLiteral("Zelto/Language"), strChosen);
    ILanguageManager::getInstance().initialize();   // as the core plug-in does first
    MainWindow window;
    UrlRecorder recorder;
    if (!qEnvironmentVariableIsSet(kNoViewerVariable))
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "openUrl");
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);

    qInstallMessageHandler(reportLogLines);
    QMetaObject::invokeMethod(&window, "onHelpContents");
    // The system's opener answers later, by its exit status.
    const QString strOpened = qEnvironmentVariable(kOpenedVariable);
    QElapsedTimer waited;
    waited.start();
    while (answerer.records().isEmpty() && !QFile::exists(strOpened) && waited.elapsed() < 20000)
        QTest::qWait(20);
    qInstallMessageHandler(nullptr);
    QFile opened(strOpened);
    if (opened.open(QIODevice::ReadOnly))
        report(QStringLiteral("OPENED:") + QString::fromLocal8Bit(opened.readAll()).trimmed());

    for (const TestSupport::ModalRecord &record : answerer.records())
        report(QStringLiteral("BOX:") + QString(record.text).replace(QLatin1Char('\n'), QLatin1String("\\n")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    return 0;
}

} // namespace

class tst_HelpContents : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void helpFileSelection_data();
    void helpFileSelection();
};

void tst_HelpContents::cleanup()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    for (const QString &strFile : dir.entryList({QStringLiteral("zelto_help_*.pdf")}))
        QFile::remove(dir.filePath(strFile));
}

void tst_HelpContents::helpFileSelection_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("expected");   // the child's report, %1 = the folder

    QTest::newRow("fr_FR with a French guide")
        << "" << "fr_FR.UTF-8" << QStringList{"fr", "en"} << QStringList{"OPENED:%1/zelto_help_fr.pdf"};
    QTest::newRow("ja_JP with the English guide only")
        << "" << "ja_JP.UTF-8" << QStringList{"en"}
        << QStringList{"LOG:Localized help file not found: %1/zelto_help_ja.pdf",
                       "LOG:Trying to open English help file instead: %1/zelto_help_en.pdf",
                       "OPENED:%1/zelto_help_en.pdf"};
    QTest::newRow("no guide at all")
        << "" << "de_DE.UTF-8" << QStringList()
        << QStringList{"LOG:Localized help file not found: %1/zelto_help_de.pdf",
                       "LOG:Trying to open English help file instead: %1/zelto_help_en.pdf",
                       "LOG:Help file not found: %1/zelto_help_en.pdf", "BOX:Help document is missing."};
    QTest::newRow("the system language is English")
        << "" << "en_GB.UTF-8" << QStringList{"en"} << QStringList{"OPENED:%1/zelto_help_en.pdf"};
    QTest::newRow("chosen German over the French system")
        << "de_DE" << "fr_FR.UTF-8" << QStringList{"de", "fr", "en"} << QStringList{"OPENED:%1/zelto_help_de.pdf"};
    QTest::newRow("chosen German without its guide: the system's")
        << "de_DE" << "fr_FR.UTF-8" << QStringList{"fr", "en"}
        << QStringList{"LOG:Localized help file not found: %1/zelto_help_de.pdf", "OPENED:%1/zelto_help_fr.pdf"};
    QTest::newRow("neither guide: English")
        << "de_DE" << "fr_FR.UTF-8" << QStringList{"en"}
        << QStringList{"LOG:Localized help file not found: %1/zelto_help_de.pdf",
                       "LOG:Localized help file not found: %1/zelto_help_fr.pdf",
                       "LOG:Trying to open English help file instead: %1/zelto_help_en.pdf",
                       "OPENED:%1/zelto_help_en.pdf"};
    QTest::newRow("no program shows PDF files")
        << "no viewer" << "en_GB.UTF-8" << QStringList{"en"}
        << QStringList{"LOG:Failed to open help file: %1/zelto_help_en.pdf",
                       "BOX:Could not open help file.\n\nThe user guide is the PDF file\n%1/zelto_help_en.pdf\n\n"
                       "Install a program that shows PDF files, or open the file with a web browser."};
    QTest::newRow("the opener finds no viewer")
        << "opener fails" << "en_GB.UTF-8" << QStringList{"en"}
        << QStringList{"LOG:Failed to open help file: %1/zelto_help_en.pdf",
                       "BOX:Could not open help file.\n\nThe user guide is the PDF file\n%1/zelto_help_en.pdf\n\n"
                       "Install a program that shows PDF files, or open the file with a web browser."};
}

void tst_HelpContents::helpFileSelection()
{
    QFETCH(QString, chosen);
    QFETCH(QString, locale);
    QFETCH(QStringList, present);
    QFETCH(QStringList, expected);

    const QString strDir = QCoreApplication::applicationDirPath();
    for (const QString &strCode : present) {
        QFile file(QStringLiteral("%1/zelto_help_%2.pdf").arg(strDir, strCode));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    // Stands in for xdg-open: notes the file it was given, or, like xdg-open
    // without a viewer for PDF files, fails after it started.
    QTemporaryDir bin;
    QFile opener(bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write(chosen == QLatin1String("opener fails") ? "#!/bin/sh\nexit 3\n"
                                                           : "#!/bin/sh\necho \"$1\" > \"$ZELTO_HELP_OPENED\"\n");
    opener.close();
    QVERIFY(opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    environment.insert(QString::fromLatin1(kOpenedVariable), bin.filePath(QStringLiteral("opened")));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("LANG"), locale);
    environment.insert(QStringLiteral("PATH"), bin.path());
    if (chosen == QLatin1String("no viewer")) {
        // Neither a URL handler nor the system's opener is there.
        environment.insert(QString::fromLatin1(kNoViewerVariable), QStringLiteral("1"));
        environment.insert(QStringLiteral("PATH"), QString());
    } else if (chosen == QLatin1String("opener fails")) {
        environment.insert(QString::fromLatin1(kNoViewerVariable), QStringLiteral("1"));
    } else {
        environment.insert(QString::fromLatin1(kChosenVariable), chosen);
    }
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);

    QStringList lstReport;
    const QStringList lstLines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &strLine : lstLines) {
        if (strLine.startsWith(QLatin1String("LOG:")) || strLine.startsWith(QLatin1String("OPENED:"))
            || strLine.startsWith(QLatin1String("BOX:")))
            lstReport << QString(strLine).replace(QLatin1String("\\n"), QLatin1String("\n"));
    }
    QStringList lstExpected;
    for (const QString &strLine : qAsConst(expected))
        lstExpected << (strLine.contains(QLatin1String("%1")) ? strLine.arg(strDir) : strLine);
    QCOMPARE(lstReport, lstExpected);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(kChildVariable))
        return runChild(argc, argv);
    QApplication app(argc, argv);
    tst_HelpContents test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_helpcontents.moc"
