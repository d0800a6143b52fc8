#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QObject>
#include <QStringList>
#include <QVector>

namespace ExtensionSystem {

// Base class of every plug-in. The host calls the virtual operations in the
// order they are declared: initialize, extensionsInitialized, lateInitialize,
// and aboutToShutdown at the end; secondInstanceCommand whenever another
// instance hands over its command line.
class EXTENSIONSYSTEM_EXPORT IPlugin : public QObject
{
    Q_OBJECT

public:
    enum ShutdownFlag {
        SynchronousShutdown = 0,
        AsynchronousShutdown = 1
    };

    IPlugin();
    ~IPlugin() override;

    virtual bool initialize(const QStringList &arguments, QString *errorString) = 0;
    virtual void extensionsInitialized() = 0;
    virtual bool lateInitialize();
    virtual ShutdownFlag aboutToShutdown();
    virtual QObject *secondInstanceCommand(const QStringList &options,
                                           const QString &workingDirectory,
                                           const QStringList &arguments);
    virtual QVector<QObject *> createTestObjects() const;

signals:
    void asynchronousShutdownFinished();
};

} // namespace ExtensionSystem

#define ZELTO_PLUGIN_IID "com.PELUM.Zelto.Plugin"
