#pragma once
// The cell-per-line table file shared by .pl6, .msg, .cfl and .acc files and by the configuration
// rows kept in the settings file: one line per cell, rows 1..last, columns in order, each line
// ended by CR LF, code page 1251, no header, count or trailer.

#include <string>
#include <string_view>
#include <vector>

#include "common/Table.h"

namespace qm
{

// The lines of a text file. A byte 0x1A ends the file (the line it stands in ends there). Lines
// end with CR LF; a lone LF or CR also ends a line, so files edited elsewhere still read. A last
// line without its line break still counts; nothing after the last line break is no line.
std::vector<std::string> textLines(std::string_view bytes);

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
