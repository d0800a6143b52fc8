#pragma once

#include "core/core_global.h"

#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class ActionManager;
class ProxyAction;

class ContextActionPrivate;

/**
 * One command of the application, known by its identifier ("File.New").
 *
 * Plug-ins contribute a QAction per context widget
 * (ActionManager::registerAction()); the command's single visible action, a
 * ProxyAction, follows the action of the current context and falls back to the
 * one registered for the main window. Menus, the toolbar and the shortcut hold
 * the proxy (getAction()); triggering it runs the receivers of the current
 * action's QAction::triggered() signal. Without an action for the current
 * context and for the main window, the command is disabled.
 *
 * Only the action manager creates and destroys commands: a command lives until
 * its last contributed action is unregistered, and callers never delete it.
 * GUI thread only.
 */
class CORE_EXPORT ContextAction : public QObject
{
    Q_OBJECT
    friend class ActionManager;

public:
    /** Accepted for the plug-ins that pass them; no behaviour depends on them. */
    enum ActionAttribute {
        Hide = 0x01,            ///< Accepted; no effect.
        UpdateText = 0x02,      ///< Accepted; no effect.
        UpdateIcon = 0x04,      ///< Accepted; no effect.
        NonConfigurable = 0x08  ///< Accepted; no effect.
    };

    /** Deletes the proxy; only the action manager destroys commands. */
    ~ContextAction() override;

    /** The command's identifier, fixed when it was registered. */
    QString getId() const;
    /** A human-readable description of the command, for lists of commands such as the shortcut preferences. */
    QString getDescription() const;
    /** Sets the description; see getDescription(). */
    void setDescription(const QString &description);
    /** The visible action, a ProxyAction owned by the command: put it into menus and toolbars. */
    QAction *getAction() const;
    /** The current shortcut: the user's, the default, or none. */
    QKeySequence getKeySequence() const;
    /**
     * Sets the current shortcut; ActionManager::saveSettings() stores it.
     * While it is the default, the default's other keys work too; any other
     * shortcut is the only key.
     */
    void setKeySequence(const QKeySequence &keySequence);
    /** The default shortcut, which ActionManager::resetToDefault() restores. */
    QKeySequence getDefaultKeySequence() const;
    /**
     * Sets the default shortcut, and makes it the current one unless the
     * command already has a shortcut (the user's own, read from the settings
     * when the command was registered). Call it right after registering.
     */
    void setDefaultKeySequence(const QKeySequence &keySequence);
    /**
     * Gives the command its default keys: the first is its shortcut, shown in
     * menus and changed by the user; the others (Ctrl+F4 beside Ctrl+W for
     * Close) work as well for as long as the command keeps that shortcut.
     *
     * A shortcut read from the user's settings outranks the default, also
     * when the user cleared it.
     */
    void setDefaultKeySequences(const QList<QKeySequence> &lstKeySequences);
    /**
     * The default keys, the shortcut first and then the others that work
     * beside it (see setDefaultKeySequences()); empty when the command has no
     * default. A shortcut editor checks all of them for clashes.
     */
    QList<QKeySequence> getDefaultKeySequences() const;
    /** True when no action is registered for the command any more. */
    bool isEmpty() const;
    /** True for the separator commands that action containers insert. */
    bool isSeparator() const;
    /** Shows or hides every contributed action; the proxy follows the current one. */
    void setVisible(bool visible);
    /**
     * Points the proxy at the action registered for @p context, or at the main
     * window's action when there is none. The action manager does this for
     * every command whenever the focus moves into another context.
     */
    void setCurrentContext(QWidget *context);
    /** Always true; follow activeStateChanged() for the real state. */
    bool isActive() const;
    /** Always true; attributes are accepted but have no effect. */
    bool hasAttribute(ActionAttribute attribute) const;
    /** Does nothing; attributes have no effect. */
    void setAttribute(ActionAttribute attribute);
    /** Does nothing; attributes have no effect. */
    void removeAttribute(ActionAttribute attribute);
    /** Always true. */
    bool isScriptable() const;
    /** Always true. */
    bool isScriptable(const QString &context) const;
    /** Returns an empty string; ProxyAction::stringWithAppendedShortcut() is the one that formats. */
    QString stringWithAppendedShortcut(const QString &str) const;

signals:
    /** Declared for plug-ins that listen to it; the core never emits it. Watch getAction()'s QAction::changed() instead. */
    void keySequenceChanged();
    /**
     * Emitted when the command becomes usable or stops being usable: its
     * proxy's enabled and visible state changed, or the current context
     * changed to an action with another state.
     */
    void activeStateChanged();

private slots:
    void updateActiveState();

private:
    explicit ContextAction(const QString &id);

    void addOverrideAction(QAction *action, QWidget *context, bool scriptable);
    void removeOverrideAction(QAction *action);
    void setActive(bool active);

    std::unique_ptr<ContextActionPrivate> d;
};
