#include "core/actionmanager/menuactioncontainer.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MenuActionContainer::MenuActionContainer(const QString &id)
    : ActionContainer(id)
{
}

void MenuActionContainer::setMenu(QMenu *menu)
{
    m_pMenu = menu;
}

void MenuActionContainer::setMenuBar(QMenuBar *)
{
}

QMenu *MenuActionContainer::getMenu() const
{
    return m_pMenu.data();
}

QMenuBar *MenuActionContainer::getMenuBar() const
{
    return nullptr;
}

void MenuActionContainer::insertAction(QAction *before, QAction *action)
{
    if (m_pMenu && action)
        m_pMenu->insertAction(before, action);
}

void MenuActionContainer::insertMenu(QAction *before, QMenu *menu)
{
    if (m_pMenu && menu)
        m_pMenu->insertMenu(before, menu);
}

void MenuActionContainer::removeMenu(QMenu *menu)
{
    if (m_pMenu && menu)
        m_pMenu->removeAction(menu->menuAction());
}

void MenuActionContainer::removeAction(QAction *action)
{
    if (m_pMenu && action)
        m_pMenu->removeAction(action);
}
