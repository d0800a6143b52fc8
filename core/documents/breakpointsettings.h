#pragma once

#include "core/documents/breakpoint.h"

#include <QList>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// One breakpoint list in the settings (the caller has entered the group
// "Breakpoints"): an array whose entries hold "Value" (an integer) and
// "Enable" (a bool). Reads whatever a settings file holds.
class BreakpointSettings
{
public:
    // A layout has a handful of breakpoints; a damaged file announcing
    // millions must not stall the start or fill the memory.
    static constexpr int kMaxBreakpoints = 1000;

    static QList<Breakpoint> read(QSettings *pSettings, const QString &strArray);
    static void write(QSettings *pSettings, const QString &strArray, const QList<Breakpoint> &lstBreakpoints);
};
