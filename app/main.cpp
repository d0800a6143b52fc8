#include "extensionsystem/platform.h"
#include "extensionsystem/pluginmanager.h"
#include "extensionsystem/plugininfo.h"
#include "extensionsystem/singleinstance.h"

#include "app/qttranslationspath.h"
#include "zeltoversion.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <cstdio>

using ExtensionSystem::PluginManager;
using ExtensionSystem::SingleInstance;

namespace {

const char AppTitle[] = "Zelto Rideved";

// Started first thing in main(); the start-up benchmark reads it.
QElapsedTimer s_startTimer;

struct Options
{
    QString settingsPath;
    QStringList pluginPaths;
    bool profile = false;
    bool newInstance = false;
    bool help = false;
    bool version = false;
    QStringList pluginOptions;  // unknown "-options", for the plug-ins of a running instance
    QStringList files;
    QString error;
};

const char Usage[] =
    "Usage: zelto [options] [files...]\n"
    "\n"
    "Options:\n"
    "  -settingspath <folder>  keep the settings in <folder>/PELUM/ instead of the\n"
    "                          user's configuration folder\n"
    "  -pluginpath <folder>    load the plug-ins from <folder> instead of the\n"
    "                          application's plug-in folder (may be repeated)\n"
    "  -newinstance            start a new instance even if one is running\n"
    "  -profile                print how long each plug-in took to start\n"
    "  -version                print the version and exit\n"
    "  -help                   print this text and exit\n"
    "  --                      everything after it is a file name\n";

Options parseOptions(const QStringList &arguments)
{
    Options options;
    bool onlyFiles = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (onlyFiles || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            options.files.append(argument);
            continue;
        }
        // Both -option and --option are accepted.
        QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (name.isEmpty()) {
            onlyFiles = true;
        } else if (name == QLatin1String("settingspath") || name == QLatin1String("pluginpath")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("The option %1 needs a folder.").arg(argument);
                return options;
            }
            const QString folder = arguments.at(++i);
            if (name == QLatin1String("settingspath"))
                options.settingsPath = QDir(folder).absolutePath();
            else
                options.pluginPaths.append(QDir(folder).absolutePath());
        } else if (name == QLatin1String("profile")) {
            options.profile = true;
        } else if (name == QLatin1String("newinstance")) {
            options.newInstance = true;
        } else if (name == QLatin1String("help") || name == QLatin1String("h")) {
            options.help = true;
        } else if (name == QLatin1String("version")) {
            options.version = true;
        } else {
            options.pluginOptions.append(argument);
        }
    }
    return options;
}

bool guiPossible()
{
    // The offscreen and minimal platforms have nobody to click a message box.
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void showStartupError(const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", AppTitle, qPrintable(message));
    std::fflush(stderr);
    if (guiPossible())
        QMessageBox::critical(nullptr, QString::fromLatin1(AppTitle), message);
}

// Installs the application's catalogue and Qt's own one for the language the
// user chose ("Zelto/Language", a locale id such as de_DE). Both translators
// are children of the application, which keeps them for the whole run.
void installTranslators(QApplication &app)
{
    const QString language = PluginManager::settings()->value(QStringLiteral("Zelto/Language")).toString();
    if (language.isEmpty())
        return;
    const QLocale locale(language);
    auto *appTranslator = new QTranslator(&app);
    const QString appDir = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    if (appTranslator->load(locale, QStringLiteral("zelto"), QStringLiteral("_"), appDir))
        QCoreApplication::installTranslator(appTranslator);
    else
        delete appTranslator;

    const QString qtDir = qtTranslationsPath();
    auto *qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), qtDir))
        QCoreApplication::installTranslator(qtTranslator);
    else
        delete qtTranslator;
}

bool anyPluginRunning()
{
    const QVector<ExtensionSystem::PluginInfo *> plugins = PluginManager::loadQueue();
    for (const ExtensionSystem::PluginInfo *pInfo : plugins) {
        if (pInfo->state() == ExtensionSystem::PluginInfo::Running)
            return true;
    }
    return false;
}

bool anyWindowVisible()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->isWindow())
            return true;
    }
    return false;
}

// ZELTO_EXIT_WHEN_IDLE=1: once a window is shown and the event loop has had
// one pass with nothing else to do, print the time since the process started
// and quit. The start-up benchmark relies on this line.
void exitWhenIdle()
{
    static int s_nPasses = 0;
    // Some plug-ins show their window from the event loop; give them a
    // bounded number of passes to do so.
    if (!anyWindowVisible() && ++s_nPasses < 1000) {
        QTimer::singleShot(0, exitWhenIdle);
        return;
    }
    std::printf("zelto: idle after %.1f ms\n", double(s_startTimer.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
    QCoreApplication::quit();
}

// A restart asked for by a plug-in (a new interface language, for example):
// the same executable with the same arguments, in the same folder.
QString s_restartProgram;
QStringList s_restartArguments;

void startAgain()
{
    if (!QProcess::startDetached(s_restartProgram, s_restartArguments))
        std::fprintf(stderr, "%s: could not start again: %s\n", AppTitle, qPrintable(s_restartProgram));
}

} // namespace

int main(int argc, char *argv[])
{
    s_startTimer.start();
    // Web views in plug-ins need shared OpenGL contexts, and that must be set
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always draws pixmaps at the screen's pixel ratio.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QApplication app(argc, argv);
    // Ended by the system or the terminal, it still shuts down the usual way:
    // the plug-ins keep unsaved work and remove what they made.
    ExtensionSystem::Platform::quitOnTerminationSignals();
    QCoreApplication::setOrganizationName(QStringLiteral("PELUM"));
    QCoreApplication::setApplicationName(QStringLiteral("Zelto Rideved"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELTO_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/images/app_icon.ico")));

    const Options options = parseOptions(QCoreApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(options.error), Usage);
        return 2;
    }
    if (options.help) {
        std::printf("%s", Usage);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", AppTitle, qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }

    PluginManager pluginManager;
    if (!options.settingsPath.isEmpty())
        PluginManager::setSettingsPath(options.settingsPath);

    SingleInstance instance(SingleInstance::serverNameFor(PluginManager::settingsPath()));
    if (!options.newInstance) {
        switch (instance.sendToRunningInstance(options.pluginOptions, QDir::currentPath(), options.files)) {
        case SingleInstance::Delivered:
            return 0;
        case SingleInstance::NotAnswered:
            qWarning("%s", qPrintable(QStringLiteral("A running instance did not answer (%1); "
                                                     "starting a new one.").arg(instance.errorString())));
            break;
        case SingleInstance::NoRunningInstance:
            break;
        }
        if (!instance.listen())
            qWarning("%s", qPrintable(QStringLiteral("Files from other instances cannot be received: %1")
                                          .arg(instance.errorString())));
        QObject::connect(&instance, &SingleInstance::commandReceived, &pluginManager,
                         &PluginManager::handleSecondInstance);
    }

    installTranslators(app);

    if (!options.pluginOptions.isEmpty())
        qWarning("%s", qPrintable(QStringLiteral("Unknown options ignored: %1")
                                      .arg(options.pluginOptions.join(QLatin1Char(' ')))));
    PluginManager::setArguments(options.files);
    PluginManager::setPluginPaths(options.pluginPaths.isEmpty()
                                      ? QStringList(QCoreApplication::applicationDirPath()
                                                    + QStringLiteral("/plugins"))
                                      : options.pluginPaths);
    PluginManager::setProfilingEnabled(options.profile);
    PluginManager::loadPlugins();

    if (PluginManager::hasFatalError()) {
        showStartupError(PluginManager::fatalErrorString());
        PluginManager::shutdown();
        return 1;
    }
    // Without a single running plug-in there is nothing to show or close,
    // and the process would linger invisibly.
    if (!anyPluginRunning()) {
        showStartupError(QStringLiteral("No plug-ins could be loaded from %1.")
                             .arg(QDir::toNativeSeparators(PluginManager::pluginPaths()
                                                               .join(QStringLiteral(", ")))));
        PluginManager::shutdown();
        return 1;
    }

    if (qEnvironmentVariableIntValue("ZELTO_EXIT_WHEN_IDLE") == 1)
        QTimer::singleShot(0, exitWhenIdle);

    const int status = app.exec();
    PluginManager::shutdown();
    if (PluginManager::isRestartRequested()) {
        s_restartProgram = QCoreApplication::applicationFilePath();
        s_restartArguments = QCoreApplication::arguments().mid(1);
        // Post routines run in the application object's destructor, after
        // the hand-over socket above has closed: the new process must not
        // hand its command line to this one, which is on its way out.
        qAddPostRoutine(startAgain);
    }
    return status;
}
