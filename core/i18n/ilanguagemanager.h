#pragma once

#include "core/core_global.h"
#include "core/i18n/languageinfo.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

class ILanguageManagerPrivate;

/**
 * Knows the user-interface languages that ship with the application (a
 * catalogue `translations/zelto_<lang>.qm` beside the executable each, and
 * English) and the user's choice, kept in "Zelto/Language".
 *
 * A new choice takes effect at the next start; catalogues are installed by the
 * executable, not here. The core plug-in initialises the one instance before
 * the main window exists; it lives until the process ends. GUI thread only.
 */
class CORE_EXPORT ILanguageManager : public QObject
{
    Q_OBJECT

public:
    /** The one instance, created on first use. */
    static ILanguageManager &getInstance();

    /** Reads the saved choice and lists the languages; the core plug-in calls it once. Returns true. */
    bool initialize();
    /** The available languages, English first; the records belong to the manager. */
    const QList<LanguageInfo *> &getLanguages() const;
    /** The identifier of the language this run uses ("de_DE"); "en_US" when none was chosen or the saved one names no language. */
    QString getCurrentLangId() const;
    /** The identifier stored for the next start, read from the settings on each call; empty when none. */
    QString getSaveLangId() const;
    /**
     * Stores @p id, one of getLanguages(), for the next start; this run's
     * language does not change.
     *
     * @return false when @p id names no available language; nothing is stored
     */
    bool saveLanguage(const QString &id);
    /** Reads and writes the choice in @p pSettings instead of the host's user settings; not owned. */
    void setSettings(QSettings *pSettings);

private:
    ILanguageManager();
    ~ILanguageManager() override;
    Q_DISABLE_COPY(ILanguageManager)

    std::unique_ptr<ILanguageManagerPrivate> d;
};
