#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
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
    QMap<QWidget *, QPointer<QAction>> m_contextActionMap;
    bool m_bActive = false;
};
