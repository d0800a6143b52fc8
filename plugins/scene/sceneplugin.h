#pragma once

#include "extensionsystem/iplugin.h"

class SceneCommandHandler;
class SceneDocumentFactory;

// The scene plug-in: registers the scene document factory in the host's
// object pool, the global Undo and Redo commands, and the behaviour of the
// export, preview, about and update commands.
class ScenePlugin : public ExtensionSystem::IPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "scene.json")

public:
    ScenePlugin();
    ~ScenePlugin() override;

    bool initialize(const QStringList &arguments, QString *errorString) override;
    void extensionsInitialized() override;
    ShutdownFlag aboutToShutdown() override;

    SceneDocumentFactory *factory() const { return m_pFactory; }
    SceneCommandHandler *commandHandler() const { return m_pCommandHandler; }

private:
    void removeFactory();

    SceneDocumentFactory *m_pFactory = nullptr;          // child of the plug-in
    SceneCommandHandler *m_pCommandHandler = nullptr;    // child of the plug-in
    bool m_bFactoryInPool = false;
};
