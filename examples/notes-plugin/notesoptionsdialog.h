#pragma once

#include "core/options/ioptionsdlg.h"

namespace Ui {
class NotesOptionsDialog;
}

// A plain preferences dialog, for when notes are the first document type in
// the object pool: a list of pages on the left, the chosen page on the right,
// and OK, Cancel and Apply.
class NotesOptionsDialog : public IOptionsDlg
{
    Q_OBJECT

public:
    NotesOptionsDialog();
    ~NotesOptionsDialog() override;

    void showOptionsDialog() override;
    void addOptionPage(IOptionPage *pPage) override;

public slots:
    void onApply() override;
    void onCancel() override;
    void onOK() override;
    void onPageChanged(int nPage) override;

public:
    void saveAllChanges() override;
    void discardAllChanges() override;
    void setCurrentPage(int nPage) override;

private:
    Ui::NotesOptionsDialog *m_pUi;   // owned
};
