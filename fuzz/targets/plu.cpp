// An older .plu product file of fixed records; the logo chooser's index comes from the first byte.
#include "files/PluFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int logoIndex = static_cast<int>(data[0] % 4) - 1; // -1..2 as the chooser holds it
    const qm::PluRead read = qm::readPluBytes({reinterpret_cast<const char*>(data + 1), size - 1}, logoIndex);
    (void)qm::pluLosses(read.table);
    (void)qm::pluFileBytes(read.table);
    return 0;
}
