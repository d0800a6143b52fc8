#pragma once

#include <QString>

// One available user-interface language, described in its own and in
// English words for the language menu.
struct LanguageInfo
{
    QString id;                 // locale name, e.g. "en_US"
    QString languageName;
    QString countryName;
    QString nativeLanguageName;
    QString nativeCountryName;
};
