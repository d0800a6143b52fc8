#pragma once

#include "core/core_global.h"

#include "extensionsystem/iplugin.h"

class MainWindow;

// The entry object of the core plug-in. It owns the main window and forwards
// the host's lifecycle calls to it.
//
// The plug-in instance entry generated for Q_PLUGIN_METADATA keeps the object
// in a QPointer: a second call returns the same object, a call after the
// object was deleted creates a new one. The host reaches the object only
// through that entry, so the class itself is not exported.
class CorePlugin : public ExtensionSystem::IPlugin
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

protected:
    // The one place where the files handed over by another instance reach
    // the main window, already resolved to absolute paths. Each is tried on
    // its own: one that fails does not stop the rest. Tests override it to
    // see which paths would be opened.
    virtual void openFiles(const QStringList &lstFileNames);

private:
    MainWindow *m_pMainWindow = nullptr;
};
