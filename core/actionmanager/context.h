#pragma once

#include "core/core_global.h"

#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

/**
 * A region of the user interface that commands can be bound to: the widget
 * that bounds it, its identifier and its display name. Passed by value; see
 * ContextManager.
 */
struct CORE_EXPORT Context
{
    QWidget *pWidget = nullptr; ///< The widget that bounds the region; not owned.
    QString strId;              ///< The identifier, such as "Scene.Editor"; "Global" for the main window's context.
    QString strName;            ///< The display name.

    /**
     * The name is for display only; two records name the same region when
     * their identifier and widget agree.
     */
    bool operator==(const Context &other) const
    {
        return strId == other.strId && pWidget == other.pWidget;
    }
    /** The opposite of operator==(). */
    bool operator!=(const Context &other) const { return !(*this == other); }
};
