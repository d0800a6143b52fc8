#include "core/options/ioptionsdlg.h"

// The dialog is kept for the whole run and shown over whatever window is
// current, so it is always a top-level window of its own.
IOptionsDlg::IOptionsDlg(QWidget *, Qt::WindowFlags)
    : QDialog(nullptr, Qt::WindowFlags())
{
}

IOptionsDlg::~IOptionsDlg() = default;
