#pragma once

#include "core/core_global.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ICreateDocumentDlg;
class IDocument;
class IEditor;
class IOptionsDlg;

// What a plug-in registers in the host's object pool to bring a document
// type: the main window asks it for everything specific to that type.
class CORE_EXPORT IDocumentFactory : public QObject
{
    Q_OBJECT

public:
    explicit IDocumentFactory(QObject *parent = nullptr);
    ~IDocumentFactory() override;

    // Ownership of the created objects passes to the caller, except the
    // options dialog, which the caller keeps until the application ends.
    virtual IDocument *createDocument() = 0;
    virtual IEditor *createEditor() = 0;
    virtual QStringList getSupportedSuffixes() = 0;   // without dot, lower case
    virtual IOptionsDlg *createOptionsDialog() = 0;
    virtual ICreateDocumentDlg *createNewDocumentDialog() = 0;
    virtual QString getOpenFileName() = 0;            // empty: the user cancelled
};
