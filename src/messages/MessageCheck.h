#pragma once
// The message table's one rule and the command that checks the whole table. Column 0 holds the
// message number (1..1000), columns 1..8 the eight lines of the label text.

#include <optional>

#include "common/Failure.h"
#include "common/Table.h"
#include "common/TableColumns.h"

namespace qm
{

class Feedback;

inline constexpr int kMaxMessageNumber = 1000;

// True when the row's number is no integer text or lies outside 1..1000. Nothing else is
// checked: lines may hold any text and two rows may share a number.
bool MsgCheckError(const Table& messages, int row);
// The failure of a row whose number fails: the row message, at its number cell.
Failure messageRowFailure(int row);
// The row rule as a failure: nullopt when the row passes.
std::optional<Failure> messageRowFailure(const Table& messages, int row);

// The check command: walks the rows with the progress bar and the cursor, fails at the first
// wrong row (cursor left on it) or shows "Список сообщений ошибок не имеет.". Done when every
// row passes.
OperationResult checkMessageTable(const Table& messages, Feedback& feedback);

} // namespace qm
