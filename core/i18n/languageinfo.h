#pragma once

#include <QString>

/**
 * One available user-interface language, described in its own and in
 * English words for the language menu (ILanguageManager::getLanguages()).
 */
struct LanguageInfo
{
    QString id;                 ///< The locale name, e.g. "en_US"; what "Zelto/Language" holds.
    QString languageName;       ///< The language in English ("German").
    QString countryName;        ///< The country in English ("Germany").
    QString nativeLanguageName; ///< The language in its own words ("Deutsch").
    QString nativeCountryName;  ///< The country in its own language ("Deutschland").
};
