#pragma once

#include "core/core_global.h"
#include "core/i18n/themesinfo.h"

#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// Lists the style-sheet themes that ship with the application, applies the
// saved one once at start-up and stores a new choice for the next start.
class CORE_EXPORT IThemesManager : public QObject
{
public:
    static IThemesManager &getInstance();

    bool initialize();
    const QList<ThemesInfo *> &getThemes() const;
    QString getCurrentThemeId() const;
    QString getCurrentThemeName() const;
    QString getSaveThemeId() const;
    bool saveThemes(const QString &id);
    void setSettings(QSettings *pSettings);

private:
    IThemesManager();
    ~IThemesManager() override;
    Q_DISABLE_COPY(IThemesManager)

    ThemesInfo *m_pCurrentTheme = nullptr;  // owned; empty until a theme is applied
    QList<ThemesInfo *> m_lstThemes;        // owned
    QSettings *m_pSettings = nullptr;       // not owned: the host's settings
};
