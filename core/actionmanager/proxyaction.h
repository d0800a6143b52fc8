#pragma once

#include "core/core_global.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QString>

// An action that stands in for another one, its target: triggering the proxy
// triggers the target, and the proxy mirrors the target's checked, enabled and
// visible state. Menus and the main window hold the proxy, so the command can
// be retargeted without touching them.
class CORE_EXPORT ProxyAction : public QAction
{
    Q_OBJECT

public:
    enum Attribute {
        HideWhenNoAction = 1,
        FollowText = 2,
        FollowIcon = 4
    };

    explicit ProxyAction(QObject *parent = nullptr);

    void initialize(QAction *action);
    void setAction(QAction *action);
    QAction *action() const;

    void setAttribute(Attribute attribute);
    void removeAttribute(Attribute attribute);
    bool hasAttribute(Attribute attribute) const;

    void setShortcutVisibleInToolTip(bool visible);
    bool shortcutVisibleInToolTip() const;

    static QString stringWithAppendedShortcut(const QString &str, const QKeySequence &shortcut);

private slots:
    void actionChanged();
    void updateState();
    void updateToolTipWithKeySequence();

private:
    void update(QAction *action, bool initialize);
    void connectAction();
    void disconnectAction();
    void applyToolTip();

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
