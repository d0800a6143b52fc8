#pragma once

#include <QHash>
#include <QList>
#include <QMetaObject>

class IEditor;
class QObject;

class EditorManagerPrivate
{
public:
    QList<IEditor *> m_lstEditors;       // not owned
    IEditor *m_pActiveEditor = nullptr;
    // Each registered editor under its QObject address, taken while it was
    // alive: when an editor is deleted without being removed, destroyed()
    // arrives after its IEditor part is gone and must not be cast back.
    QHash<QObject *, IEditor *> m_hashObjects;
    // The destruction of an active editor that was never registered: the
    // registry has no other way to learn that the pointer went stale.
    QMetaObject::Connection m_activeWatch;
};
