#pragma once

#include "core/core_global.h"
#include "core/i18n/languageinfo.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// Knows the user-interface languages that ship with the application and the
// user's choice. A new choice takes effect at the next start; catalogues are
// installed by the executable, not here.
class CORE_EXPORT ILanguageManager : public QObject
{
    Q_OBJECT

public:
    static ILanguageManager &getInstance();

    bool initialize();
    const QList<LanguageInfo *> &getLanguages() const;
    QString getCurrentLangId() const;
    QString getSaveLangId() const;
    bool saveLanguage(const QString &id);
    void setSettings(QSettings *pSettings);

private:
    ILanguageManager();
    ~ILanguageManager() override;
    Q_DISABLE_COPY(ILanguageManager)

    QList<LanguageInfo *> m_lstLanguages;   // owned
    QLocale m_currentLocale;
    QSettings *m_pSettings = nullptr;       // not owned: the host's settings
};
