#include "core/documents/ieditor.h"
#include "core/documents/ieditor_p.h"

#include "core/documents/idocument.h"

IEditor::IEditor()
    : QObject(nullptr)
    , d(std::make_unique<IEditorPrivate>())
{
}

IEditor::~IEditor() = default;

IDocument *IEditor::getDocument() const
{
    return d->m_pDocument;
}

void IEditor::setDocument(IDocument *pDocument)
{
    d->m_pDocument = pDocument;
    if (!pDocument)
        return;
    connect(pDocument, &IDocument::aboutToOpen, this, &IEditor::documentLoaded);
    connect(pDocument, &IDocument::dataChanged, this, &IEditor::documentDataChanged);
    connect(pDocument, &IDocument::aboutToClose, this, &IEditor::documentUnloading);
    connect(pDocument, &IDocument::titleChanged, this, &IEditor::documentTitleChanged);
    connect(pDocument, &IDocument::modifyChanged, this, &IEditor::documentModifyChanged);
    connect(pDocument, &IDocument::undoStackChanged, this, &IEditor::undoStackChanged);
}
