#pragma once

#include "core/core_global.h"

#include "extensionsystem/iplugin.h"

class MainWindow;

// The entry object of the core plug-in. It owns the main window and forwards
// the host's lifecycle calls to it.
class CORE_EXPORT CorePlugin : public ExtensionSystem::IPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "core.json")

public:
    CorePlugin();
    ~CorePlugin() override;

    bool initialize(const QStringList &arguments, QString *errorString) override;
    void extensionsInitialized() override;
    bool lateInitialize() override;
    ShutdownFlag aboutToShutdown() override;
    QObject *secondInstanceCommand(const QStringList &options, const QString &workingDirectory,
                                   const QStringList &arguments) override;

public slots:
    void fileOpenRequest(const QString &fileName);

private:
    MainWindow *m_pMainWindow = nullptr;
};
