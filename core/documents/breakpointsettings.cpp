#include "core/documents/breakpointsettings.h"

#include <QSettings>

static const char kKeyValue[] = "Value";
static const char kKeyEnable[] = "Enable";

QList<Breakpoint> BreakpointSettings::read(QSettings *pSettings, const QString &strArray)
{
    QList<Breakpoint> lstBreakpoints;
    const int nSize = pSettings->beginReadArray(strArray);
    if (nSize > kMaxBreakpoints)
        qWarning("Reading only the first %d of the %d breakpoints in the settings.", kMaxBreakpoints, nSize);
    for (int i = 0; i < qMin(nSize, kMaxBreakpoints); ++i) {
        pSettings->setArrayIndex(i);
        const bool bEnable = pSettings->value(QLatin1String(kKeyEnable)).toBool();
        const int nValue = pSettings->value(QLatin1String(kKeyValue)).toInt();
        lstBreakpoints.append(Breakpoint(nValue, bEnable));
    }
    pSettings->endArray();
    return lstBreakpoints;
}

void BreakpointSettings::write(QSettings *pSettings, const QString &strArray, const QList<Breakpoint> &lstBreakpoints)
{
    pSettings->beginWriteArray(strArray);
    for (int i = 0; i < lstBreakpoints.size(); ++i) {
        pSettings->setArrayIndex(i);
        pSettings->setValue(QLatin1String(kKeyValue), lstBreakpoints.at(i).first);
        pSettings->setValue(QLatin1String(kKeyEnable), lstBreakpoints.at(i).second);
    }
    pSettings->endArray();
}
