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

ReportFile readReportBytes(std::string_view bytes)
{
    const auto lines = textLines(bytes);
    ReportFile file{{}, makeTable(reportLayout())};
    for (size_t i = 0; i < file.totals.size() && i < lines.size(); ++i)
        file.totals[i] = lines[i];
    file.table.setDataRows(rowsFromLines(lines, file.totals.size(), kReportColumns));
    return file;
}

ReportLoad loadReportFile(const std::filesystem::path& path)
{
    const FileRead read = readFileBytes(path);
    if (read.error)
        return {{{}, makeTable(reportLayout())}, read.error};
    return {readReportBytes(read.bytes), std::nullopt};
}

std::optional<std::string> saveReportFile(const std::filesystem::path& path, const ReportTotals& totals,
                                          const Table& report)
{
    return saveFileAtomically(path, reportFileBytes(totals, report));
}

} // namespace qm
