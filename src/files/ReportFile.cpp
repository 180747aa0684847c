#include "files/ReportFile.h"

#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/FileIo.h"

namespace qm
{

std::string reportFileBytes(const ReportTotals& totals, const Table& report)
{
    std::string out;
    for (const auto& field : totals)
        appendLine(out, field);
    appendCellLines(out, report);
    return out;
}

namespace
{
ReportFile reportFromLines(const std::vector<std::string>& lines)
{
    ReportFile file{{}, makeTable(reportLayout())};
    for (size_t i = 0; i < file.totals.size() && i < lines.size(); ++i)
        file.totals[i] = lines[i];
    file.table.setDataRows(rowsFromLines(lines, file.totals.size(), kReportColumns));
    return file;
}
} // namespace

ReportFile readReportBytes(std::string_view bytes)
{
    return reportFromLines(textLines(bytes));
}

ReportLoad loadReportFile(const std::filesystem::path& path)
{
    TableLines read = readTableLines(path, kReportTotals, kReportColumns, static_cast<size_t>(reportLayout().maxRows));
    return {reportFromLines(read.lines), std::move(read.error)};
}

std::optional<std::string> saveReportFile(const std::filesystem::path& path, const ReportTotals& totals,
                                          const Table& report)
{
    return saveFileAtomically(path, reportFileBytes(totals, report));
}

} // namespace qm
