#pragma once
// The report file .acc: the twelve totals fields of the tab "Отчеты" (`Edit21`..`Edit32`), one
// line each, then the report table in the cell-per-line layout (8 cells per row).

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/Table.h"

namespace qm
{

inline constexpr int kReportTotals = 12;

// In file order: `Edit21` run counter (mm), `Edit22` label counter, `Edit23` date and `Edit24`
// time of the last clearing, `Edit25` sum, `Edit26` sales count, `Edit27` weight over all PLU,
// `Edit28` sum, `Edit29` sales count, `Edit30` weight in all, `Edit31` free PLU, `Edit32` free
// MSG. Code page 1251 texts.
using ReportTotals = std::array<std::string, kReportTotals>;

// Indexes of the fields in ReportTotals.
namespace totalsfield
{
inline constexpr int RunMm = 0, Labels = 1, ClearedDate = 2, ClearedTime = 3, PluSum = 4, PluCount = 5, PluWeight = 6,
                     GrandSum = 7, GrandCount = 8, GrandWeight = 9, FreePlu = 10, FreeMsg = 11;
}

struct ReportFile {
    ReportTotals totals;
    Table table;
};

std::string reportFileBytes(const ReportTotals& totals, const Table& report);

// A file shorter than 12 lines fills the fields it has and empties the others; the report table
// gets the rows after line 12 (one empty row when there are none).
ReportFile readReportBytes(std::string_view bytes);

struct ReportLoad {
    ReportFile file;
    std::optional<std::string> error; // UTF-8, for the user
};
ReportLoad loadReportFile(const std::filesystem::path& path);
std::optional<std::string> saveReportFile(const std::filesystem::path& path, const ReportTotals& totals,
                                          const Table& report);

} // namespace qm
