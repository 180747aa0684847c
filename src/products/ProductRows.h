#pragma once
// Between rows of the product table and product records: preparing a row for sending, and
// filling a row from a record read from a scale.

#include <optional>
#include <string>

#include "common/Failure.h"
#include "common/Table.h"
#include "products/PluRecord.h"

namespace qm
{

class Feedback;

enum class RowProblem { None, NotInteger, DoesNotFit };

struct PreparedRow {
    std::optional<PluRecord> record;
    RowProblem problem = RowProblem::None;
    int column = -1; // the cell at fault
};

// Reads the number cells (columns 0 and 3..9) as integer texts and checks that every value fits
// its wire field. Rows that passed the row check always prepare.
PreparedRow prepareRow(const Row& row);

// The row as a read writes it: decimal numbers, names with their 28 characters, a shelf-life
// date with its six digits ("010525"), the certification code.
Row rowFromRecord(const PluRecord& record);

// "Строка 3, столбец «Цена,коп.»: \"12a\" не является целым числом." (UTF-8)
std::string notIntegerMessage(const Table& products, int row, int column);

// Puts the cursor on the cell at fault and reports why the row cannot be sent: the conversion
// message for a cell that is no integer, the row error message for a value that does not fit.
// Returns the failure reported.
Failure reportRowProblem(Feedback& feedback, const Table& products, int row, const PreparedRow& prepared);

} // namespace qm
