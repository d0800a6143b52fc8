#pragma once

#include "core/core_global.h"

#include <QWidget>

// One page of the preferences dialog. Concrete pages track unsaved edits
// with the changed flag and refill their widgets from the configuration when
// the init mark is set.
class CORE_EXPORT IOptionPage : public QWidget
{
    Q_OBJECT

public:
    explicit IOptionPage(QWidget *parent);
    ~IOptionPage() override;

public slots:
    virtual bool isChanged();
    // Marks the page changed whatever is passed: only saveChanges() and
    // discardChanges() clear the flag.
    virtual void setChanged(bool bIsChanged);
    virtual void initValues();
    virtual void saveChanges();
    virtual void discardChanges();
    virtual void setNeedInitConfig2UI();

signals:
    void dataChanged();

protected:
    bool m_bChanged = false;
    bool m_bNeedInitConfig2UI = false;
};
