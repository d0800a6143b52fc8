#pragma once

#include "core/core_global.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

class ProxyActionPrivate;

/**
 * An action that stands in for another one, its target: triggering the proxy
 * emits the target's QAction::triggered(), and the proxy mirrors the target's
 * checked, enabled and visible state. Menus and the main window hold the
 * proxy, so the command can be retargeted without touching them.
 *
 * Each ContextAction owns one proxy (ContextAction::getAction()). The proxy
 * does not own its target; a destroyed target reads as none. GUI thread only.
 */
class CORE_EXPORT ProxyAction : public QAction
{
    Q_OBJECT

public:
    /** What the proxy takes over from its target beyond the checked, enabled and visible state. */
    enum Attribute {
        HideWhenNoAction = 1,   ///< Hide, not only disable, while there is no target.
        FollowText = 2,         ///< Copy the text, tool tip, status tip and What's This of every new target.
        FollowIcon = 4          ///< Copy the icon of every new target.
    };

    /** A proxy without target, disabled. */
    explicit ProxyAction(QObject *parent = nullptr);
    /** Forgets its targets; they are not deleted. */
    ~ProxyAction() override;

    /**
     * Copies the looks of @p action once: separator flag, menu role, icon,
     * texts and tool tip, and the checkable flag. Does not make it the target.
     */
    void initialize(QAction *action);
    /** Makes @p action the target and copies its state; nullptr leaves the proxy disabled. */
    void setAction(QAction *action);
    /** The current target, or nullptr. */
    QAction *action() const;

    /** Switches @p attribute on. */
    void setAttribute(Attribute attribute);
    /** Switches @p attribute off. */
    void removeAttribute(Attribute attribute);
    /** Whether @p attribute is on. */
    bool hasAttribute(Attribute attribute) const;

    /** Shows the shortcut after the tool tip ("Save<tab>Ctrl+S"); commands switch this on. */
    void setShortcutVisibleInToolTip(bool visible);
    /** Whether the tool tip shows the shortcut. */
    bool shortcutVisibleInToolTip() const;

    /** @p str, a tab and @p shortcut in the platform's notation. */
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

    std::unique_ptr<ProxyActionPrivate> d;
};
