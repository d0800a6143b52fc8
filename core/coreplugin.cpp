#include "core/coreplugin.h"

#include "core/mainwindow.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

CorePlugin::CorePlugin()
{
    // The language catalogues and the saved theme are loaded before the first
    // widget exists, so every widget starts in the chosen language and style.
    // Language manager, then themes manager: initialize() each (i18n).

    m_pMainWindow = new MainWindow(nullptr);
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
    // seeded once per run; command-line files are opened later.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    qsrand(static_cast<uint>(QDateTime::currentDateTime().toSecsSinceEpoch()));
    QT_WARNING_POP
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
    // Each file on its own: one that fails (and says so) does not stop the rest.
    for (const QString &argument : arguments)
        openFile(QFileInfo(baseDir, argument).absoluteFilePath());
    return nullptr;
}

void CorePlugin::fileOpenRequest(const QString &fileName)
{
    secondInstanceCommand(QStringList(), QString(), QStringList(fileName));
}

bool CorePlugin::openFile(const QString &strFileName)
{
    return m_pMainWindow->loadFile(strFileName);
}
