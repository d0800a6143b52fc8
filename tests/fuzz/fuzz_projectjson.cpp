// The .zelto project file reader: any bytes are refused with a message or
// read; what was read is written and read again to the same project. The
// same bytes go to the check of the images beside a project, which reads
// the size an image declares without decoding it.
#include "fuzzsupport.h"

#include "sceneproject.h"

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QByteArray data = FuzzSupport::bytes(pData, nSize);
    SceneProject::imageSizeProblem(data);

    SceneProject project;
    QString strError;
    int nFormat = 0;
    if (!project.fromJson(data, &strError, &nFormat)) {
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
