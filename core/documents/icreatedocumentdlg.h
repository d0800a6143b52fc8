#pragma once

#include "core/core_global.h"

#include <QDialog>
#include <QString>

/**
 * Base of the new-document dialog a document factory returns
 * (IDocumentFactory::createNewDocumentDialog()).
 *
 * The main window runs it with exec(); when it is accepted it reads the chosen
 * values and passes them unchanged to IDocument::initNewDocument(). What the
 * values mean is the document type's business. The main window deletes the
 * dialog after use. GUI thread only.
 */
class CORE_EXPORT ICreateDocumentDlg : public QDialog
{
    Q_OBJECT

public:
    /** A dialog window (Qt::Dialog) with @p parent. */
    explicit ICreateDocumentDlg(QWidget *parent);
    /** As the other constructor; the three strings are for the concrete dialog and not used by the base. */
    ICreateDocumentDlg(QWidget *parent, const QString &strArg1, const QString &strArg2,
                       const QString &strArg3);
    /** Destroys the dialog. */
    ~ICreateDocumentDlg() override;

    /** Where the new document is to be saved; an empty path creates no document. */
    virtual QString getFilePath() = 0;
    /** The first integer setting chosen for the new document. */
    virtual int getValue1() = 0;
    /** The second integer setting. */
    virtual int getValue2() = 0;
    /** The third integer setting. */
    virtual int getValue3() = 0;
    /** The boolean option chosen for the new document. */
    virtual bool getOption() = 0;
};
