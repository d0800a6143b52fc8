#pragma once

#include "core/documents/idocumentfactory.h"

#include <QPointer>

class SceneOptionsDialog;

// Brings the scene project type to the main window: ".zelto" projects and
// ".zeltopack" packed projects, their editor, the new-project dialog and the
// preferences dialog.
class SceneDocumentFactory : public IDocumentFactory
{
    Q_OBJECT

public:
    explicit SceneDocumentFactory(QObject *parent = nullptr);
    ~SceneDocumentFactory() override;

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
    QPointer<SceneOptionsDialog> m_pOptionsDialog;
};
