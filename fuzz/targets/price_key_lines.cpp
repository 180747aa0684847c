// The price-key lines "KEY<TAB>CELL" that write-keys reads from a file.
#include "settings/PriceKeyLines.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    const auto cells = qm::parsePriceKeyLines(std::string(reinterpret_cast<const char*>(data), size), error);
    if (cells)
        (void)qm::formatPriceKeyLines(*cells);
    return 0;
}
