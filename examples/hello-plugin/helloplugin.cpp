#include "helloplugin.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/coreids.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/ui/ztnotificationbar.h"

#include <QAction>

namespace {
const char HelloCommand[] = "Help.Hello";
} // namespace

HelloPlugin::HelloPlugin() = default;

HelloPlugin::~HelloPlugin() = default;

//! [initialize]
bool HelloPlugin::initialize(const QStringList &arguments, QString *errorString)
{
    Q_UNUSED(arguments)
    // The core, which this plug-in depends on, has created its main window
    // and registries before any dependent plug-in is initialised.
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pMainWindow) {
        if (errorString)
            *errorString = tr("The main window of the core plug-in is missing.");
        return false;
    }

    m_pHelloAction = new QAction(tr("Say &Hello"), this);
    connect(m_pHelloAction, &QAction::triggered, this, &HelloPlugin::sayHello);
    // Registered for the main window, the command works wherever the focus is.
    ContextAction *pCommand = ActionManager::registerAction(m_pHelloAction, QLatin1String(HelloCommand),
                                                            pMainWindow);
    pCommand->setDescription(tr("Say hello"));

    if (ActionContainer *pHelpMenu = ActionManager::getActionContainer(QLatin1String(CoreIds::MenuBarHelp))) {
        pHelpMenu->insertAction(pCommand);
        qInfo("hello: \"%s\" added to \"%s\"", HelloCommand, CoreIds::MenuBarHelp);
    } else {
        qWarning("hello: there is no \"%s\"; \"%s\" is not in a menu", CoreIds::MenuBarHelp, HelloCommand);
    }
    qInfo("hello: plug-in initialized");
    return true;
}
//! [initialize]

void HelloPlugin::extensionsInitialized()
{
}

//! [shutdown]
ExtensionSystem::IPlugin::ShutdownFlag HelloPlugin::aboutToShutdown()
{
    // The core outlives this plug-in; take the command out of its registry
    // while both are still there.
    ActionManager::unregisterAction(m_pHelloAction, QLatin1String(HelloCommand));
    return SynchronousShutdown;
}
//! [shutdown]

//! [notification]
void HelloPlugin::sayHello()
{
    if (MainWindow *pMainWindow = ICore::getMainWindow())
        pMainWindow->showNotification(tr("Hello from a plug-in built against the Zelto Rideved SDK."),
                                      ZTNotificationBar::Information, QString(), true);
}
//! [notification]
