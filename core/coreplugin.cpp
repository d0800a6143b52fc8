#include "core/coreplugin.h"

#include "core/mainwindow.h"

#include <QApplication>

CorePlugin::CorePlugin()
{
    m_pMainWindow = new MainWindow(nullptr);
    QApplication::setActiveWindow(m_pMainWindow);
}

CorePlugin::~CorePlugin()
{
    delete m_pMainWindow;
}

bool CorePlugin::initialize(const QStringList &, QString *errorString)
{
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
    m_pMainWindow->aboutToShutdown();
    return SynchronousShutdown;
}

QObject *CorePlugin::secondInstanceCommand(const QStringList &, const QString &, const QStringList &)
{
    return nullptr;
}

void CorePlugin::fileOpenRequest(const QString &fileName)
{
    secondInstanceCommand(QStringList(), QString(), QStringList(fileName));
}
