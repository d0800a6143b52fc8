#pragma once

#include "core/options/ioptionsdlg.h"

QT_BEGIN_NAMESPACE
class QDialogButtonBox;
class QListWidget;
class QStackedWidget;
QT_END_NAMESPACE

class BreakpointsOptionPage;
class GeneralOptionPage;
class ShortcutsOptionPage;

// The application's preferences: a list of pages on the left, the chosen
// page on the right, and OK, Cancel and Apply.
class SceneOptionsDialog : public IOptionsDlg
{
    Q_OBJECT

public:
    SceneOptionsDialog();
    ~SceneOptionsDialog() override;

    void showOptionsDialog() override;
    void addOptionPage(IOptionPage *pPage) override;

public slots:
    void onApply() override;
    void onCancel() override;
    void onOK() override;
    void onPageChanged(int nPage) override;

public:
    // Saves every changed page; false when a page holds input that cannot be
    // saved (the dialog then shows that page and says why).
    void saveAllChanges() override;
    void discardAllChanges() override;
    void setCurrentPage(int nPage) override;

    bool applyChanges();
    GeneralOptionPage *generalPage() const { return m_pGeneralPage; }
    BreakpointsOptionPage *breakpointsPage() const { return m_pBreakpointsPage; }
    ShortcutsOptionPage *shortcutsPage() const { return m_pShortcutsPage; }

protected:
    void closeEvent(QCloseEvent *pEvent) override;

private:
    QListWidget *m_pPageList;
    QStackedWidget *m_pPageStack;
    QDialogButtonBox *m_pButtons;
    GeneralOptionPage *m_pGeneralPage;          // pages are children of the stack
    BreakpointsOptionPage *m_pBreakpointsPage;
    ShortcutsOptionPage *m_pShortcutsPage;
};
