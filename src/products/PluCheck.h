#pragma once
// The product row check and the check-table command of the product tab.

#include <optional>
#include <string>
#include <string_view>

#include "common/Failure.h"
#include "common/Table.h"
#include "common/TableColumns.h"

namespace qm
{

class Feedback;

// A scale holds PLU cells 1..4000.
inline constexpr int kMaxPlu = 4000;

// The shelf-life rule: up to 3 characters holding a count 0..999, or exactly 6 holding a date
// DDMMYY (day 1..31, month 1..12; the year and the day within the month are not checked).
bool shelfLifeTextValid(std::string_view text);

// True when the row is wrong; column names the first field that failed (9 when all pass).
// Names and the certification code are never checked.
bool PluCheckError(const Row& row, int& column);
bool PluCheckError(const Table& products, int row, int& column);

// The message for a row that failed at the column (UTF-8).
std::string pluRowErrorMessage(int column);
// The failure of a row that failed at the column: its message, at its cell.
Failure pluRowFailure(int row, int column);
// The row check as a failure: nullopt when the row passes.
std::optional<Failure> productRowFailure(const Table& products, int row);

// The check-table command: walks the rows with the progress bar, fails at the first wrong row
// with the cursor on its cell, or shows "В списке товаров ошибок не обнаружено.". Done when
// every row passes.
OperationResult checkProductTable(const Table& products, Feedback& feedback);

} // namespace qm
