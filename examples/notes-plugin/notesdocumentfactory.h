#pragma once

#include "core/documents/idocumentfactory.h"

#include <QPointer>

class NotesOptionsDialog;

// Brings the note type to the main window: files with the suffix ".note",
// their editor, and, when this is the first factory in the object pool, the
// new-note dialog, the open prompt and a preferences dialog.
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

private:
    // Made once; the main window keeps it until the application ends, and the
    // factory deletes it when the plug-in goes.
    QPointer<NotesOptionsDialog> m_pOptionsDialog;
};
