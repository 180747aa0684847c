#pragma once
// The product, message and configuration tables as CSV files, the exchange with spreadsheets
// and accounting systems. One function a direction, shared by the window and the command line:
// saveCsvFile and loadCsvFile; below them the pure functions over bytes.
//
// Written: what Russian spreadsheets open with a double click. UTF-8 with its byte-order mark,
// ";" between fields, CR LF after every record, RFC 4180 quoting; a first record with the
// table's header texts without their blanks, then every data row, cells exactly as they stand.
//
// Read: what spreadsheets and accounting systems write. ";", "," or tab (detected from the first
// record), UTF-8 with or without its mark, UTF-16 with its mark, or code page 1251; an optional
// header record. The first record is a header when one of its fields, without blanks and
// letter case aside, is a column's header text: then columns are taken by header text (other
// columns are left out, missing ones stay empty); else fields fill the columns in order. Empty
// records (blank lines, lines of separators) are left out but counted, so a problem names the
// record's place in the sheet.

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Failure.h"
#include "common/Table.h"

namespace qm
{

// A table's own row check (products, messages, configuration): the failure of a data row with
// the column it names, or nullopt when the row passes.
using RowCheck = std::optional<Failure> (*)(const Table& table, int row);

std::string csvFromTable(const Table& table);

struct CsvProblem {
    int row;          // data record of the file, from 1; a header record is not counted
    int column;       // column of the table; -1 for the record as a whole
    std::string text; // UTF-8
};

struct CsvImport {
    Table table;                      // the file's rows; one empty data row for none
    std::vector<CsvProblem> problems; // in file order; the table is the file's only without any
};

// `shape`: the table's headers (its data rows are not used). Every record is looked at: a
// character that code page 1251 cannot hold, a line break inside a cell and a field that has
// no column are problems of their cell or record, and every row that `check` refuses is one too.
CsvImport tableFromCsv(std::string_view bytes, const Table& shape, RowCheck check);

// The problems for the person: a heading with the number of wrong records, then one line a
// problem, "Строка 3, столбец \"Цена,коп.\": Неправильно задана цена товара.", at most `limit`
// of them and then how many were left out. Lines end in "\r\n".
std::string csvProblemReport(const std::filesystem::path& file, const std::vector<CsvProblem>& problems,
                             const Table& shape, size_t limit = std::numeric_limits<size_t>::max());

// Saved atomically; nullopt on success, else the message for the user.
std::optional<std::string> saveCsvFile(const std::filesystem::path& path, const Table& table);

struct CsvLoad {
    Table table;
    std::optional<std::string> error; // the file could not be read
    std::vector<CsvProblem> problems;

    bool ok() const { return !error && problems.empty(); }
};
CsvLoad loadCsvFile(const std::filesystem::path& path, const Table& shape, RowCheck check);

} // namespace qm
