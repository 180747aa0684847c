#pragma once
// Delimited text as spreadsheets and accounting systems write it: the code page of the bytes,
// the field separator, and the records of RFC 4180 (a field in double quotes may hold
// separators, doubled quotes and line breaks). Knows nothing of the program's tables.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm
{

enum class TextEncoding { Utf8, Cp1251 };

struct DecodedText {
    std::string text; // without a byte-order mark; UTF-16 is made UTF-8
    TextEncoding encoding = TextEncoding::Utf8;
};

// UTF-8 when the bytes start with its byte-order mark or are well-formed UTF-8 throughout (plain
// ASCII included); UTF-16 with its byte-order mark is made UTF-8 (what a spreadsheet saves as
// "Unicode text"); anything else is code page 1251, where every byte is a character.
DecodedText decodeText(std::string_view bytes);

// The separator of the first record: whichever of ";", tab and "," stands most often outside
// quotes in it, in that order on a tie; ";" when none does.
char detectSeparator(std::string_view text);

// The most fields a record keeps: a sheet of the program's tables has 11 columns at most, and a
// header record may name columns of its own besides. Further fields are only counted.
inline constexpr size_t kMaxCsvFields = 256;

struct CsvRecord {
    std::vector<std::string> fields;
    bool unterminated = false; // a quoted field ran on to the end of the text
    size_t droppedFields = 0;  // fields past kMaxCsvFields, not kept
};

// The records of the text. Outside quotes CR LF, LF or a lone CR ends a record; a blank line is
// a record of one empty field; nothing after the last line break is no record. A quote inside an
// unquoted field, or after a closing quote, is kept as a character, as spreadsheets read it.
std::vector<CsvRecord> parseCsvRecords(std::string_view text, char separator);
// The same records one at a time, none kept: `each` gets every record in turn (it may take the
// record's fields) and returns false to stop there.
void forEachCsvRecord(std::string_view text, char separator, const std::function<bool(CsvRecord&)>& each);

// One field as RFC 4180 writes it: in quotes, with its quotes doubled, when it holds the
// separator, a quote, CR or LF; else as it stands.
void appendCsvField(std::string& out, std::string_view field, char separator);

} // namespace qm
