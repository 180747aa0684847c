// An .acc report file: the twelve totals lines, then the report table.
#include "files/ReportFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qm::ReportFile file = qm::readReportBytes({reinterpret_cast<const char*>(data), size});
    (void)qm::reportFileBytes(file.totals, file.table);
    return 0;
}
