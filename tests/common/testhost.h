#pragma once

#include <QString>
#include <QTemporaryDir>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

namespace ExtensionSystem {
class PluginManager;
}

namespace TestSupport {

// A plug-in host for tests: a PluginManager whose settings live in a fresh
// temporary folder, so a test never touches real settings. Create it before
// anything asks the host for settings, arguments or the object pool.
class TestHost
{
public:
    TestHost();
    ~TestHost();

    QString settingsPath() const;
    QSettings *settings() const;
    ExtensionSystem::PluginManager *manager() const { return m_pManager; }

private:
    QTemporaryDir m_dir;
    ExtensionSystem::PluginManager *m_pManager;
};

} // namespace TestSupport
