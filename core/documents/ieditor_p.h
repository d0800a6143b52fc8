#pragma once

class IDocument;

// IEditor's state, out of the installed header.
class IEditorPrivate
{
public:
    IDocument *m_pDocument = nullptr;   // not owned
};
