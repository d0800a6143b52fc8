// Text frames of the web channel. A frame the transport accepts is an object
// that the reply writer writes as text that is read back to the same object. Leak detection is a
// check of its own here: a repeated key the scanner misses makes Qt's JSON
// reader leak.
#include "fuzzsupport.h"

#include "core/welcome/compactjsonwriter.h"
#include "core/welcome/jsonkeyscanner.h"
#include "core/welcome/webchannelframe.h"

FUZZ_INITIALIZE()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    // The socket hands the transport text decoded from UTF-8.
    const QString strFrame = QString::fromUtf8(FuzzSupport::bytes(pData, nSize));
    QJsonObject message;
    QString strError;
    const WebChannelFrame::Status status = WebChannelFrame::decode(strFrame, &message, &strError);
    if (status == WebChannelFrame::NotJson)
        FUZZ_CHECK(!strError.isEmpty());
    if (status != WebChannelFrame::Message)
        return 0;

    const QString strWritten = CompactJsonWriter::toJson(message);
    FUZZ_CHECK(!JsonKeyScanner::hasRepeatedKey(strWritten.toUtf8()));
    QJsonObject again;
    FUZZ_CHECK(WebChannelFrame::decode(strWritten, &again, &strError) == WebChannelFrame::Message);
    // From the second reading on the object stays the same. The first may
    // differ: whole numbers beyond 2^53 are written as doubles, as Qt's own
    // writer writes them (no JavaScript client can tell them apart).
    QJsonObject third;
    FUZZ_CHECK(WebChannelFrame::decode(CompactJsonWriter::toJson(again), &third, &strError)
               == WebChannelFrame::Message);
    FUZZ_CHECK(third == again);
    return 0;
}
