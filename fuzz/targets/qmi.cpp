// A .qmi logo file: the loader lets only 512 bytes through, which are unpacked into dots.
#include "logo/LogoCodec.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != qm::kLogoPackedSize)
        return 0;
    const qm::LogoPicture picture = qm::logoFromFileBytes(std::string(reinterpret_cast<const char*>(data), size));
    (void)qm::logoFileBytes(picture);
    return 0;
}
