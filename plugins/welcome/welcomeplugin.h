#pragma once

#include "extensionsystem/iplugin.h"

#include <QPointer>
#include <QUrl>

QT_BEGIN_NAMESPACE
class QWebEngineView;
QT_END_NAMESPACE

// Shows the welcome page in the main window's work area while no project is
// open. The page is plain HTML from this plug-in's resources; it talks to the
// application through the "ztwelcome" object on the main window's web channel.
class WelcomePlugin : public ExtensionSystem::IPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.PELUM.Zelto.Plugin" FILE "welcome.json")

public:
    WelcomePlugin();
    ~WelcomePlugin() override;

    bool initialize(const QStringList &arguments, QString *errorString) override;
    void extensionsInitialized() override;

    // The page's address: the server port, the launch token and the theme
    // travel as query items.
    static QUrl pageUrl(quint16 nPort, const QString &strToken, const QString &strThemeId);

private:
    // Handed to the main window's work area, which parents it; deleted here
    // when the work area has not taken it down first.
    QPointer<QWebEngineView> m_pView;
};
