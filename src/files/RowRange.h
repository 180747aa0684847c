#pragma once
// Deleting a range of rows of the product or message table: the checks of its dialog ("Ввод
// параметров", `TForm2` for products, `TForm3` for messages) and the removal itself.

#include <optional>
#include <string>

#include "common/Feedback.h"
#include "common/RangeCheck.h"
#include "common/Table.h"
#include "files/FileCommands.h"

namespace qm
{

// The key filter of the dialog's two fields: digits and backspace ('\b') only, and no digit more
// once a text of three or more characters holds a value above `limit` (4000 for these dialogs).
bool rangeKeyAccepted(const std::string& text, char key, int limit = 4000);

// "Применить": the range check of the table's rows (tableRowsRule). `id` is TableId::Products or
// TableId::Messages and picks the message of a too large row.
RangeCheck checkRowRange(const std::string& firstText, const std::string& lastText, int dataRows, TableId id);

// Removes rows range.first..range.last; a range outside the data rows changes nothing (false).
bool removeRows(Table& table, NumberRange range);

// The dialog's operation once the pair passed: the whole table runs the new-list command of the
// table (with its save-first question, the flag being set when the dialog opened); any other
// range is removed. Done when rows went.
Outcome deleteRowRange(FileCommandContext& ctx, Table& table, bool& modified, NumberRange range, TableId id);

} // namespace qm
