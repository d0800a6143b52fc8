#include "core/coreplugin.h"

#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/mainwindow.h"
#include "extensionsystem/startuptimer.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

CorePlugin::CorePlugin()
{
    ExtensionSystem::StartupTimer::mark("core: library");
    // Languages and the theme come first, so every widget is created with them.
    if (!ILanguageManager::getInstance().initialize())
        qWarning("There was error while loading one of the language catalogues. %s will use English in some parts.",
                 ZELTO_APP_TITLE);
    if (!IThemesManager::getInstance().initialize())
        qWarning("There was error while loading one of the theme catalogues. %s will use English in some parts.",
                 ZELTO_APP_TITLE);
    ExtensionSystem::StartupTimer::mark("core: languages and theme");
    m_pMainWindow = new MainWindow(nullptr);
    ExtensionSystem::StartupTimer::mark("core: main window");
    QApplication::setActiveWindow(m_pMainWindow);
}

CorePlugin::~CorePlugin()
{
    // The main window tears down everything it owns: managers, channel, server.
    delete m_pMainWindow;
}

bool CorePlugin::initialize(const QStringList &, QString *errorString)
{
    // Other plug-ins still draw from the standard generator (qrand), so it is
    // seeded once per run; command-line files are opened later. Qt 6 has no
    // qrand: plug-ins built with it use QRandomGenerator, which seeds itself.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    qsrand(static_cast<uint>(QDateTime::currentDateTime().toSecsSinceEpoch()));
    QT_WARNING_POP
#endif
    return m_pMainWindow->init(errorString);
}

void CorePlugin::extensionsInitialized()
{
    m_pMainWindow->extensionsInitialized();
}

bool CorePlugin::lateInitialize()
{
    return true;
}

ExtensionSystem::IPlugin::ShutdownFlag CorePlugin::aboutToShutdown()
{
    // Documents and settings are handled by the main window's close handling.
    m_pMainWindow->aboutToShutdown();
    return SynchronousShutdown;
}

QObject *CorePlugin::secondInstanceCommand(const QStringList &, const QString &workingDirectory,
                                           const QStringList &arguments)
{
    m_pMainWindow->raiseUp();

    const QDir baseDir(workingDirectory.isEmpty() ? QDir::currentPath() : workingDirectory);
    QStringList lstFileNames;
    lstFileNames.reserve(arguments.size());
    for (const QString &argument : arguments)
        lstFileNames << QFileInfo(baseDir, argument).absoluteFilePath();
    if (!lstFileNames.isEmpty())
        openFiles(lstFileNames);
    return nullptr;
}

void CorePlugin::fileOpenRequest(const QString &fileName)
{
    secondInstanceCommand(QStringList(), QString(), QStringList(fileName));
}

void CorePlugin::openFiles(const QStringList &lstFileNames)
{
    m_pMainWindow->openHandedOverFiles(lstFileNames);
}
