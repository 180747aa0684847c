#include "files/CellFile.h"

#include "common/RegularFile.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{
constexpr char kEndOfFile = 0x1A;
}

LineSplitter::LineSplitter(size_t maxLines, size_t maxLineBytes) : m_maxLines(maxLines), m_maxLineBytes(maxLineBytes) {}

bool LineSplitter::feed(std::string_view bytes)
{
    constexpr std::string_view kSpecial("\r\n\x1A", 3);
    size_t at = 0;
    while (!m_stopped && at < bytes.size()) {
        const char c = bytes[at];
        if (m_afterCr) {
            m_afterCr = false;
            if (c == '\n') { // the LF of CR LF
                ++at;
                continue;
            }
        }
        if (c == kEndOfFile) {
            finish();
            m_stopped = true;
            break;
        }
        if (!m_inLine) {
            if (m_lines.size() >= m_maxLines) {
                m_tooManyLines = true;
                m_stopped = true;
                break;
            }
            m_inLine = true;
            m_current.clear();
        }
        if (c == '\r' || c == '\n') {
            m_lines.push_back(std::move(m_current));
            m_current = std::string();
            m_inLine = false;
            m_afterCr = c == '\r';
            ++at;
            continue;
        }
        // The run of ordinary bytes up to the next line break, at once.
        size_t stop = bytes.find_first_of(kSpecial, at);
        if (stop == std::string_view::npos)
            stop = bytes.size();
        const size_t room = m_maxLineBytes - m_current.size();
        if (stop - at > room) {
            m_longLine = m_lines.size() + 1;
            m_stopped = true;
            break;
        }
        m_current.append(bytes.substr(at, stop - at));
        at = stop;
    }
    return !m_stopped;
}

void LineSplitter::finish()
{
    if (!m_stopped && m_inLine) {
        m_lines.push_back(std::move(m_current));
        m_current = std::string();
        m_inLine = false;
    }
}

std::vector<std::string> textLines(std::string_view bytes)
{
    LineSplitter splitter;
    splitter.feed(bytes);
    splitter.finish();
    return std::move(splitter.lines());
}

namespace
{

// The lines a splitter kept, with the message of a file over its limits.
TableLines finishTableLines(LineSplitter& splitter, const fs::path& path, size_t headLines, size_t width,
                            size_t maxRows)
{
    splitter.finish();
    TableLines result;
    result.lines = std::move(splitter.lines());
    // Whole rows only: what stands before a line too long.
    const auto rowsIn = [&](size_t lines) { return lines > headLines ? (lines - headLines) / width : 0; };
    const std::string named = "Файл \"" + pathText(path) + "\" поврежден: ";
    if (splitter.tooManyLines()) {
        result.error = named + "в таблице может быть не больше " + std::to_string(maxRows) +
                       " строк, а в файле их больше.\r\n" + "Прочитано строк таблицы: " + std::to_string(maxRows) + ".";
    } else if (splitter.longLine() != 0) {
        const size_t rows = rowsIn(result.lines.size());
        if (result.lines.size() > headLines)
            result.lines.resize(headLines + rows * width);
        result.error = named + "его строка " + std::to_string(splitter.longLine()) + " длиннее " +
                       std::to_string(kMaxLineBytes) + " байт.\r\nПрочитано строк таблицы: " + std::to_string(rows) +
                       ".";
    }
    return result;
}

} // namespace

TableLines readTableLines(const fs::path& path, size_t headLines, int columns, size_t maxRows)
{
    const auto width = static_cast<size_t>(columns);
    LineSplitter splitter(headLines + maxRows * width, kMaxLineBytes);
    const std::error_code ec =
        readRegularFile(path, kMaxTextFileBytes, [&splitter](std::string_view piece) { return splitter.feed(piece); });
    if (ec) {
        TableLines result;
        result.error = readFailedText(path, ec);
        if (ec == FileProblem::TooLarge)
            *result.error = "Не удалось прочитать файл \"" + pathText(path) + "\":\r\nфайл больше " +
                            std::to_string(kMaxTextFileBytes >> 20) + " МБ, а файл таблицы не бывает таким большим.";
        return result;
    }
    return finishTableLines(splitter, path, headLines, width, maxRows);
}

TableLines tableLinesFromBytes(const fs::path& path, std::string_view bytes, size_t headLines, int columns,
                               size_t maxRows)
{
    const auto width = static_cast<size_t>(columns);
    LineSplitter splitter(headLines + maxRows * width, kMaxLineBytes);
    splitter.feed(bytes);
    return finishTableLines(splitter, path, headLines, width, maxRows);
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
