#pragma once

#include <QString>

// One available theme. For listed themes both fields hold the display name
// derived from the style-sheet file name.
struct ThemesInfo
{
    QString id;
    QString name;
};
