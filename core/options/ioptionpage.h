#pragma once

#include "core/core_global.h"

#include <QWidget>

#include <memory>

class IOptionPagePrivate;

/**
 * One page of the preferences dialog (IOptionsDlg::addOptionPage()). Its
 * window title names it in the dialog's page list.
 *
 * Concrete pages track unsaved edits with the changed flag (setChanged() when
 * the user edits, emitting dataChanged()) and refill their widgets from the
 * settings in initValues(); saveChanges() writes them and discardChanges()
 * drops them. Overrides call the base so the flags stay right. The dialog owns
 * the page once it is added. GUI thread only.
 */
class CORE_EXPORT IOptionPage : public QWidget
{
    Q_OBJECT

public:
    /** An unchanged page. */
    explicit IOptionPage(QWidget *parent);
    /** Destroys the page. */
    ~IOptionPage() override;

public slots:
    /** Whether the page holds edits that are not saved yet. */
    virtual bool isChanged();
    /**
     * Marks the page changed whatever is passed: only saveChanges() and
     * discardChanges() clear the flag.
     */
    virtual void setChanged(bool bIsChanged);
    /** Refills the widgets from the settings; the dialog calls it before it shows. The base only sets the init mark. */
    virtual void initValues();
    /** Writes the page's values to the settings; the base clears the changed flag. */
    virtual void saveChanges();
    /** Drops the page's unsaved edits; the base clears the changed flag. */
    virtual void discardChanges();
    /** Clears the init mark that initValues() set. */
    virtual void setNeedInitConfig2UI();

signals:
    /** For concrete pages to emit when the user edits a value. */
    void dataChanged();

protected:
    /**
     * Whether the widgets must be refilled from the settings before they are
     * next shown: set by initValues(), cleared by setNeedInitConfig2UI().
     */
    bool needsInitConfig2UI() const;

private:
    std::unique_ptr<IOptionPagePrivate> d;
};
