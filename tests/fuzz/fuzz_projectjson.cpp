// The .zelto project file reader: any bytes are refused with a message or
// read; what was read is written and read again to the same project.
#include "fuzzsupport.h"

#include "sceneproject.h"

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    SceneProject project;
    QString strError;
    int nFormat = 0;
    if (!project.fromJson(FuzzSupport::bytes(pData, nSize), &strError, &nFormat)) {
        FUZZ_CHECK(!strError.isEmpty());
        return 0;
    }
    FUZZ_CHECK(nFormat >= 1 && nFormat <= SceneProject::s_nFormatVersion);
    FUZZ_CHECK(!project.m_lstScenes.isEmpty());

    const QByteArray written = project.toJson();
    SceneProject again;
    FUZZ_CHECK(again.fromJson(written, &strError, &nFormat));
    FUZZ_CHECK(nFormat == SceneProject::s_nFormatVersion);
    FUZZ_CHECK(again.toJson() == written);
    return 0;
}
