#include "core/welcome/bridgelogthrottle_p.h"

#include "core/welcome/welcomelogging_p.h"

#include <QElapsedTimer>

#include <algorithm>

bool BridgeLogThrottle::allow()
{
    qint64 nHeldBack = 0;
    if (!take(&nHeldBack))
        return false;
    if (nHeldBack > 0)
        qCWarning(lcWelcome, "%s", qUtf8Printable(heldBackLine(nHeldBack)));
    return true;
}

bool BridgeLogThrottle::take(qint64 *pHeldBack)
{
    static QElapsedTimer s_refill;
    static qint64 s_nAvailable = kBurst;
    static qint64 s_nHeldBack = 0;

    if (!s_refill.isValid()) {
        s_refill.start();
    } else {
        const qint64 nSeconds = s_refill.elapsed() / 1000;
        if (nSeconds > 0) {
            s_nAvailable = std::min<qint64>(kBurst, s_nAvailable + nSeconds);
            s_refill.restart();
        }
    }
    if (s_nAvailable == 0) {
        ++s_nHeldBack;
        return false;
    }
    --s_nAvailable;
    *pHeldBack += s_nHeldBack;
    s_nHeldBack = 0;
    return true;
}

QString BridgeLogThrottle::heldBackLine(qint64 nHeldBack)
{
    return QStringLiteral("%1 more lines about refused or malformed bridge input were not logged.").arg(nHeldBack);
}

QString BridgeLogThrottle::excerpt(const QString &text)
{
    if (text.size() <= kMaxQuoted)
        return text;
    return text.left(kMaxQuoted) + QLatin1String("...");
}
