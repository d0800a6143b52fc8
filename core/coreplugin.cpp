#include "core/coreplugin.h"

#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/mainwindow.h"

#include <QApplication>

CorePlugin::CorePlugin()
{
    // Languages and the theme come first, so every widget is created with them.
    if (!ILanguageManager::getInstance().initialize())
        qWarning("There was error while loading one of the language catalogues. %s will use English in some parts.",
                 ZELTO_APP_TITLE);
    if (!IThemesManager::getInstance().initialize())
        qWarning("There was error while loading one of the theme catalogues. %s will use English in some parts.",
                 ZELTO_APP_TITLE);
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
