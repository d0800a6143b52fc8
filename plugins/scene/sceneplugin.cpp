#include "sceneplugin.h"

#include "scenecommandhandler.h"
#include "scenedocumentfactory.h"
#include "scenesettings.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/documents/documentmanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "extensionsystem/pluginmanager.h"

#include <QAction>
#include <QMenu>
#include <QUndoGroup>

ScenePlugin::ScenePlugin()
{
    m_pFactory = new SceneDocumentFactory(this);
    m_pCommandHandler = new SceneCommandHandler(this);
}

ScenePlugin::~ScenePlugin()
{
    removeFactory();
}

bool ScenePlugin::initialize(const QStringList &, QString *)
{
    ExtensionSystem::PluginManager::addObject(m_pFactory);
    m_bFactoryInPool = true;
    registerUndoCommands();
    if (ICore *pCore = ICore::getInstance())
        connect(pCore, &ICore::aboutToSaveSettings, this, []() { SceneSettings::save(); });
    return true;
}

void ScenePlugin::registerUndoCommands()
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pMainWindow || !ActionManager::getInstance() || !DocumentManager::getInstance())
        return;
    // Outside an editor, Undo and Redo act on the active project through the
    // shared undo group; inside one, the editor's own actions take over.
    QUndoGroup *pGroup = DocumentManager::getUndoGroup();
    m_pUndoAction = pGroup->createUndoAction(pMainWindow, tr("&Undo"));
    m_pRedoAction = pGroup->createRedoAction(pMainWindow, tr("&Redo"));
    ContextAction *pUndo = ActionManager::registerAction(m_pUndoAction, QStringLiteral("Edit.Undo"), pMainWindow);
    ContextAction *pRedo = ActionManager::registerAction(m_pRedoAction, QStringLiteral("Edit.Redo"), pMainWindow);
    pUndo->setDefaultKeySequence(QKeySequence(QKeySequence::Undo));
    pUndo->setDescription(tr("Undo the last change"));
    pRedo->setDefaultKeySequence(QKeySequence(QKeySequence::Redo));
    pRedo->setDescription(tr("Redo the last undone change"));

    if (ActionContainer *pEdit = ActionManager::getActionContainer(QStringLiteral("MenuBar.Edit"))) {
        ContextAction *pPreferences = ActionManager::getAction(QStringLiteral("Edit.Preferences"));
        pEdit->insertAction(pUndo, pPreferences);
        pEdit->insertAction(pRedo, pPreferences);
        if (pPreferences)
            pEdit->insertSeparator(pPreferences);
    }
}

void ScenePlugin::extensionsInitialized()
{
    // The main window built its menus before any plug-in was initialised.
    m_pCommandHandler->connectCommands();
}

ExtensionSystem::IPlugin::ShutdownFlag ScenePlugin::aboutToShutdown()
{
    SceneSettings::save();
    removeFactory();
    return SynchronousShutdown;
}

void ScenePlugin::removeFactory()
{
    if (m_bFactoryInPool) {
        ExtensionSystem::PluginManager::removeObject(m_pFactory);
        m_bFactoryInPool = false;
    }
}
