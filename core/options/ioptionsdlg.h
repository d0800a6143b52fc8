#pragma once

#include "core/core_global.h"

#include <QDialog>
#include <QList>

class IOptionPage;

// Base of the application's preferences dialog, supplied by a plug-in through
// its document factory. The main window keeps the one dialog and calls
// showOptionsDialog() for every Preferences command.
class CORE_EXPORT IOptionsDlg : public QDialog
{
    Q_OBJECT

public:
    // Always a top-level window of its own: the parent and flags are ignored.
    IOptionsDlg(QWidget *parent, Qt::WindowFlags flags);
    ~IOptionsDlg() override;

    virtual void showOptionsDialog() = 0;
    virtual void addOptionPage(IOptionPage *pPage) = 0;

public slots:
    virtual void onApply() = 0;
    virtual void onCancel() = 0;
    virtual void onOK() = 0;
    virtual void onPageChanged(int nPage) = 0;

public:
    virtual void saveAllChanges() = 0;
    virtual void discardAllChanges() = 0;
    virtual void setCurrentPage(int nPage) = 0;

protected:
    QList<IOptionPage *> m_lstPages;   // pages are owned by the dialog as Qt children
};
