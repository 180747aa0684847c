// The scale's answer to a message read: the command byte and eight lines of 50 bytes.
#include "messages/MessageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qm::Bytes answer(data, data + size);
    const qm::MessageLines lines = qm::decodeGetMsgAnswer(answer);
    (void)qm::isEmptyMessage(lines);
    return 0;
}
