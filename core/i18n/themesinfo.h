#pragma once

#include <QString>

// One available theme.
struct ThemesInfo
{
    QString id;     // derived from the style-sheet file name: "Dark" for zelto_dark.qss; stored in the settings
    QString name;   // shown to the user: the id, translated for the themes that ship with the application
};
