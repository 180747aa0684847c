// The scale's answer to a logo read: the command byte and 512 packed bytes (shorter answers too).
#include "logo/LogoCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qm::LogoPicture picture = qm::decodeGetLogoAnswer(qm::Bytes(data, data + size));
    (void)qm::packLogo(picture);
    return 0;
}
