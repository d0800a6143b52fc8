#include "core/documents/icreatedocumentdlg.h"

ICreateDocumentDlg::ICreateDocumentDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog)
{
}

// The strings are for concrete dialogs that want them; the base has no use.
ICreateDocumentDlg::ICreateDocumentDlg(QWidget *parent, const QString &, const QString &, const QString &)
    : QDialog(parent, Qt::Dialog)
{
}

ICreateDocumentDlg::~ICreateDocumentDlg() = default;
