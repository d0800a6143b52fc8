#include "extensionsystem/platform.h"
#include "extensionsystem/pluginargumentdescription.h"
#include "extensionsystem/pluginmanager.h"
#include "extensionsystem/plugininfo.h"
#include "extensionsystem/singleinstance.h"
#include "extensionsystem/startuptimer.h"

#include "app/qttranslationspath.h"
#include "zeltoversion.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <cstdio>

using ExtensionSystem::PluginArgumentDescription;
using ExtensionSystem::PluginManager;
using ExtensionSystem::SingleInstance;
using ExtensionSystem::StartupTimer;

namespace {

const char AppTitle[] = "Zelto Rideved";

struct Options
{
    QString settingsPath;
    QStringList pluginPaths;
    bool profile = false;
    bool newInstance = false;
    bool help = false;
    bool version = false;
    QStringList pluginOptions;  // the plug-ins' options, each with its parameters, in order
    QString windowlessOption;   // an option that runs instead of the application...
    QStringList windowlessParameters;   // ...and its parameters
    QStringList unknown;        // options nobody declares (collected when not strict)
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

// "<project> <page>" for the parameter "project page".
QString parameterSynopsis(const PluginArgumentDescription &option)
{
    QStringList words = option.parameter.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString &word : words)
        word = QLatin1Char('<') + word + QLatin1Char('>');
    return words.join(QLatin1Char(' '));
}

// The host's options, then every plug-in's as its metadata declares it.
QString usage(const QVector<PluginArgumentDescription> &plugins)
{
    QString text = QString::fromLatin1(Usage);
    if (plugins.isEmpty())
        return text;
    text += QStringLiteral("\nOptions of the plug-ins:\n");
    for (const PluginArgumentDescription &option : plugins) {
        const QString synopsis = (option.name + QLatin1Char(' ') + parameterSynopsis(option)).trimmed();
        const QString description = option.description + QStringLiteral(" (") + option.pluginName + QLatin1Char(')');
        // The host's column for descriptions, or a line of its own when the synopsis is wider.
        text += QStringLiteral("  ") + synopsis;
        text += synopsis.size() <= 22 ? QString(24 - synopsis.size(), QLatin1Char(' '))
                                      : QLatin1Char('\n') + QString(26, QLatin1Char(' '));
        text += description + QLatin1Char('\n');
    }
    return text;
}

// Splits the command line into the host's options, the plug-ins' options
// (as the plug-ins declare them) and the files. Strict: an option nobody
// declares is an error. Otherwise it is collected and passed over, as Qt's
// own options (-style, -platform) are before the application object took
// them out.
Options parseOptions(const QStringList &arguments, const QVector<PluginArgumentDescription> &plugins, bool strict)
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
            const auto declared = std::find_if(plugins.cbegin(), plugins.cend(), [&name](const PluginArgumentDescription &option) {
                return option.name == QLatin1Char('-') + name;
            });
            if (declared == plugins.cend()) {
                if (strict) {
                    options.error = QStringLiteral("Unknown option: %1").arg(argument.left(200));
                    return options;
                }
                options.unknown.append(argument);
                continue;
            }
            const int count = declared->parameterCount();
            if (i + count >= arguments.size()) {
                options.error = QStringLiteral("The option %1 needs %2.").arg(declared->name, parameterSynopsis(*declared));
                return options;
            }
            const QStringList parameters = arguments.mid(i + 1, count);
            i += count;
            if (!declared->withoutWindow) {
                options.pluginOptions << declared->name << parameters;
            } else if (options.windowlessOption.isEmpty()) {
                options.windowlessOption = declared->name;
                options.windowlessParameters = parameters;
            } else {
                options.error = QStringLiteral("The options %1 and %2 cannot run together.")
                                    .arg(options.windowlessOption, declared->name);
                return options;
            }
        }
    }
    // It runs instead of the application: nothing would open the files.
    if (strict && !options.windowlessOption.isEmpty() && !(options.files.isEmpty() && options.pluginOptions.isEmpty()))
        options.error = QStringLiteral("The option %1 runs on its own, without files or other options of plug-ins.")
                            .arg(options.windowlessOption);
    return options;
}

// The plug-in folders the options name, or the application's own.
QStringList pluginFolders(const Options &options, const QString &applicationFolder)
{
    return options.pluginPaths.isEmpty() ? QStringList(applicationFolder + QStringLiteral("/plugins"))
                                         : options.pluginPaths;
}

// The folder of the running executable, before an application object exists
// to say it.
QString executableFolder(const char *argv0)
{
#ifdef Q_OS_LINUX
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!executable.isEmpty())
        return QFileInfo(executable).absolutePath();
#endif
    QString program = QString::fromLocal8Bit(argv0);
    if (!program.contains(QLatin1Char('/')) && !program.contains(QLatin1Char('\\')))
        program = QStandardPaths::findExecutable(program);
    return QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath();
}

// Whether this run ends without a window: it runs an option of a plug-in that
// needs none, only prints (-help, -version, a mistake on the command line),
// or names options nobody may know while there is no display to show a
// window on. Qt must then use its offscreen platform, chosen before the
// application object exists, so no display is needed.
bool endsWithoutWindow(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Options hostOnly = parseOptions(arguments, {}, false);
    Options options = hostOnly;
    if (!hostOnly.unknown.isEmpty()) {
        const QVector<PluginArgumentDescription> plugins =
            PluginManager::argumentDescriptions(pluginFolders(hostOnly, executableFolder(argv[0])));
        options = parseOptions(arguments, plugins, false);
    }
    if (options.help || options.version || !options.error.isEmpty() || !options.windowlessOption.isEmpty())
        return true;
    // Qt's own options (-style) look unknown here; without a display the run
    // ends with the refusal, or with saying there is no display.
#ifdef Q_OS_LINUX
    const bool noDisplay = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
                           && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return noDisplay && !options.unknown.isEmpty();
#else
    return false;
#endif
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
    StartupTimer::mark("idle");
    std::printf("zelto: idle after %.1f ms\n", StartupTimer::elapsedMs());
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
    StartupTimer::start();
    // Web views in plug-ins need shared OpenGL contexts, and that must be set
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always draws pixmaps at the screen's pixel ratio.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    const bool withoutWindow = endsWithoutWindow(argc, argv);
    if (withoutWindow)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StartupTimer::mark("application object");
    // Ended by the system or the terminal, it still shuts down the usual way:
    // the plug-ins keep unsaved work and remove what they made.
    ExtensionSystem::Platform::quitOnTerminationSignals();
    QCoreApplication::setOrganizationName(QStringLiteral("PELUM"));
    QCoreApplication::setApplicationName(QStringLiteral("Zelto Rideved"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELTO_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/images/app_icon.ico")));

    // The plug-ins' declarations are read (without loading the plug-ins)
    // only when the command line needs them.
    const QStringList arguments = QCoreApplication::arguments();
    const Options hostOnly = parseOptions(arguments, {}, false);
    const QStringList pluginPaths = pluginFolders(hostOnly, QCoreApplication::applicationDirPath());
    QVector<PluginArgumentDescription> pluginArguments;
    if (!hostOnly.unknown.isEmpty() || hostOnly.help)
        pluginArguments = PluginManager::argumentDescriptions(pluginPaths);
    const Options options = parseOptions(arguments, pluginArguments, true);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n\n%s", AppTitle, qPrintable(options.error), qPrintable(usage(pluginArguments)));
        return 2;
    }
    if (options.help) {
        std::printf("%s", qPrintable(usage(pluginArguments)));
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", AppTitle, qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }

    // Only Qt's own options were unknown, and there is no display for the window.
    if (withoutWindow && options.windowlessOption.isEmpty()) {
        std::fprintf(stderr, "%s: There is no display to show the window on.\n", AppTitle);
        return 1;
    }

    StartupTimer::mark("command line");
    PluginManager pluginManager;
    if (!options.settingsPath.isEmpty())
        PluginManager::setSettingsPath(options.settingsPath);
    PluginManager::setPluginPaths(pluginPaths);

    // Instead of the application: no window, no hand-over to a running
    // instance and nothing of an open instance's state touched.
    if (!options.windowlessOption.isEmpty()) {
        installTranslators(app);
        QString error;
        const bool ok = PluginManager::runWithoutWindow(options.windowlessOption, options.windowlessParameters, &error);
        PluginManager::shutdown();
        if (!ok) {
            std::fprintf(stderr, "%s: %s\n", AppTitle, qPrintable(error));
            return 1;
        }
        return 0;
    }

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

    StartupTimer::mark("hand-over to a running instance");
    installTranslators(app);
    StartupTimer::mark("translators");

    PluginManager::setPluginOptions(options.pluginOptions);
    PluginManager::setArguments(options.files);
    PluginManager::setProfilingEnabled(options.profile);
    PluginManager::loadPlugins();
    StartupTimer::mark("plug-ins");

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
    else if (ExtensionSystem::startupLog().isDebugEnabled())
        QTimer::singleShot(0, [] { StartupTimer::mark("event loop"); });

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
