#include "core/actionmanager/menubaractioncontainer.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MenuBarActionContainer::MenuBarActionContainer(const QString &id)
    : ActionContainer(id)
{
}

void MenuBarActionContainer::setMenu(QMenu *)
{
}

void MenuBarActionContainer::setMenuBar(QMenuBar *menuBar)
{
    m_pMenuBar = menuBar;
}

QMenu *MenuBarActionContainer::getMenu() const
{
    return nullptr;
}

QMenuBar *MenuBarActionContainer::getMenuBar() const
{
    return m_pMenuBar.data();
}

void MenuBarActionContainer::insertAction(QAction *before, QAction *action)
{
    if (m_pMenuBar && action)
        m_pMenuBar->insertAction(before, action);
}

void MenuBarActionContainer::insertMenu(QAction *before, QMenu *menu)
{
    if (m_pMenuBar && menu)
        m_pMenuBar->insertMenu(before, menu);
}

void MenuBarActionContainer::removeMenu(QMenu *menu)
{
    if (m_pMenuBar && menu)
        m_pMenuBar->removeAction(menu->menuAction());
}

void MenuBarActionContainer::removeAction(QAction *action)
{
    if (m_pMenuBar && action)
        m_pMenuBar->removeAction(action);
}
