#pragma once
// The check of every range dialog ("Ввод параметров") on "Применить": two number texts, first
// and last, checked against a rule, giving a pair with first <= last or the message to show
// while the dialog stays open. The rules are data: the product and message transfers and the
// row deletion each describe theirs, and the window's one dialog class takes the verdict.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/TableColumns.h"

namespace qm
{

struct NumberRange {
    int first = 0;
    int last = 0;
};

struct RangeCheck {
    std::optional<NumberRange> range;
    std::string message; // UTF-8, when range is not set

    static RangeCheck accept(int first, int last) { return {NumberRange{first, last}, {}}; }
    static RangeCheck refuse(std::string message) { return {std::nullopt, std::move(message)}; }
};

// The bounds of a range and the messages of numbers beyond them.
struct RangeRule {
    int lowest = 1;
    int highest = 0;               // kRowsOfTable: the data rows of the table, given to the check
    const char* belowLowest = "";  // a number below lowest
    const char* aboveHighest = ""; // a number above highest
};
inline constexpr int kRowsOfTable = 0;

// Both texts must be integer texts; neither may lie below the lowest number (a pasted "-3" is
// refused like 0); a last number below the first is swapped with it; then the last may not lie
// above the highest. dataRows is the table's number of data rows, for a rule of its rows.
RangeCheck checkRange(const RangeRule& rule, std::string_view firstText, std::string_view lastText, int dataRows = 0);

// The rows 1..data rows of the product or message table (rows to send, rows to delete); a row
// beyond them is refused with the table's own text.
RangeRule tableRowsRule(TableId table);
// The numbers 1..highest (PLU, message numbers); any other is refused with `message`.
RangeRule numbersRule(int highest, const char* message);

namespace rangetext
{
inline const char* const kNotNumbers = "Проверьте правильность ввода параметров.";
inline const char* const kRowZero = "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.";
} // namespace rangetext

} // namespace qm
