#pragma once

#include "core/core_global.h"

#include <QDialog>
#include <QList>

class IOptionPage;

/**
 * Base of the application's preferences dialog, a list of IOptionPage pages.
 *
 * A plug-in supplies the dialog through its document factory
 * (IDocumentFactory::createOptionsDialog()); the main window asks the first
 * factory once, keeps the dialog (MainWindow::getOptionsDialog()) and calls
 * showOptionsDialog() for every Edit > Preferences. Other plug-ins add their
 * pages with addOptionPage(). The factory that made the dialog deletes it.
 * GUI thread only.
 */
class CORE_EXPORT IOptionsDlg : public QDialog
{
    Q_OBJECT

public:
    /** Always a top-level window of its own: the parent and flags are ignored. */
    IOptionsDlg(QWidget *parent, Qt::WindowFlags flags);
    /** Destroys the dialog and, as its Qt children, the pages. */
    ~IOptionsDlg() override;

    /** Shows the dialog for the Preferences command; pages refill their widgets from the settings first (IOptionPage::initValues()). */
    virtual void showOptionsDialog() = 0;
    /** Adds @p pPage as the last page. The dialog takes it as a Qt child and deletes it; never delete it yourself. */
    virtual void addOptionPage(IOptionPage *pPage) = 0;

public slots:
    /** Saves the changed pages and keeps the dialog open (the Apply button). */
    virtual void onApply() = 0;
    /** Drops the changes of every page and closes the dialog (the Cancel button). */
    virtual void onCancel() = 0;
    /** Saves the changed pages and closes the dialog (the OK button). */
    virtual void onOK() = 0;
    /** Shows the page at index @p nPage; connected to the page selector. */
    virtual void onPageChanged(int nPage) = 0;

public:
    /** Saves every page that isChanged() (IOptionPage::saveChanges()). */
    virtual void saveAllChanges() = 0;
    /** Drops the unsaved changes of every page (IOptionPage::discardChanges()). */
    virtual void discardAllChanges() = 0;
    /** Selects the page at index @p nPage. */
    virtual void setCurrentPage(int nPage) = 0;

protected:
    QList<IOptionPage *> m_lstPages;   ///< The pages in order; concrete dialogs fill it. Owned by the dialog as Qt children.
};
