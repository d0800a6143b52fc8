#pragma once

#include "core/core_global.h"
#include "core/i18n/themesinfo.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

class IThemesManagerPrivate;

/**
 * Lists the style-sheet themes that ship with the application
 * (`resources/styles/zelto_<theme>.qss` beside the executable), applies the
 * saved one ("Zelto/Theme", default "Dark") at start-up, and switches to
 * another one while the application runs (applyTheme()).
 *
 * The core plug-in initialises the one instance before the main window
 * exists; it lives until the process ends. Plug-ins read
 * getCurrentThemeId() to match their own pages to the theme, and follow
 * themeChanged() to change them along. GUI thread only.
 */
class CORE_EXPORT IThemesManager : public QObject
{
    Q_OBJECT

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
    /**
     * Switches the whole application to the theme @p id, one of getThemes(),
     * at once: installs its style sheet, makes it the current theme and
     * stores it for the next start, then emits themeChanged(). Choosing the
     * current theme again changes nothing and emits nothing.
     *
     * @return false when @p id names no available theme or its style sheet
     *         cannot be read; the look and the stored choice stay as they were
     */
    bool applyTheme(const QString &id);
    /** Reads and writes the choice in @p pSettings instead of the host's user settings; not owned. */
    void setSettings(QSettings *pSettings);

signals:
    /**
     * The application now uses the theme @p id: emitted by applyTheme() once
     * the new style sheet is installed and getCurrentThemeId() answers @p id.
     */
    void themeChanged(const QString &id);

private:
    IThemesManager();
    ~IThemesManager() override;
    Q_DISABLE_COPY(IThemesManager)

    std::unique_ptr<IThemesManagerPrivate> d;
};
