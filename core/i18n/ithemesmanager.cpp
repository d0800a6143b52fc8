#include "core/i18n/ithemesmanager.h"
#include "core/i18n/ithemesmanager_p.h"

#include "core/ui/chromestyle.h"
#include "extensionsystem/pluginmanager.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <QSettings>

namespace {

const char kThemeKey[] = "Zelto/Theme";
const char kDarkTheme[] = "Dark";

// The themes that ship with the application, whose names are shown
// translated; a theme of the user's own is shown as its file names it.
const char *const kShippedThemes[] = {
    QT_TRANSLATE_NOOP("IThemesManager", "Dark"),
    QT_TRANSLATE_NOOP("IThemesManager", "Light"),
};

QString displayName(const QString &strId)
{
    for (const char *pName : kShippedThemes) {
        if (strId == QLatin1String(pName))
            return QCoreApplication::translate("IThemesManager", pName);
    }
    return strId;
}

// Reads a style sheet and installs it on the whole application.
bool applyStyleSheet(const QString &strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // Without a widget application there is nothing to style.
    auto *pApp = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!pApp)
        return false;
    ChromeStyle::install();
    pApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}

} // namespace

IThemesManager &IThemesManager::getInstance()
{
    static IThemesManager instance;
    return instance;
}

IThemesManager::IThemesManager()
    : d(std::make_unique<IThemesManagerPrivate>())
{
}

IThemesManager::~IThemesManager()
{
    delete d->m_pCurrentTheme;
    qDeleteAll(d->m_lstThemes);
}

bool IThemesManager::initialize()
{
    // Rebuild rather than append, so a second initialisation lists each
    // theme once and does not leak the previous records.
    delete d->m_pCurrentTheme;
    d->m_pCurrentTheme = new ThemesInfo;
    qDeleteAll(d->m_lstThemes);
    d->m_lstThemes.clear();
    d->m_mapFiles.clear();

    d->m_pSettings = ExtensionSystem::PluginManager::settings();
    if (d->m_pSettings && !d->m_pSettings->contains(kThemeKey))
        d->m_pSettings->setValue(kThemeKey, QString::fromLatin1(kDarkTheme));
    const QString strSaved = getSaveThemeId();

    const QString strAppDir = QCoreApplication::applicationDirPath();
    const QDir dir(strAppDir + QStringLiteral("/resources/styles/"));
    bool bApplied = false;
    const QStringList lstFiles = dir.entryList(QStringList(QStringLiteral("zelto_*.qss")));
    for (const QString &strFile : lstFiles) {
        QString strName = strFile.left(strFile.lastIndexOf(QLatin1Char('.')));
        strName.remove(0, strName.indexOf(QLatin1Char('_')) + 1);
        if (!strName.isEmpty())
            strName[0] = strName.at(0).toUpper();

        d->m_lstThemes.append(new ThemesInfo{strName, displayName(strName)});
        d->m_mapFiles.insert(strName, dir.filePath(strFile));

        // The dark theme is read from its fixed path below.
        if (strName == strSaved && strSaved != QLatin1String(kDarkTheme)
            && applyStyleSheet(dir.filePath(strFile))) {
            d->m_pCurrentTheme->id = strName;
            d->m_pCurrentTheme->name = d->m_lstThemes.constLast()->name;
            bApplied = true;
        }
    }

    if (strSaved == QLatin1String(kDarkTheme)
        && applyStyleSheet(strAppDir + QStringLiteral("/resources/styles/zelto_dark.qss"))) {
        d->m_pCurrentTheme->id = QString::fromLatin1(kDarkTheme);
        d->m_pCurrentTheme->name = displayName(d->m_pCurrentTheme->id);
        bApplied = true;
    }

    if (!bApplied)
        saveThemes(QString::fromLatin1(kDarkTheme));
    return bApplied;
}

const QList<ThemesInfo *> &IThemesManager::getThemes() const
{
    return d->m_lstThemes;
}

QString IThemesManager::getCurrentThemeId() const
{
    return d->m_pCurrentTheme ? d->m_pCurrentTheme->id : QString();
}

QString IThemesManager::getCurrentThemeName() const
{
    return d->m_pCurrentTheme ? d->m_pCurrentTheme->name : QString();
}

QString IThemesManager::getSaveThemeId() const
{
    const QString strDark = QString::fromLatin1(kDarkTheme);
    return d->m_pSettings ? d->m_pSettings->value(kThemeKey, strDark).toString() : strDark;
}

bool IThemesManager::saveThemes(const QString &id)
{
    for (const ThemesInfo *pInfo : qAsConst(d->m_lstThemes)) {
        if (pInfo->id == id) {
            if (!d->m_pSettings)
                return false;
            d->m_pSettings->setValue(kThemeKey, id);
            return true;
        }
    }
    return false;
}

bool IThemesManager::applyTheme(const QString &id)
{
    if (!d->m_mapFiles.contains(id))
        return false;
    if (id == getCurrentThemeId())
        return true;
    // Restyling lays the windows out again, which can hand the keyboard
    // focus to another widget; the user stays where they were.
    const QPointer<QWidget> pFocus = QApplication::focusWidget();
    if (!applyStyleSheet(d->m_mapFiles.value(id)))
        return false;
    if (pFocus && pFocus->isVisible() && QApplication::focusWidget() != pFocus)
        pFocus->setFocus(Qt::OtherFocusReason);
    if (!d->m_pCurrentTheme)
        d->m_pCurrentTheme = new ThemesInfo;
    d->m_pCurrentTheme->id = id;
    d->m_pCurrentTheme->name = displayName(id);
    saveThemes(id);
    emit themeChanged(id);
    return true;
}

void IThemesManager::setSettings(QSettings *pSettings)
{
    d->m_pSettings = pSettings;
}
