#pragma once

#include "core/actionmanager/actioncontainer.h"
#include "core/core_global.h"

#include <QPointer>
#include <QMenu>

// An action container that fills a QMenu. Other plug-ins use it through
// ActionContainer, so only the base class is exported.
class MenuActionContainer : public ActionContainer
{
    Q_OBJECT

public:
    explicit MenuActionContainer(const QString &id);

    // The overrides below would hide the public insertion overloads.
    using ActionContainer::insertAction;
    using ActionContainer::insertMenu;

    void setMenu(QMenu *menu) override;
    void setMenuBar(QMenuBar *menuBar) override;
    QMenu *getMenu() const override;
    QMenuBar *getMenuBar() const override;

protected:
    void insertAction(QAction *before, QAction *action) override;
    void insertMenu(QAction *before, QMenu *menu) override;
    void removeMenu(QMenu *menu) override;
    void removeAction(QAction *action) override;

private:
    // Not owned; guarded because whoever owns the widget may delete it first.
    QPointer<QMenu> m_pMenu;
};
