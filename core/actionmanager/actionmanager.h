#pragma once

#include "core/core_global.h"

#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QSettings;
class QWidget;
QT_END_NAMESPACE

class ActionContainer;
class ContextAction;
class MainWindow;

/**
 * The process-wide registry of commands (ContextAction) and menu containers
 * (ActionContainer), keyed by identifier.
 *
 * Identifiers are dotted plain strings that are never translated
 * ("File.New", "MenuBar.Help"). The manager routes every command to the
 * current context and keeps the user's shortcuts in the settings group
 * "Shortcuts" (command identifier = shortcut in portable text).
 *
 * The main window creates the one object before any plug-in is initialised;
 * it lives until the process ends. GUI thread only.
 */
class CORE_EXPORT ActionManager : public QObject
{
    Q_OBJECT
    friend class MainWindow;

public:
    /** Frees the registry; commands and containers are not deleted. Only the main window's teardown destroys the manager. */
    ~ActionManager() override;

    /** The registry object, or nullptr before the main window created it. Connect to its signals through it. */
    static ActionManager *getInstance();
    /** Takes the host's user settings for the shortcuts; the main window calls it. */
    static void initialize();
    /** Reads and writes the shortcuts in @p settings instead; not owned. */
    static void setSettings(QSettings *settings);

    /**
     * Registers @p action as the command @p id for the widget @p context.
     *
     * The first registration of @p id creates the command: its proxy takes
     * @p action's text and icon, its shortcut is the user's saved one (set the
     * default with ContextAction::setDefaultKeySequence() afterwards), and it
     * is added to the main window so the shortcut works anywhere in the
     * application. Later registrations add actions for other contexts; a
     * second action for the same context is ignored.
     *
     * Register @p context with the ContextManager, or pass the main window for
     * a command that works wherever the focus is. @p action stays yours;
     * unregister it with unregisterAction() before deleting it. @p scriptable
     * has no effect.
     *
     * The returned object belongs to the registry and lives as long as an
     * action is registered for it; callers never delete it.
     *
     * @return the command
     */
    static ContextAction *registerAction(QAction *action, const QString &id, QWidget *context,
                                         bool scriptable = false);
    /**
     * Removes @p action from the command @p id, in whatever contexts it was
     * registered; the command is destroyed with its last action. An @p id that
     * is not registered is ignored. @p context is not consulted.
     */
    static void unregisterAction(QAction *action, const QString &id,
                                 const QString &context = QString());
    /** The command registered as @p id, or nullptr. */
    static ContextAction *getAction(const QString &id);
    /** Every command, in identifier order. */
    static QList<ContextAction *> getActions();

    /** The container registered as @p id, or nullptr. */
    static ActionContainer *getActionContainer(const QString &id);
    /**
     * The menu container @p id, created with a new QMenu titled @p title when
     * it does not exist yet (else @p title is ignored). Insert it into another
     * container with ActionContainer::insertMenu(). The container and its menu
     * live until the process ends.
     */
    static ActionContainer *createMenuContainer(const QString &title, const QString &id);
    /** The menu-bar container @p id, created with a new QMenuBar when it does not exist yet. */
    static ActionContainer *createMenuBarContainer(const QString &id);

    /**
     * Points every command at its action for the context widget @p widget (or
     * the main window's). The main window calls it whenever the focus moves
     * into another context; call it yourself when the focus is already inside
     * a context you just registered.
     */
    static void setContext(QWidget *widget);
    /**
     * The context widget the commands follow now, as last given to
     * setContext(); nullptr before the first. Opening a menu leaves it as it
     * was, so it still names where the user works.
     */
    static QWidget *getContext();

    /**
     * Applies the shortcuts saved in the group "Shortcuts". A command whose
     * key is absent gets its default; a key saved empty means the user cleared
     * the shortcut, so the command gets none.
     */
    static void readFromSettings();
    /**
     * Writes every command's shortcut into the group "Shortcuts". A shortcut
     * the user cleared is written as an empty value, so the default does not
     * come back at the next start.
     */
    static void saveSettings();
    /** Gives every command its default shortcut; the settings are not touched. */
    static void resetToDefault();

signals:
    /** A command was registered, or an action was unregistered from one. */
    void commandListChanged();
    /** An action was registered for the command @p strId; emitted right after commandListChanged(), also for an identifier known already. */
    void commandAdded(const QString &strId);

private:
    ActionManager();
    static void applySavedShortcut(QSettings *settings, ContextAction *command);
};
