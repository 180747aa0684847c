// ports.cfg: "COMn=DEVICE" lines.
#include "link/PortMap.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const qm::PortMap map = qm::PortMap::parse(text);
    for (int com = 1; com <= 16; ++com)
        (void)map.device(com);
    (void)qm::comNumber(text);
    return 0;
}
