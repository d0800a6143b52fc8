#include "sceneplugin.h"

#include "htmlexporter.h"
#include "scenecommandhandler.h"
#include "scenedocumentfactory.h"
#include "sceneproject.h"
#include "scenesettings.h"

#include "core/icore.h"
#include "extensionsystem/pluginmanager.h"

#include <QDir>
#include <QFileInfo>

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
    if (ICore *pCore = ICore::getInstance())
        connect(pCore, &ICore::aboutToSaveSettings, this, []() { SceneSettings::save(); });
    return true;
}

void ScenePlugin::extensionsInitialized()
{
    // The main window built its menus before any plug-in was initialised.
    m_pCommandHandler->connectCommands();
    m_pCommandHandler->configureUpdates();
}

ExtensionSystem::IPlugin::ShutdownFlag ScenePlugin::aboutToShutdown()
{
    SceneSettings::save();
    removeFactory();
    return SynchronousShutdown;
}

bool ScenePlugin::runWithoutWindow(const QString &option, const QStringList &parameters, QString *errorString)
{
    if (option != QLatin1String("-export") || parameters.size() != 2) {
        *errorString = tr("The scene plug-in has no option %1.").arg(option);
        return false;
    }
    const QString strProject = QFileInfo(parameters.at(0)).absoluteFilePath();
    const QString strPage = QFileInfo(parameters.at(1)).absoluteFilePath();
    SceneProject project;
    QString strError;
    if (!project.load(strProject, &strError)) {
        // The reader names the file for some failures only.
        const QString strWhere = QDir::toNativeSeparators(strProject);
        *errorString = strError.contains(strWhere) ? strError : tr("Could not read %1: %2").arg(strWhere, strError);
        return false;
    }
    // Written in one step: a page that cannot be written is not there at all.
    return HtmlExporter::exportToFile(project, QFileInfo(strProject).completeBaseName(), strPage, errorString);
}

void ScenePlugin::removeFactory()
{
    if (m_bFactoryInPool) {
        ExtensionSystem::PluginManager::removeObject(m_pFactory);
        m_bFactoryInPool = false;
    }
}
