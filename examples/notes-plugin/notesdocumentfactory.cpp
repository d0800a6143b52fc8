#include "notesdocumentfactory.h"

#include "newnotedialog.h"
#include "notesdocument.h"
#include "noteseditor.h"
#include "notesoptionsdialog.h"

#include "core/icore.h"
#include "core/mainwindow.h"

#include <QFileDialog>

//! [factory]
NotesDocumentFactory::NotesDocumentFactory(QObject *parent)
    : IDocumentFactory(parent)
{
}

NotesDocumentFactory::~NotesDocumentFactory()
{
    delete m_pOptionsDialog;
}

// The main window owns what these return.
IDocument *NotesDocumentFactory::createDocument()
{
    return new NotesDocument();
}

IEditor *NotesDocumentFactory::createEditor()
{
    return new NotesEditor();
}

QStringList NotesDocumentFactory::getSupportedSuffixes()
{
    return {QStringLiteral("note")};
}

// File > New offers the type by this name when there are several.
QString NotesDocumentFactory::getDocumentTypeName()
{
    return tr("Note");
}
//! [factory]

// Asked only of the first factory in the pool, once: with another document
// type installed first, that one's dialog holds the notes page too.
IOptionsDlg *NotesDocumentFactory::createOptionsDialog()
{
    if (!m_pOptionsDialog)
        m_pOptionsDialog = new NotesOptionsDialog();
    return m_pOptionsDialog;
}

ICreateDocumentDlg *NotesDocumentFactory::createNewDocumentDialog()
{
    return new NewNoteDialog(ICore::getMainWindow());
}

QString NotesDocumentFactory::getOpenFileName()
{
    return QFileDialog::getOpenFileName(ICore::getMainWindow(), tr("Open Note"), QString(), tr("Notes (*.note)"));
}
