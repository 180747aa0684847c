// A CSV sheet imported into the product, message or configuration table: the first byte picks
// the table, the rest is the sheet. What was read is written back as CSV.
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/CsvFile.h"
#include "messages/MessageCheck.h"
#include "products/PluCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    struct Kind {
        const qm::TableLayout& (*layout)();
        qm::RowCheck check;
    };
    static const Kind kinds[] = {{qm::productLayout, qm::productRowFailure},
                                 {qm::messageLayout, qm::messageRowFailure},
                                 {qm::configLayout, qm::configRowFailure}};
    const Kind& kind = kinds[data[0] % 3];
    static const qm::Table shapes[] = {qm::makeTable(kinds[0].layout()), qm::makeTable(kinds[1].layout()),
                                       qm::makeTable(kinds[2].layout())};
    const qm::CsvImport import =
        qm::tableFromCsv({reinterpret_cast<const char*>(data + 1), size - 1}, shapes[data[0] % 3], kind.check);
    (void)qm::csvFromTable(import.table);
    return 0;
}
