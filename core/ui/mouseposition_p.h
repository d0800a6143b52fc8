#pragma once

#include <QMouseEvent>
#include <QPoint>

// The screen position of a mouse event in whole pixels. Qt 6 gives positions
// as QPointF through globalPosition(), which Qt 5 lacks; its globalPos() is
// deprecated there and rounds the same way.
inline QPoint globalMousePos(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}
