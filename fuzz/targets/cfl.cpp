// A .cfl configuration file: one cell per line.
#include "files/CellFile.h"
#include "files/TableFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qm::Table table = qm::readConfigBytes({reinterpret_cast<const char*>(data), size});
    (void)qm::cellFileBytes(table);
    return 0;
}
