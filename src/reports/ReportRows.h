#pragma once
// How the tab "Отчеты" shows the totals: the rows of the report table, the twelve general totals
// fields, sums and weights as common/DecimalText.h writes them, clock bytes as two-digit pairs.

#include <array>
#include <cstdint>
#include <string>

#include "common/DecimalText.h"
#include "common/Table.h"
#include "files/ReportFile.h"
#include "products/PluRecord.h"
#include "reports/ReportCodec.h"

namespace qm
{

// A packed BCD byte as two digits (0x09 "09"). A nibble above 9 is no digit: it shows as "?",
// so a damaged byte never widens its field.
std::string bcdPairText(std::uint8_t byte);

// Hours, minutes, seconds bytes: "09:05:07".
std::string clockTimeText(const std::array<std::uint8_t, 3>& hms);
// Year, month, day bytes, written day first: 0x03 0x12 0x31 gives "31.12.03".
std::string clockDateText(const std::array<std::uint8_t, 3>& ymd);

// The twelve totals fields `Edit21`..`Edit32` in file order (code page 1251 texts).
ReportTotals totalsFields(const GeneralTotals& totals);

// A row of the report table from a product record: number, both names, date and time of the
// last reset, sum, weight, count of sales.
Row reportRow(const PluRecord& record);

// A record's totals as the report shows them: sum and weight are signed 32-bit numbers on the wire.
struct ShownTotals {
    std::int64_t kopecks = 0;
    std::int64_t grams = 0;
    std::int64_t sales = 0;
};
ShownTotals shownTotals(const PluRecord& record);

} // namespace qm
