// The program's settings file qm1_6.cfg, with the configuration rows it keeps.
#include "files/AppSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qm::AppSettings settings = qm::parseSettings({reinterpret_cast<const char*>(data), size});
    (void)qm::serializeSettings(settings);
    return 0;
}
