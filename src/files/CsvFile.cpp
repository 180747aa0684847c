#include "files/CsvFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CsvText.h"
#include "files/FileIo.h"

namespace qm
{

namespace
{

constexpr char kSeparator = ';';
constexpr char kEndOfFile = 0x1A;

namespace problem
{
const char* const kLineBreak = "Перенос строки внутри ячейки: в ячейке таблицы его быть не может.";
const char* const kNotUtf8 = "В ячейке есть байты, которые не являются текстом UTF-8.";
const char* const kOpenQuote = "Кавычка, открытая в этой строке, не закрыта до конца файла.";
} // namespace problem

std::string_view withoutBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string hexCode(char32_t ch)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
    return code;
}

std::string refusedCharacter(char32_t ch)
{
    if (ch == static_cast<char32_t>(kEndOfFile))
        return "Символ " + hexCode(ch) + " нельзя записать в ячейку таблицы.";
    std::string shown;
    if (ch >= 0x20 && !(ch >= 0x7F && ch < 0xA0)) {
        shown = "\"";
        appendUtf8(shown, ch);
        shown += "\" ";
    }
    return "Символ " + shown + "(" + hexCode(ch) + ") нельзя записать в таблицу: его нет в кодовой странице 1251.";
}

// The field as a cell in code page 1251, or the reason it cannot be one.
std::optional<std::string> toCell(const std::string& field, TextEncoding encoding, std::string& cell)
{
    if (encoding == TextEncoding::Cp1251) {
        for (const char c : field) {
            if (c == '\r' || c == '\n')
                return std::string(problem::kLineBreak);
            if (c == kEndOfFile)
                return refusedCharacter(static_cast<char32_t>(c));
        }
        cell = field;
        return std::nullopt;
    }
    cell.clear();
    cell.reserve(field.size());
    for (size_t i = 0; i < field.size();) {
        const auto ch = decodeUtf8(field, i);
        if (!ch)
            return std::string(problem::kNotUtf8);
        if (*ch == '\r' || *ch == '\n')
            return std::string(problem::kLineBreak);
        const auto byte = unicodeToCp1251(*ch);
        if (!byte || *ch == static_cast<char32_t>(kEndOfFile))
            return refusedCharacter(*ch);
        cell += static_cast<char>(*byte);
    }
    return std::nullopt;
}

char32_t lowerLetter(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c >= 0x0410 && c <= 0x042F) // А..Я
        return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F) // Ѐ..Џ, Ё among them
        return c + 0x50;
    if (c == 0x0490) // Ґ
        return 0x0491;
    return c;
}

// A header text as it is compared: without its blanks, in small letters, UTF-8.
std::string headerKey(std::string_view text, TextEncoding encoding)
{
    text = withoutBlanks(text);
    std::string key;
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0xFFFD;
        if (encoding == TextEncoding::Cp1251)
            c = cp1251ToUnicode(static_cast<std::uint8_t>(text[i++]));
        else if (const auto decoded = decodeUtf8(text, i))
            c = *decoded;
        appendUtf8(key, lowerLetter(c));
    }
    return key;
}

// For a header record: the table column of each field (-1 for a column the table does not
// have); nullopt when no field names a column, so that the record is data.
std::optional<std::vector<int>> headerColumns(const CsvRecord& record, TextEncoding encoding, const Table& shape)
{
    std::vector<std::string> titles;
    for (const auto& header : shape.headers())
        titles.push_back(headerKey(header, TextEncoding::Cp1251));
    std::vector<bool> taken(titles.size(), false);
    std::vector<int> columns(record.fields.size(), -1);
    bool any = false;
    for (size_t f = 0; f < record.fields.size(); ++f) {
        const std::string key = headerKey(record.fields[f], encoding);
        for (size_t c = 0; c < titles.size(); ++c) {
            // The first field of a title wins; a repeated one is a column the table does not have.
            if (!taken[c] && !key.empty() && key == titles[c]) {
                columns[f] = static_cast<int>(c);
                taken[c] = true;
                any = true;
                break;
            }
        }
    }
    if (!any)
        return std::nullopt;
    return columns;
}

bool allEmpty(const CsvRecord& record)
{
    return std::all_of(record.fields.begin(), record.fields.end(), [](const std::string& f) { return f.empty(); });
}

// Without a header the fields fill the columns in order; fields past the last column are
// tolerated only while empty (a sheet's trailing separators).
std::optional<std::string> extraFields(const CsvRecord& record, int columns)
{
    size_t used = record.fields.size();
    while (used > 0 && record.fields[used - 1].empty())
        --used;
    if (used <= static_cast<size_t>(columns))
        return std::nullopt;
    return "Лишние поля: в таблице столбцов " + std::to_string(columns) + ", а в строке " + std::to_string(used) + ".";
}

std::string titleOf(const Table& shape, int column)
{
    return cp1251ToUtf8(withoutBlanks(shape.cell(0, column)));
}

} // namespace

std::string csvFromTable(const Table& table)
{
    std::string out = "\xEF\xBB\xBF";
    out.reserve(static_cast<size_t>(table.rowCount()) * static_cast<size_t>(table.columnCount()) * 12);
    const auto appendRecord = [&out](const Row& cells, bool trimmed) {
        for (size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                out += kSeparator;
            const std::string_view cell = trimmed ? withoutBlanks(cells[c]) : std::string_view(cells[c]);
            appendCsvField(out, cp1251ToUtf8(cell), kSeparator);
        }
        out += "\r\n";
    };
    appendRecord(table.headers(), true);
    for (int r = 1; r < table.rowCount(); ++r)
        appendRecord(table.row(r), false);
    return out;
}

CsvImport tableFromCsv(std::string_view bytes, const Table& shape, RowCheck check)
{
    const DecodedText text = decodeText(bytes);
    const int columns = shape.columnCount();
    const auto maxRows = static_cast<size_t>(maxRowsOf(shape));

    CsvImport result{Table(shape.headers()), {}};
    std::optional<std::vector<int>> header;
    size_t index = 0; // of the record in the file
    size_t first = 0; // the first data record
    std::vector<Row> rows;
    std::vector<int> fileRows;              // the file's record number of each row
    std::vector<std::vector<int>> badCells; // the columns of each row already reported
    // Record by record, so that blank records (a file of line breaks) take no memory and the
    // reading stops at the first row past the most a table can hold.
    forEachCsvRecord(text.text, detectSeparator(text.text), [&](CsvRecord& record) {
        if (index++ == 0) {
            header = headerColumns(record, text.encoding, shape);
            if (header) {
                first = 1;
                return true;
            }
        }
        const int fileRow = static_cast<int>(index - first);
        if (record.unterminated)
            result.problems.push_back({fileRow, -1, problem::kOpenQuote});
        if (allEmpty(record))
            return true;
        if (rows.size() >= maxRows) {
            result.problems.push_back({fileRow, -1,
                                       "В таблице может быть не больше " + std::to_string(maxRows) +
                                           " строк: эта строка и следующие не прочитаны."});
            return false;
        }
        if (record.droppedFields > 0)
            result.problems.push_back(
                {fileRow, -1, "Слишком много полей: больше " + std::to_string(kMaxCsvFields) + "."});
        else if (!header) {
            if (auto extra = extraFields(record, columns))
                result.problems.push_back({fileRow, -1, std::move(*extra)});
        }
        Row row(static_cast<size_t>(columns));
        std::vector<int> bad;
        for (size_t f = 0; f < record.fields.size(); ++f) {
            const int column =
                header ? (f < header->size() ? (*header)[f] : -1) : (f < static_cast<size_t>(columns) ? int(f) : -1);
            if (column < 0)
                continue;
            if (auto refused = toCell(record.fields[f], text.encoding, row[static_cast<size_t>(column)])) {
                row[static_cast<size_t>(column)].clear();
                result.problems.push_back({fileRow, column, std::move(*refused)});
                bad.push_back(column);
            }
        }
        rows.push_back(std::move(row));
        fileRows.push_back(fileRow);
        badCells.push_back(std::move(bad));
        return true;
    });
    result.table.setDataRows(std::move(rows));

    for (size_t r = 0; r < fileRows.size(); ++r) {
        const auto failure = check(result.table, static_cast<int>(r) + 1);
        // A cell already refused fails the check too: it is reported once, for its first reason.
        if (!failure || std::count(badCells[r].begin(), badCells[r].end(), failure->column) > 0)
            continue;
        result.problems.push_back({fileRows[r], failure->column, failure->text});
    }
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const CsvProblem& a, const CsvProblem& b) { return a.row < b.row; });
    return result;
}

std::string csvProblemReport(const std::filesystem::path& file, const std::vector<CsvProblem>& problems,
                             const Table& shape, size_t limit)
{
    int wrongRows = 0;
    for (size_t i = 0; i < problems.size(); ++i)
        wrongRows += i == 0 || problems[i].row != problems[i - 1].row;
    std::string report =
        "Файл \"" + pathText(file) + "\" не загружен. Строк с ошибками: " + std::to_string(wrongRows) + ".";
    for (size_t i = 0; i < problems.size() && i < limit; ++i) {
        const CsvProblem& p = problems[i];
        report += "\r\nСтрока " + std::to_string(p.row);
        if (p.column >= 0)
            report += ", столбец \"" + titleOf(shape, p.column) + "\"";
        report += ": " + p.text;
    }
    if (problems.size() > limit)
        report += "\r\nИ еще ошибок: " + std::to_string(problems.size() - limit) + ".";
    return report;
}

std::optional<std::string> saveCsvFile(const std::filesystem::path& path, const Table& table)
{
    return saveFileAtomically(path, csvFromTable(table));
}

CsvLoad loadCsvFile(const std::filesystem::path& path, const Table& shape, RowCheck check)
{
    FileRead read = readFileBytes(path);
    if (read.error)
        return {Table(shape.headers()), std::move(read.error), {}};
    CsvImport imported = tableFromCsv(read.bytes, shape, check);
    return {std::move(imported.table), std::nullopt, std::move(imported.problems)};
}

} // namespace qm
