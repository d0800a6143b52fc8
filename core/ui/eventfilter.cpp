#include "core/ui/eventfilter.h"

#include <QEvent>

EventFilter::EventFilter(QObject *parent)
    : QObject(parent)
{
}

bool EventFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        emit activationChangeFiltered();
        // Observed only: the receiver still needs the event.
        return false;
    }
    return QObject::eventFilter(watched, event);
}
