#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ilanguagemanager_p.h"

#include "extensionsystem/pluginmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {

const char kLanguageKey[] = "Zelto/Language";

LanguageInfo *makeLanguageInfo(const QLocale &locale)
{
    auto *pInfo = new LanguageInfo;
    pInfo->id = locale.name();
    pInfo->languageName = QLocale::languageToString(locale.language());
    pInfo->countryName = QLocale::countryToString(locale.country());
    pInfo->nativeLanguageName = locale.nativeLanguageName();
    pInfo->nativeCountryName = locale.nativeCountryName();
    return pInfo;
}

} // namespace

ILanguageManager &ILanguageManager::getInstance()
{
    static ILanguageManager instance;
    return instance;
}

ILanguageManager::ILanguageManager()
    : d(std::make_unique<ILanguageManagerPrivate>())
{
}

ILanguageManager::~ILanguageManager()
{
    qDeleteAll(d->m_lstLanguages);
}

bool ILanguageManager::initialize()
{
    d->m_pSettings = ExtensionSystem::PluginManager::settings();

    // Rebuild rather than append: a second initialisation must not show every
    // language twice in the menu.
    qDeleteAll(d->m_lstLanguages);
    d->m_lstLanguages.clear();

    // English is built in; it needs no catalogue.
    d->m_lstLanguages.append(makeLanguageInfo(QLocale(QStringLiteral("en_US"))));

    const QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    const QStringList lstFiles = dir.entryList(QStringList(QStringLiteral("zelto_*.qm")));
    for (const QString &strFile : lstFiles) {
        QString strName = strFile.left(strFile.lastIndexOf(QLatin1Char('.')));
        strName.remove(0, strName.indexOf(QLatin1Char('_')) + 1);
        d->m_lstLanguages.append(makeLanguageInfo(QLocale(strName)));
    }

    // Nothing saved, or a value that names no language, leaves the
    // application in its built-in English, which the menu then marks.
    const QLocale saved(getSaveLangId());
    d->m_currentLocale = saved.language() == QLocale::C ? QLocale(d->m_lstLanguages.constFirst()->id) : saved;
    return true;
}

const QList<LanguageInfo *> &ILanguageManager::getLanguages() const
{
    return d->m_lstLanguages;
}

QString ILanguageManager::getCurrentLangId() const
{
    return d->m_currentLocale.name();
}

QString ILanguageManager::getSaveLangId() const
{
    return d->m_pSettings ? d->m_pSettings->value(kLanguageKey).toString() : QString();
}

bool ILanguageManager::saveLanguage(const QString &id)
{
    for (const LanguageInfo *pInfo : qAsConst(d->m_lstLanguages)) {
        if (pInfo->id == id) {
            if (!d->m_pSettings)
                return false;
            d->m_pSettings->setValue(kLanguageKey, id);
            return true;
        }
    }
    return false;
}

void ILanguageManager::setSettings(QSettings *pSettings)
{
    d->m_pSettings = pSettings;
}
