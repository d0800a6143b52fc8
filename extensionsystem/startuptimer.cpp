#include "extensionsystem/startuptimer.h"

#include <QElapsedTimer>

namespace ExtensionSystem {

Q_LOGGING_CATEGORY(lcStartup, "zelto.startup", QtInfoMsg)

namespace {

QElapsedTimer s_timer;
qint64 s_nLastMarkNs = 0;

} // namespace

const QLoggingCategory &startupLog()
{
    return lcStartup();
}

void StartupTimer::start()
{
    s_timer.start();
    s_nLastMarkNs = 0;
}

double StartupTimer::elapsedMs()
{
    return s_timer.isValid() ? double(s_timer.nsecsElapsed()) / 1e6 : 0.0;
}

void StartupTimer::mark(const char *step)
{
    if (!lcStartup().isDebugEnabled() || !s_timer.isValid())
        return;
    const qint64 nNowNs = s_timer.nsecsElapsed();
    qCDebug(lcStartup, "%s: at %.1f ms, took %.1f ms", step, double(nNowNs) / 1e6,
            double(nNowNs - s_nLastMarkNs) / 1e6);
    s_nLastMarkNs = nNowNs;
}

} // namespace ExtensionSystem
