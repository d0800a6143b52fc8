#pragma once

#include <QMenuBar>
#include <QWidget>

// True for a widget that holds the keyboard focus only while the user passes
// through it: the menu bar, a menu, or anything in a popup window (the
// command palette). Whoever follows the focus keeps to the widget before:
// the commands stay with its context and Undo with its text field.
inline bool holdsFocusInPassing(const QWidget *pWidget)
{
    if (!pWidget)
        return false;
    return qobject_cast<const QMenuBar *>(pWidget) || pWidget->window()->windowType() == Qt::Popup;
}
