#pragma once

#include "core/documents/idocumentfactory.h"

#include <QPointer>

class NotesOptionsDialog;

// Brings the note type to the main window: files with the suffix ".note",
// their editor, the new-note dialog, the open prompt while it is the only
// type, and a preferences dialog when it is the first factory in the pool.
class NotesDocumentFactory : public IDocumentFactory
{
    Q_OBJECT

public:
    explicit NotesDocumentFactory(QObject *parent = nullptr);
    ~NotesDocumentFactory() override;

    IDocument *createDocument() override;
    IEditor *createEditor() override;
    QStringList getSupportedSuffixes() override;
    IOptionsDlg *createOptionsDialog() override;
    ICreateDocumentDlg *createNewDocumentDialog() override;
    QString getOpenFileName() override;
    QString getDocumentTypeName() override;

private:
    // Made once; the main window keeps it until the application ends, and the
    // factory deletes it when the plug-in goes.
    QPointer<NotesOptionsDialog> m_pOptionsDialog;
};
