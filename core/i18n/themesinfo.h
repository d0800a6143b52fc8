#pragma once

#include <QString>

/**
 * One available theme (IThemesManager::getThemes()).
 */
struct ThemesInfo
{
    QString id;     ///< Derived from the style-sheet file name: "Dark" for zelto_dark.qss; what "Zelto/Theme" holds.
    QString name;   ///< Shown to the user: the id, translated for the themes that ship with the application.
};
