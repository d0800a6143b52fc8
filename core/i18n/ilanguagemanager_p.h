#pragma once

#include "core/i18n/languageinfo.h"

#include <QList>
#include <QLocale>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// ILanguageManager's state, out of the installed header.
class ILanguageManagerPrivate
{
public:
    QList<LanguageInfo *> m_lstLanguages;   // owned
    QLocale m_currentLocale;
    QSettings *m_pSettings = nullptr;       // not owned: the host's settings
};
