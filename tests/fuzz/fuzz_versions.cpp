// The version comparison: three versions from the input (one per line) must
// be ordered as versions are, strictly and consistently, or an update check
// could offer an older version or offer the same one forever.
#include "fuzzsupport.h"

#include "core/updater/appcast.h"

FUZZ_INITIALIZE()

namespace {

bool newer(const QString &x, const QString &y)
{
    return Appcast::compareVersions(x, y);
}

bool equallyNew(const QString &x, const QString &y)
{
    return !newer(x, y) && !newer(y, x);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QStringList lstLines = QString::fromUtf8(FuzzSupport::bytes(pData, nSize)).split(QLatin1Char('\n'));
    const QString a = lstLines.value(0);
    const QString b = lstLines.value(1);
    const QString c = lstLines.value(2);

    FUZZ_CHECK(!newer(a, a));
    FUZZ_CHECK(!(newer(a, b) && newer(b, a)));
    if (newer(a, b) && newer(b, c))
        FUZZ_CHECK(newer(a, c));
    // Equally new versions are interchangeable.
    if (equallyNew(a, b)) {
        FUZZ_CHECK(newer(a, c) == newer(b, c));
        FUZZ_CHECK(newer(c, a) == newer(c, b));
    }
    return 0;
}
