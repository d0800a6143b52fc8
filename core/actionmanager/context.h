#pragma once

#include "core/core_global.h"

#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

// A region of the user interface that commands can be bound to: the widget
// that bounds it, its identifier and its display name. Passed by value.
struct CORE_EXPORT Context
{
    QWidget *pWidget = nullptr; // not owned
    QString strId;
    QString strName;

    // The name is for display only; two records name the same region when
    // their identifier and widget agree.
    bool operator==(const Context &other) const
    {
        return strId == other.strId && pWidget == other.pWidget;
    }
    bool operator!=(const Context &other) const { return !(*this == other); }
};
