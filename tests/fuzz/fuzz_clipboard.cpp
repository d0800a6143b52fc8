// Scene items on the clipboard: the bytes another program, or another copy
// of the application, put there under the items' MIME type. They are read,
// pasted into a project and copied again, all in memory.
#include "fuzzsupport.h"

#include "sceneclipboard.h"

#include <QMimeData>

#include <memory>

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QByteArray data = FuzzSupport::bytes(pData, nSize);
    SceneProject items;
    QString strError;
    if (!SceneClipboard::read(data, &items, &strError)) {
        FUZZ_CHECK(!strError.isEmpty());
        return 0;
    }
    // What was read pastes whole, into a project that saves and reads again
    // (the pasted places stay in range, the scene holds the keyframes) ...
    SceneProject project;
    const QStringList lstIds = SceneClipboard::paste(&project, 0, items, 10);
    FUZZ_CHECK(lstIds.size() == items.m_lstScenes.constFirst().lstItems.size());
    SceneProject saved;
    FUZZ_CHECK(saved.fromJson(project.toJson(), &strError));
    FUZZ_CHECK(saved.m_lstScenes == project.m_lstScenes);
    // ... and copies back to the clipboard as items that read again.
    const std::unique_ptr<QMimeData> pCopy(SceneClipboard::mimeData(project, 0, lstIds));
    SceneProject copied;
    FUZZ_CHECK(SceneClipboard::read(pCopy.get(), &copied, &strError));
    FUZZ_CHECK(copied.m_lstScenes.constFirst().lstItems.size() == lstIds.size());
    return 0;
}
