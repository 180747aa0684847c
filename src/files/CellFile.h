#pragma once
// The cell-per-line table file shared by .pl6, .msg, .cfl and .acc files and by the configuration
// rows kept in the settings file: one line per cell, rows 1..last, columns in order, each line
// ended by CR LF, code page 1251, no header, count or trailer.

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Table.h"

namespace qm
{

// What one line of a table file or of the settings file may hold: a cell, a font or shop name, a
// full file name (PATH_MAX). A longer line is no line of such a file.
inline constexpr size_t kMaxLineBytes = 4096;
// The bytes a table, report or settings file may have at all. The largest valid product file is
// about 0.6 MB; a configuration with full file names in every possible row stays below this.
inline constexpr size_t kMaxTextFileBytes = size_t{16} << 20;

// The lines of a text file. A byte 0x1A ends the file (the line it stands in ends there). Lines
// end with CR LF; a lone LF or CR also ends a line, so files edited elsewhere still read. A last
// line without its line break still counts; nothing after the last line break is no line.
std::vector<std::string> textLines(std::string_view bytes);

// textLines over bytes that come in pieces, keeping only what the limits allow: the reading
// stops (feed returns false) at the byte 0x1A, at the first byte of a line past `maxLines`, and
// at the byte that makes a line longer than `maxLineBytes`. Only complete lines are kept.
class LineSplitter
{
  public:
    explicit LineSplitter(size_t maxLines = std::numeric_limits<size_t>::max(),
                          size_t maxLineBytes = std::numeric_limits<size_t>::max());
    bool feed(std::string_view bytes);
    // After the last piece: a last line without its line break counts.
    void finish();

    std::vector<std::string>& lines() { return m_lines; }
    bool tooManyLines() const { return m_tooManyLines; }
    size_t longLine() const { return m_longLine; } // number (from 1) of the line too long, or 0

  private:
    std::vector<std::string> m_lines;
    std::string m_current;
    size_t m_maxLines;
    size_t m_maxLineBytes;
    bool m_inLine = false;
    bool m_afterCr = false;
    bool m_stopped = false;
    bool m_tooManyLines = false;
    size_t m_longLine = 0;
};

struct TableLines {
    std::vector<std::string> lines;
    std::optional<std::string> error; // UTF-8, for the user
};

// The lines of a table file read from disk within its limits: `headLines` lines of its own, then
// at most `maxRows` rows of `columns` lines, no line longer than kMaxLineBytes, no more than
// kMaxTextFileBytes bytes. A file with more rows gives its first `maxRows` rows and says so; a
// line too long gives the rows before it and names it; a file that cannot be read (not a
// regular file, too large) gives no lines. Memory stays within what the lines kept hold.
TableLines readTableLines(const std::filesystem::path& path, size_t headLines, int columns, size_t maxRows);
// The same over bytes already read; `path` names the file in the message.
TableLines tableLinesFromBytes(const std::filesystem::path& path, std::string_view bytes, size_t headLines, int columns,
                               size_t maxRows);

// Rows of `columns` cells from lines[first..]: the cells of a row take the next lines in turn, a
// line missing at the end leaves an empty cell, and a new row starts only while lines remain. No
// line gives no row.
std::vector<Row> rowsFromLines(const std::vector<std::string>& lines, size_t first, int columns);

// The table's data rows as cell-per-line bytes appended to `out`. A CR, LF or 0x1A inside a cell
// (a name read from a scale may hold any byte) is written as a blank: one of them would shift
// every following cell of the file by a line.
void appendCellLines(std::string& out, const Table& table);
void appendLine(std::string& out, std::string_view text);

// Whole-table helpers: the bytes of the table's data rows, and a table of the given headers
// filled from bytes (one empty data row for an empty file).
std::string cellFileBytes(const Table& table);
Table tableFromCellFile(std::string_view bytes, const Table& emptyTable);

} // namespace qm
