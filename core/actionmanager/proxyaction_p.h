#pragma once

#include <QAction>
#include <QList>
#include <QPointer>
#include <QString>

// ProxyAction's state, out of the installed header.
class ProxyActionPrivate
{
public:
    QPointer<QAction> m_pTarget;
    int m_nAttributes = 0;
    bool m_bShowShortcut = false;
    QString m_strToolTip;
    bool m_bUpdatingToolTip = false;

    // Retargeting happens for every command at every focus change, so the
    // proxy does not connect and disconnect each time: it stays connected to
    // every action that has been its target and only listens to, and forwards
    // to, the current one while it is "connected". Entries leave the list when
    // their action is destroyed, so plain pointers are safe to compare.
    QList<QAction *> m_lstConnectedTargets;
    bool m_bConnected = false;
    bool m_bCopying = false;
};
