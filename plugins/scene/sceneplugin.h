#pragma once

#include "extensionsystem/iplugin.h"
#include "extensionsystem/iwindowlesscommand.h"

class SceneCommandHandler;
class SceneDocumentFactory;

// The scene plug-in: registers the scene document factory in the host's
// object pool, the global Undo and Redo commands, and the behaviour of the
// export, preview, about and update commands. On the command line,
// "-export <project> <page>" writes a project's page without the window.
class ScenePlugin : public ExtensionSystem::IPlugin, public ExtensionSystem::IWindowlessCommand
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "scene.json")
    Q_INTERFACES(ExtensionSystem::IWindowlessCommand)

public:
    ScenePlugin();
    ~ScenePlugin() override;

    bool initialize(const QStringList &arguments, QString *errorString) override;
    void extensionsInitialized() override;
    ShutdownFlag aboutToShutdown() override;
    bool runWithoutWindow(const QString &option, const QStringList &parameters, QString *errorString) override;

    SceneDocumentFactory *factory() const { return m_pFactory; }
    SceneCommandHandler *commandHandler() const { return m_pCommandHandler; }

private:
    void removeFactory();

    SceneDocumentFactory *m_pFactory = nullptr;          // child of the plug-in
    SceneCommandHandler *m_pCommandHandler = nullptr;    // child of the plug-in
    bool m_bFactoryInPool = false;
};
