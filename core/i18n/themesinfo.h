#pragma once

#include <QString>

/**
 * One available theme (IThemesManager::getThemes()). For listed themes both
 * fields hold the display name derived from the style-sheet file name.
 */
struct ThemesInfo
{
    QString id;     ///< The identifier, such as "Dark"; what "Zelto/Theme" holds.
    QString name;   ///< The display name.
};
