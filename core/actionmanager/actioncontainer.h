#pragma once

#include "core/core_global.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
class QMenu;
class QMenuBar;
QT_END_NAMESPACE

class ContextAction;

class ActionContainerPrivate;

/**
 * A registered menu or menu bar into which commands and submenus are inserted
 * by reference.
 *
 * Containers are made and found through the ActionManager
 * (ActionManager::createMenuContainer(), ActionManager::getActionContainer()
 * with identifiers such as "MenuBar.File"); they live until the process ends
 * unless their maker deletes them. The container owns neither its widget nor
 * its items. GUI thread only.
 */
class CORE_EXPORT ActionContainer : public QObject
{
    Q_OBJECT

public:
    /** Stored for the plug-ins that set it; the container never hides or disables its menu by itself. */
    enum OnAllDisabledBehavior {
        Disable = 0,   ///< The default; stored only.
        Hide,          ///< Stored only.
        Show           ///< Stored only.
    };

    /** Leaves the menu and the items alone; the action manager forgets the container. */
    ~ActionContainer() override;

    /** Sets the menu a menu container fills; the base class ignores it. */
    virtual void setMenu(QMenu *menu);
    /** Sets the menu bar a menu-bar container fills; the base class ignores it. */
    virtual void setMenuBar(QMenuBar *menuBar);
    /** The menu of a menu container, or nullptr. Not owned by the container. */
    virtual QMenu *getMenu() const;
    /** The menu bar of a menu-bar container, or nullptr. Not owned by the container. */
    virtual QMenuBar *getMenuBar() const;

protected:
    /** Puts @p action into the widget above @p before (at the end for nullptr); subclasses implement it. */
    virtual void insertAction(QAction *before, QAction *action);

public:
    /**
     * Inserts the command @p action (its proxy) above the command @p before,
     * or at the end when @p before is nullptr or not in the container.
     */
    virtual void insertAction(ContextAction *action, ContextAction *before = nullptr);

protected:
    /** Puts @p menu into the widget above @p before (at the end for nullptr); subclasses implement it. */
    virtual void insertMenu(QAction *before, QMenu *menu);

public:
    /** Inserts the submenu @p menu above the submenu @p before, or at the end. */
    virtual void insertMenu(ActionContainer *menu, ActionContainer *before = nullptr);
    /** Inserts the submenu @p menu above the command @p before, or at the end. */
    virtual void insertMenu(ActionContainer *menu, ContextAction *before);
    /**
     * Inserts a separator above the submenu @p before, or at the end.
     *
     * A separator is a command of its own ("Separator.<n>") registered for the
     * main window; clear() leaves it in place.
     *
     * @return the separator command; its QAction, owned by the container, is
     *         stored through @p separator when that is not nullptr
     */
    virtual ContextAction *insertSeparator(ActionContainer *before = nullptr,
                                           QAction **separator = nullptr);
    /** Inserts a separator above the command @p before, or at the end; as the overload above. */
    virtual ContextAction *insertSeparator(ContextAction *before, QAction **separator = nullptr);

protected:
    /** Takes @p menu out of the widget; subclasses implement it. */
    virtual void removeMenu(QMenu *menu);
    /** Takes @p action out of the widget; subclasses implement it. */
    virtual void removeAction(QAction *action);

public:
    /** Takes every inserted command and submenu (cleared first) out of the widget; separators stay. */
    void clear();
    /** The stored OnAllDisabledBehavior; Disable unless set. */
    OnAllDisabledBehavior onAllDisabledBehavior() const;
    /** Stores @p behavior; nothing on screen changes. */
    void setOnAllDisabledBehavior(OnAllDisabledBehavior behavior);

protected:
    /** For the action manager's menu and menu-bar containers; @p id is the identifier it registers. */
    explicit ActionContainer(const QString &id);

private slots:
    void scheduleUpdate();
    void update();
    void itemDestroyed();

private:
    std::unique_ptr<ActionContainerPrivate> d;
};
