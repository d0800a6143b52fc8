#pragma once

// IDocument's private state, out of the installed header. The members subclasses use stay in the class.
class IDocumentPrivate
{
public:
    bool m_bSaveDeclined = false;     // set by setSaveDeclined() while close() saves
};
