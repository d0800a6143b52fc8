#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actioncontainer_p.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/icore.h"
#include "core/mainwindow.h"

#include <QAction>
#include <QMenu>

namespace {

// Makes a separator QAction owned by pParent and registers it for the main
// window under the next "Separator.<n>" of pCounter.
ContextAction *registerSeparator(QObject *pParent, int *pCounter, QAction **separator)
{
    auto *action = new QAction(pParent);
    action->setSeparator(true);
    const QString id = QStringLiteral("Separator.%1").arg((*pCounter)++);
    if (separator)
        *separator = action;
    return ActionManager::registerAction(action, id, ICore::getMainWindow(), false);
}

QAction *menuActionOf(ActionContainer *container)
{
    QMenu *menu = container ? container->getMenu() : nullptr;
    return menu ? menu->menuAction() : nullptr;
}

QAction *proxyOf(ContextAction *command)
{
    return command ? command->getAction() : nullptr;
}

} // namespace

ActionContainer::ActionContainer(const QString &)
    : QObject(nullptr)
    , d(std::make_unique<ActionContainerPrivate>())
{
}

ActionContainer::~ActionContainer() = default;

void ActionContainer::setMenu(QMenu *)
{
}

void ActionContainer::setMenuBar(QMenuBar *)
{
}

QMenu *ActionContainer::getMenu() const
{
    return nullptr;
}

QMenuBar *ActionContainer::getMenuBar() const
{
    return nullptr;
}

void ActionContainer::insertAction(QAction *, QAction *)
{
}

void ActionContainer::insertAction(ContextAction *action, ContextAction *before)
{
    if (!action)
        return;
    d->m_lstItems.append(action);
    connect(action, &ContextAction::activeStateChanged, this, &ActionContainer::scheduleUpdate);
    connect(action, &QObject::destroyed, this, &ActionContainer::itemDestroyed);
    insertAction(proxyOf(before), action->getAction());
}

void ActionContainer::insertMenu(QAction *, QMenu *)
{
}

void ActionContainer::insertMenu(ActionContainer *menu, ActionContainer *before)
{
    if (!menu)
        return;
    d->m_lstItems.append(menu);
    connect(menu, &QObject::destroyed, this, &ActionContainer::itemDestroyed);
    insertMenu(menuActionOf(before), menu->getMenu());
}

void ActionContainer::insertMenu(ActionContainer *menu, ContextAction *before)
{
    if (!menu)
        return;
    d->m_lstItems.append(menu);
    connect(menu, &QObject::destroyed, this, &ActionContainer::itemDestroyed);
    insertMenu(proxyOf(before), menu->getMenu());
}

// Separators are commands of their own, registered for the main window. They
// are not listed as items, so clear() leaves them in place.
ContextAction *ActionContainer::insertSeparator(ActionContainer *before, QAction **separator)
{
    static int s_nCounter = 0;
    ContextAction *command = registerSeparator(this, &s_nCounter, separator);
    if (command)
        insertAction(menuActionOf(before), command->getAction());
    return command;
}

ContextAction *ActionContainer::insertSeparator(ContextAction *before, QAction **separator)
{
    static int s_nCounter = 0;
    ContextAction *command = registerSeparator(this, &s_nCounter, separator);
    if (command)
        insertAction(proxyOf(before), command->getAction());
    return command;
}

void ActionContainer::removeMenu(QMenu *)
{
}

void ActionContainer::removeAction(QAction *)
{
}

void ActionContainer::clear()
{
    const QList<QObject *> items = d->m_lstItems;
    for (QObject *item : items) {
        if (auto *command = qobject_cast<ContextAction *>(item)) {
            removeAction(command->getAction());
            disconnect(command, &ContextAction::activeStateChanged, this,
                       &ActionContainer::scheduleUpdate);
            disconnect(command, &QObject::destroyed, this, &ActionContainer::itemDestroyed);
        } else if (auto *container = qobject_cast<ActionContainer *>(item)) {
            container->clear();
            disconnect(container, &QObject::destroyed, this, &ActionContainer::itemDestroyed);
            if (QMenu *menu = container->getMenu())
                removeMenu(menu);
        }
    }
    d->m_lstItems.clear();
}

ActionContainer::OnAllDisabledBehavior ActionContainer::onAllDisabledBehavior() const
{
    return d->m_onAllDisabledBehavior;
}

void ActionContainer::setOnAllDisabledBehavior(OnAllDisabledBehavior behavior)
{
    d->m_onAllDisabledBehavior = behavior;
}

void ActionContainer::scheduleUpdate()
{
}

void ActionContainer::update()
{
}

void ActionContainer::itemDestroyed()
{
    // destroyed() comes from QObject's destructor: the item can no longer be
    // cast or used, only forgotten, so a later clear() never reaches it.
    d->m_lstItems.removeAll(sender());
}
