#pragma once

#include "extensionsystem/iplugin.h"
#include "extensionsystem/pluginmanager.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QVariant>

// The behaviour shared by the host's test plug-ins: every lifecycle call is
// appended to the application property "zeltoTestCalls" (for tests that load
// plug-ins in their own process) and, when ZELTO_TEST_RECORD_FILE is set, to
// that file (for tests that run the executable). Lines read
// "<plug-in>:<call>[:<detail>]".
class RecordingPlugin : public ExtensionSystem::IPlugin
{
public:
    RecordingPlugin(const QString &strName, bool bFailInitialize)
        : m_strName(strName)
        , m_bFailInitialize(bFailInitialize)
    {
        record("construct");
    }

    ~RecordingPlugin() override { record("delete"); }

    bool initialize(const QStringList &arguments, QString *errorString) override
    {
        record("initialize", arguments.join(QLatin1Char(',')));
        if (m_bFailInitialize) {
            *errorString = QStringLiteral("%1 refuses to start.").arg(m_strName);
            return false;
        }
        return true;
    }

    void extensionsInitialized() override
    {
        record("extensionsInitialized", ExtensionSystem::PluginManager::settings()->fileName());
        // Shows which of Qt's catalogues the host installed.
        record("translation", QCoreApplication::translate("QPlatformTheme", "Cancel"));
    }

    bool lateInitialize() override
    {
        record("lateInitialize");
        return true;
    }

    ShutdownFlag aboutToShutdown() override
    {
        record("aboutToShutdown");
        return SynchronousShutdown;
    }

    QObject *secondInstanceCommand(const QStringList &options, const QString &workingDirectory,
                                   const QStringList &arguments) override
    {
        record("secondInstanceCommand", options.join(QLatin1Char(',')) + QLatin1Char('|')
                                            + workingDirectory + QLatin1Char('|')
                                            + arguments.join(QLatin1Char(',')));
        return nullptr;
    }

private:
    void record(const char *call, const QString &detail = QString())
    {
        QString line = m_strName + QLatin1Char(':') + QLatin1String(call);
        if (!detail.isEmpty())
            line += QLatin1Char(':') + detail;
        if (QCoreApplication *app = QCoreApplication::instance()) {
            QStringList calls = app->property("zeltoTestCalls").toStringList();
            calls.append(line);
            app->setProperty("zeltoTestCalls", calls);
        }
        const QString fileName = qEnvironmentVariable("ZELTO_TEST_RECORD_FILE");
        if (!fileName.isEmpty()) {
            QFile file(fileName);
            if (file.open(QIODevice::Append | QIODevice::Text))
                file.write((line + QLatin1Char('\n')).toUtf8());
        }
    }

    QString m_strName;
    bool m_bFailInitialize;
};
