#pragma once

#include "extensionsystem/iplugin.h"

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

// Adds the command "Help.Hello" to the Help menu; triggering it shows a
// notification in the main window.
class HelloPlugin : public ExtensionSystem::IPlugin
{
    Q_OBJECT
    // The identifier every Zelto Rideved plug-in carries (ZELTO_PLUGIN_IID);
    // moc needs it spelled out.
    Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "hello.json")

public:
    HelloPlugin();
    ~HelloPlugin() override;

    bool initialize(const QStringList &arguments, QString *errorString) override;
    void extensionsInitialized() override;
    ShutdownFlag aboutToShutdown() override;

private slots:
    void sayHello();

private:
    QAction *m_pHelloAction = nullptr;  // child of this plug-in
};
