#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVarLengthArray>
#include <QWidget>

class ProxyAction;

// ContextAction's state, out of the installed header; the action manager reads it too.
class ContextActionPrivate
{
public:
    QString m_strId;
    QWidget *m_pCurrentContext = nullptr;          // not owned
    QKeySequence m_defaultKeySequence;
    QList<QKeySequence> m_lstAlternateKeySequences;   // the default's other keys
    bool m_bKeySequenceSaved = false;              // the user's choice came from the settings
    QString m_strDescription;
    ProxyAction *m_pAction = nullptr;              // child of this object
    // The action for each context widget, one entry per widget. A command has
    // actions for a handful of widgets and every focus change looks one up
    // for every command: kept inside this object, the lookup touches no other
    // memory, where map nodes lie anywhere in the heap.
    struct ContextEntry
    {
        QWidget *pContext;   // not owned, only compared
        QPointer<QAction> pAction;
    };
    QVarLengthArray<ContextEntry, 4> m_contextActions;
    const ContextEntry *find(const QWidget *context) const;
    bool m_bActive = false;
};
