#pragma once

#include "core/core_global.h"

#include <QDialog>
#include <QString>

// Base of the new-document dialog a document factory returns. The main window
// reads the chosen values and passes them unchanged to initNewDocument().
class CORE_EXPORT ICreateDocumentDlg : public QDialog
{
    Q_OBJECT

public:
    explicit ICreateDocumentDlg(QWidget *parent);
    ICreateDocumentDlg(QWidget *parent, const QString &strArg1, const QString &strArg2,
                       const QString &strArg3);
    ~ICreateDocumentDlg() override;

    virtual QString getFilePath() = 0;   // empty: create no project
    virtual int getValue1() = 0;
    virtual int getValue2() = 0;
    virtual int getValue3() = 0;
    virtual bool getOption() = 0;
};
