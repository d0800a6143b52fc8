#pragma once

#include "core/documents/icreatedocumentdlg.h"

namespace Ui {
class NewNoteDialog;
}

// Asks where a new note is saved. A note has no settings of its own, so the
// values the main window passes on to the document are all zero.
class NewNoteDialog : public ICreateDocumentDlg
{
    Q_OBJECT

public:
    explicit NewNoteDialog(QWidget *parent);
    ~NewNoteDialog() override;

    QString getFilePath() override;
    int getValue1() override { return 0; }
    int getValue2() override { return 0; }
    int getValue3() override { return 0; }
    bool getOption() override { return false; }

private slots:
    void browse();
    void updateOkButton();

private:
    Ui::NewNoteDialog *m_pUi;   // owned
};
