#pragma once

#include "core/options/ioptionpage.h"

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
QT_END_NAMESPACE

// What the application shows at start-up, automatic backup, user-interface
// language, theme, the update address and how often updates are looked for.
class GeneralOptionPage : public IOptionPage
{
    Q_OBJECT

public:
    explicit GeneralOptionPage(QWidget *parent);
    ~GeneralOptionPage() override;

    QComboBox *startupCombo() const { return m_pStartupCombo; }
    QCheckBox *autoBackupCheck() const { return m_pAutoBackupCheck; }
    QSpinBox *intervalSpin() const { return m_pIntervalSpin; }
    QComboBox *languageCombo() const { return m_pLanguageCombo; }
    QComboBox *themeCombo() const { return m_pThemeCombo; }
    QLineEdit *updateUrlEdit() const { return m_pUpdateUrlEdit; }
    QComboBox *updateCheckCombo() const { return m_pUpdateCheckCombo; }

public slots:
    void initValues() override;
    void saveChanges() override;
    void discardChanges() override;

private:
    QComboBox *m_pStartupCombo;
    QCheckBox *m_pAutoBackupCheck;
    QSpinBox *m_pIntervalSpin;
    QComboBox *m_pLanguageCombo;
    QComboBox *m_pThemeCombo;
    QLineEdit *m_pUpdateUrlEdit;
    QComboBox *m_pUpdateCheckCombo;
};
