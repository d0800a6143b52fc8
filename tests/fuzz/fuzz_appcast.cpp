// The appcast reader: any answer of a server is refused or read, the
// version it names compares sanely with the running one, and a signed
// statement in it is read back exactly as it was written.
#include "fuzzsupport.h"

#include "core/updater/appcast.h"
#include "core/updater/updatestatement.h"

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QByteArray data = FuzzSupport::bytes(pData, nSize);
    UpdateStatement statement;
    if (UpdateStatement::parse(data, &statement))
        FUZZ_CHECK(statement.text() == data);
    Appcast entry;
    if (!Appcast::parse(data, QStringLiteral("windows"), &entry))
        return 0;
    const QByteArray text = entry.strStatement.toUtf8();
    if (UpdateStatement::parse(text, &statement))
        FUZZ_CHECK(statement.text() == text);
    const QString strRunning = QStringLiteral("2.0.0");
    const bool bNewer = Appcast::compareVersions(entry.strLatestVersion, strRunning);
    FUZZ_CHECK(!(bNewer && Appcast::compareVersions(strRunning, entry.strLatestVersion)));
    FUZZ_CHECK(!Appcast::compareVersions(entry.strLatestVersion, entry.strLatestVersion));
    return 0;
}
