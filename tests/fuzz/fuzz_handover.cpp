// The hand-over socket's message decoder. A complete message encodes back to
// the same bytes, each of its beginnings is incomplete, and a malformed one
// stays malformed whatever follows.
#include "fuzzsupport.h"

#include "extensionsystem/handovermessage.h"

FUZZ_INITIALIZE()

using ExtensionSystem::HandOverMessage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QByteArray data = FuzzSupport::bytes(pData, nSize);
    const HandOverMessage message = HandOverMessage::decode(data);
    switch (message.status()) {
    case HandOverMessage::Incomplete:
        FUZZ_CHECK(message.arguments().isEmpty() && message.options().isEmpty());
        break;
    case HandOverMessage::Malformed:
        FUZZ_CHECK(!message.errorString().isEmpty());
        FUZZ_CHECK(HandOverMessage::decode(data + QByteArray(8, '\0')).status() == HandOverMessage::Malformed);
        break;
    case HandOverMessage::Complete: {
        const QByteArray encoded =
            HandOverMessage::encode(message.options(), message.workingDirectory(), message.arguments());
        FUZZ_CHECK(data.startsWith(encoded));
        FUZZ_CHECK(HandOverMessage::decode(encoded.left(encoded.size() / 2)).status() == HandOverMessage::Incomplete);
        const HandOverMessage again = HandOverMessage::decode(encoded);
        FUZZ_CHECK(again.status() == HandOverMessage::Complete);
        FUZZ_CHECK(again.options() == message.options() && again.arguments() == message.arguments()
                   && again.workingDirectory() == message.workingDirectory());
        break;
    }
    }
    return 0;
}
