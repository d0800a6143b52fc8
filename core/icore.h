#pragma once

#include "core/core_global.h"

#include <QObject>
#include <QSettings>

class MainWindow;

/**
 * The access point through which other plug-ins reach the application's
 * settings and its main window.
 *
 * The main window creates the one instance in its constructor, before any
 * plug-in that depends on "core" is initialised, and destroys it with itself;
 * outside that lifetime the static getters answer nullptr. GUI thread only.
 */
class CORE_EXPORT ICore : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    /** What the application shows when it starts without a restart of its own asking for more. */
    enum StartupAction {
        ShowWelcomePage,     ///< The welcome page; the default.
        ReopenLastSession    ///< The projects that were open when the application last quit.
    };

    /** Clears the instance and main window pointers; only the main window destroys it. */
    ~ICore() override;

    /** The one instance, or nullptr outside the main window's lifetime. Connect to aboutToSaveSettings() through it. */
    static ICore *getInstance();
    /** The application's main window, or nullptr outside its lifetime. */
    static MainWindow *getMainWindow();
    /**
     * The host's settings: PluginManager::settings() for QSettings::UserScope
     * (the default), PluginManager::globalSettings() for any other @p scope.
     * The objects belong to the host and live as long as it; never delete them.
     */
    static QSettings *settings(QSettings::Scope scope = QSettings::UserScope);
    /**
     * What the next start shows: the user's choice under Preferences >
     * General, kept in the user settings ("Zelto/OnStartup"). A restart the
     * application asks for itself (a new language) reopens the projects
     * whatever the choice.
     */
    static StartupAction startupAction();
    /** Stores @p action for the next start; written to disk with the other settings. */
    static void setStartupAction(StartupAction action);

public slots:
    /**
     * Emits aboutToSaveSettings(), then writes both settings objects to disk.
     *
     * The main window calls it on every close request, before the documents
     * are asked to close. Needs a live instance. The result of writing is not
     * reported.
     */
    static void saveSettings();

signals:
    /**
     * Emitted at the start of saveSettings(), before the settings are written:
     * plug-ins that keep settings in memory write them into settings() in
     * their handler (a direct connection), so they are persisted.
     */
    void aboutToSaveSettings();

private:
    explicit ICore(MainWindow *mainWindow);
};
