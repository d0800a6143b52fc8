#pragma once

#include "core/options/ioptionpage.h"

namespace Ui {
class NotesOptionPage;
}

// The "Notes" page of the preferences dialog: whether note editors wrap long
// lines. Saving applies the choice to the open notes at once.
class NotesOptionPage : public IOptionPage
{
    Q_OBJECT

public:
    explicit NotesOptionPage(QWidget *parent = nullptr);
    ~NotesOptionPage() override;

public slots:
    void initValues() override;
    void saveChanges() override;
    void discardChanges() override;

private:
    Ui::NotesOptionPage *m_pUi;   // owned
};
