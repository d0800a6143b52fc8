#pragma once

#include "core/core_global.h"
#include "core/i18n/themesinfo.h"

#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

/**
 * Lists the style-sheet themes that ship with the application
 * (`resources/styles/zelto_<theme>.qss` beside the executable), applies the
 * saved one ("Zelto/Theme", default "Dark") once at start-up and stores a new
 * choice for the next start.
 *
 * The core plug-in initialises the one instance before the main window
 * exists; it lives until the process ends. Plug-ins read
 * getCurrentThemeId() to match their own pages to the theme. GUI thread only.
 */
class CORE_EXPORT IThemesManager : public QObject
{
public:
    /** The one instance, created on first use. */
    static IThemesManager &getInstance();

    /**
     * Lists the themes and applies the saved one to the whole application;
     * the core plug-in calls it once.
     *
     * @return false when no style sheet could be applied (the choice then goes back to "Dark")
     */
    bool initialize();
    /** The available themes; the records belong to the manager. */
    const QList<ThemesInfo *> &getThemes() const;
    /** The identifier of the theme this run uses ("Dark", "Light"); empty when none was applied. */
    QString getCurrentThemeId() const;
    /** The display name of the theme this run uses; empty when none was applied. */
    QString getCurrentThemeName() const;
    /** The identifier stored for the next start, read from the settings on each call; "Dark" when none. */
    QString getSaveThemeId() const;
    /**
     * Stores @p id, one of getThemes(), for the next start; this run's look
     * does not change.
     *
     * @return false when @p id names no available theme; nothing is stored
     */
    bool saveThemes(const QString &id);
    /** Reads and writes the choice in @p pSettings instead of the host's user settings; not owned. */
    void setSettings(QSettings *pSettings);

private:
    IThemesManager();
    ~IThemesManager() override;
    Q_DISABLE_COPY(IThemesManager)

    ThemesInfo *m_pCurrentTheme = nullptr;  // owned; empty until a theme is applied
    QList<ThemesInfo *> m_lstThemes;        // owned
    QSettings *m_pSettings = nullptr;       // not owned: the host's settings
};
