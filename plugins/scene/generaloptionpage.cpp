#include "generaloptionpage.h"

#include "scenesettings.h"

#include "core/documents/documentmanager.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

GeneralOptionPage::GeneralOptionPage(QWidget *parent)
    : IOptionPage(parent)
{
    setWindowTitle(tr("General"));
    setObjectName(QStringLiteral("GeneralOptionPage"));

    // The choice is the core's; this page only shows it.
    m_pStartupCombo = new QComboBox(this);
    m_pStartupCombo->addItem(tr("Show the welcome page"), int(ICore::ShowWelcomePage));
    m_pStartupCombo->addItem(tr("Reopen the projects of the last session"), int(ICore::ReopenLastSession));
    auto *pStartupBox = new QGroupBox(tr("Start-up"), this);
    auto *pStartupForm = new QFormLayout(pStartupBox);
    pStartupForm->addRow(tr("On start-up:"), m_pStartupCombo);

    m_pAutoBackupCheck = new QCheckBox(tr("Back up open projects automatically"), this);
    m_pIntervalSpin = new QSpinBox(this);
    m_pIntervalSpin->setRange(5, 24 * 3600);
    m_pIntervalSpin->setSuffix(tr(" seconds"));
    auto *pBackupBox = new QGroupBox(tr("Automatic backup"), this);
    auto *pBackupForm = new QFormLayout(pBackupBox);
    pBackupForm->addRow(m_pAutoBackupCheck);
    pBackupForm->addRow(tr("Back up every:"), m_pIntervalSpin);

    m_pLanguageCombo = new QComboBox(this);
    m_pThemeCombo = new QComboBox(this);
    auto *pLookBox = new QGroupBox(tr("Appearance"), this);
    auto *pLookForm = new QFormLayout(pLookBox);
    pLookForm->addRow(tr("Language:"), m_pLanguageCombo);
    pLookForm->addRow(tr("Theme:"), m_pThemeCombo);
    auto *pRestartLabel = new QLabel(tr("A new theme is used at once, a new language from the next start."), this);
    pRestartLabel->setWordWrap(true);
    pLookForm->addRow(pRestartLabel);

    m_pUpdateUrlEdit = new QLineEdit(this);
    m_pUpdateUrlEdit->setPlaceholderText(tr("Address of the update feed (JSON)"));
    auto *pUpdateBox = new QGroupBox(tr("Updates"), this);
    auto *pUpdateForm = new QFormLayout(pUpdateBox);
    pUpdateForm->addRow(tr("Update address:"), m_pUpdateUrlEdit);
    m_pUpdateCheckCombo = new QComboBox(this);
    m_pUpdateCheckCombo->addItem(tr("Never"), 0);
    m_pUpdateCheckCombo->addItem(tr("Daily"), 24 * 3600);
    m_pUpdateCheckCombo->addItem(tr("Weekly"), 7 * 24 * 3600);
    pUpdateForm->addRow(tr("Check for updates automatically:"), m_pUpdateCheckCombo);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pStartupBox);
    pLayout->addWidget(pBackupBox);
    pLayout->addWidget(pLookBox);
    pLayout->addWidget(pUpdateBox);
    pLayout->addStretch(1);

    connect(m_pAutoBackupCheck, &QCheckBox::toggled, m_pIntervalSpin, &QWidget::setEnabled);
    auto changed = [this]() {
        if (!needsInitConfig2UI()) {
            setChanged(true);
            emit dataChanged();
        }
    };
    connect(m_pStartupCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, changed);
    connect(m_pAutoBackupCheck, &QCheckBox::toggled, this, changed);
    connect(m_pIntervalSpin, QOverload<int>::of(&QSpinBox::valueChanged), this, changed);
    connect(m_pLanguageCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, changed);
    connect(m_pThemeCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, changed);
    connect(m_pUpdateUrlEdit, &QLineEdit::textEdited, this, changed);
    connect(m_pUpdateCheckCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, changed);
    initValues();
}

GeneralOptionPage::~GeneralOptionPage() = default;

void GeneralOptionPage::initValues()
{
    IOptionPage::initValues();   // marks the widgets as being filled
    m_pStartupCombo->setCurrentIndex(qMax(0, m_pStartupCombo->findData(int(ICore::startupAction()))));
    m_pAutoBackupCheck->setChecked(DocumentManager::isAutobackupEnabled());
    m_pIntervalSpin->setEnabled(DocumentManager::isAutobackupEnabled());
    m_pIntervalSpin->setValue(DocumentManager::getAutobackupTimeout());

    ILanguageManager &languages = ILanguageManager::getInstance();
    m_pLanguageCombo->clear();
    for (const LanguageInfo *pInfo : languages.getLanguages()) {
        const QString strName = pInfo->nativeLanguageName.isEmpty() ? pInfo->languageName : pInfo->nativeLanguageName;
        m_pLanguageCombo->addItem(strName.isEmpty() ? pInfo->id : strName, pInfo->id);
    }
    const QString strLanguage = languages.getSaveLangId().isEmpty() ? languages.getCurrentLangId()
                                                                    : languages.getSaveLangId();
    m_pLanguageCombo->setCurrentIndex(qMax(0, m_pLanguageCombo->findData(strLanguage)));
    m_pLanguageCombo->setEnabled(m_pLanguageCombo->count() > 1);

    IThemesManager &themes = IThemesManager::getInstance();
    m_pThemeCombo->clear();
    for (const ThemesInfo *pInfo : themes.getThemes())
        m_pThemeCombo->addItem(pInfo->name, pInfo->id);
    const QString strTheme = themes.getSaveThemeId().isEmpty() ? themes.getCurrentThemeId() : themes.getSaveThemeId();
    m_pThemeCombo->setCurrentIndex(qMax(0, m_pThemeCombo->findData(strTheme)));
    m_pThemeCombo->setEnabled(m_pThemeCombo->count() > 1);

    m_pUpdateUrlEdit->setText(SceneSettings::updateUrl());
    m_pUpdateCheckCombo->setCurrentIndex(qMax(0, m_pUpdateCheckCombo->findData(SceneSettings::updateCheckInterval())));
    setNeedInitConfig2UI();   // filled: edits from now on are the user's
}

void GeneralOptionPage::saveChanges()
{
    ICore::setStartupAction(ICore::StartupAction(m_pStartupCombo->currentData().toInt()));
    const bool bEnabled = m_pAutoBackupCheck->isChecked();
    DocumentManager::setAutoBackupEnabled(bEnabled);
    DocumentManager::setAutobackupTimeout(m_pIntervalSpin->value());
    DocumentManager::saveSettings();
    // The manager leaves running timers alone; the user expects the new
    // choice to hold for the projects that are open now.
    for (IDocument *pDocument : DocumentManager::getDocuments()) {
        if (bEnabled)
            DocumentManager::startWaitingBackup(pDocument);
        else
            DocumentManager::stopWaitingBackup(pDocument);
    }

    ILanguageManager &languages = ILanguageManager::getInstance();
    const QString strLanguage = m_pLanguageCombo->currentData().toString();
    const bool bChosenNow = strLanguage != languages.getSaveLangId() && strLanguage != languages.getCurrentLangId();
    const bool bNewLanguage = !strLanguage.isEmpty() && languages.saveLanguage(strLanguage) && bChosenNow;
    const QString strTheme = m_pThemeCombo->currentData().toString();
    if (!strTheme.isEmpty())
        IThemesManager::getInstance().applyTheme(strTheme);
    SceneSettings::setUpdateUrl(m_pUpdateUrlEdit->text());
    SceneSettings::setUpdateCheckInterval(m_pUpdateCheckCombo->currentData().toInt());
    SceneSettings::save();
    IOptionPage::saveChanges();
    // Asked last: a restart closes the application with everything saved.
    if (bNewLanguage) {
        if (MainWindow *pMainWindow = ICore::getMainWindow())
            pMainWindow->offerLanguageRestart();
    }
}

void GeneralOptionPage::discardChanges()
{
    initValues();
    IOptionPage::discardChanges();
}
