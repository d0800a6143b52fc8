#pragma once

#include "core/i18n/themesinfo.h"

#include <QList>
#include <QMap>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// IThemesManager's state, out of the installed header.
class IThemesManagerPrivate
{
public:
    ThemesInfo *m_pCurrentTheme = nullptr;  // owned; empty until a theme is applied
    QList<ThemesInfo *> m_lstThemes;        // owned
    QMap<QString, QString> m_mapFiles;      // theme id -> its style sheet
    QSettings *m_pSettings = nullptr;       // not owned: the host's settings
};
