// The .zeltopack reader: the tar archive and the project in it. Archives are
// only ever read in memory, so the target writes nothing either.
#include "fuzzsupport.h"

#include "projectfile.h"
#include "sceneproject.h"
#include "tararchive.h"

FUZZ_INITIALIZE()

namespace {

// Entries the writer can hold: names of 1 to 99 bytes.
bool writable(const QList<TarArchive::Entry> &lstEntries)
{
    for (const TarArchive::Entry &entry : lstEntries) {
        const int nLength = entry.first.toUtf8().size();
        if (nLength == 0 || nLength > 99)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QByteArray data = FuzzSupport::bytes(pData, nSize);
    QString strError;

    QList<TarArchive::Entry> lstEntries;
    if (TarArchive::read(data, &lstEntries, &strError) && writable(lstEntries)) {
        QList<TarArchive::Entry> lstAgain;
        FUZZ_CHECK(TarArchive::read(TarArchive::write(lstEntries), &lstAgain, &strError));
        FUZZ_CHECK(lstAgain == lstEntries);
    }

    SceneProject project;
    if (!project.fromPack(data, &strError)) {
        FUZZ_CHECK(!strError.isEmpty());
        return 0;
    }
    // Images beyond the limits are never kept, so never written again either.
    for (const QByteArray &image : qAsConst(project.m_mapImages))
        FUZZ_CHECK(image.size() <= ProjectFile::s_nMaxImageSize && SceneProject::imageSizeProblem(image).isEmpty());
    const QByteArray packed = project.toPack(&strError);
    FUZZ_CHECK(!packed.isEmpty());
    SceneProject again;
    FUZZ_CHECK(again.fromPack(packed, &strError));
    FUZZ_CHECK(again.toJson() == project.toJson());
    for (const QString &strImage : project.imagesInUse())
        FUZZ_CHECK(again.m_mapImages.value(strImage) == project.m_mapImages.value(strImage));
    return 0;
}
