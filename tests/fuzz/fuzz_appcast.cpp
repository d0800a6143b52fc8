// The appcast reader: any answer of a server is refused or read, and the
// version it names compares sanely with the running one.
#include "fuzzsupport.h"

#include "core/updater/appcast.h"

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    Appcast entry;
    if (!Appcast::parse(FuzzSupport::bytes(pData, nSize), QStringLiteral("windows"), &entry))
        return 0;
    const QString strRunning = QStringLiteral("2.0.0");
    const bool bNewer = Appcast::compareVersions(entry.strLatestVersion, strRunning);
    FUZZ_CHECK(!(bNewer && Appcast::compareVersions(strRunning, entry.strLatestVersion)));
    FUZZ_CHECK(!Appcast::compareVersions(entry.strLatestVersion, entry.strLatestVersion));
    return 0;
}
