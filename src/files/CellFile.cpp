#include "files/CellFile.h"

namespace qm
{

namespace
{
constexpr char kEndOfFile = 0x1A;
}

std::vector<std::string> textLines(std::string_view bytes)
{
    const size_t end = bytes.find(kEndOfFile);
    if (end != std::string_view::npos)
        bytes = bytes.substr(0, end);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, stop - start));
        start = stop + 1;
        if (bytes[stop] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

std::vector<Row> rowsFromLines(const std::vector<std::string>& lines, size_t first, int columns)
{
    std::vector<Row> rows;
    const auto width = static_cast<size_t>(columns);
    for (size_t i = first; i < lines.size(); i += width) {
        Row row(width);
        for (size_t c = 0; c < width && i + c < lines.size(); ++c)
            row[c] = lines[i + c];
        rows.push_back(std::move(row));
    }
    return rows;
}

void appendLine(std::string& out, std::string_view text)
{
    const size_t at = out.size();
    out.append(text);
    for (size_t i = at; i < out.size(); ++i)
        if (out[i] == '\r' || out[i] == '\n' || out[i] == kEndOfFile)
            out[i] = ' ';
    out += "\r\n";
}

void appendCellLines(std::string& out, const Table& table)
{
    for (int r = 1; r < table.rowCount(); ++r)
        for (const auto& cell : table.row(r))
            appendLine(out, cell);
}

std::string cellFileBytes(const Table& table)
{
    std::string out;
    appendCellLines(out, table);
    return out;
}

Table tableFromCellFile(std::string_view bytes, const Table& emptyTable)
{
    Table table = emptyTable;
    table.setDataRows(rowsFromLines(textLines(bytes), 0, table.columnCount()));
    return table;
}

} // namespace qm
