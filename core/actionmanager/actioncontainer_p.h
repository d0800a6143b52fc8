#pragma once

#include "core/actionmanager/actioncontainer.h"

#include <QList>
#include <QObject>

// ActionContainer's state, out of the installed header.
class ActionContainerPrivate
{
public:
    QList<QObject *> m_lstItems; // not owned
    ActionContainer::OnAllDisabledBehavior m_onAllDisabledBehavior = ActionContainer::Disable;
};
