#pragma once
// The configuration table: the program's list of scales. Column 1 names a scale, column 3 is
// its number on the line (1..99), column 4 its port ("COM1".."COM16"), column 5 its speed.

#include <optional>
#include <string>
#include <vector>

#include "common/Failure.h"
#include "common/Table.h"
#include "common/TableColumns.h"

namespace qm
{

class Feedback;

// First data row whose name equals the text exactly, or -1.
int NumberColFrom(const Table& config, const std::string& name);

// The scale row check. True when the row is wrong; code is the failed check (1 number, 2 port,
// 3 speed; 3 when all pass) and column the offending cell's column (-1 when all pass).
bool CfgCheckError(const Table& config, int row, int& code, int& column);

// The failure of a wrong row: the message of its check at the offending cell; nullopt when the
// row passes.
std::optional<Failure> configRowFailure(const Table& config, int row);

// The check-table command: walks the rows, fails at the first wrong row (with the cursor on its
// cell) or shows "Таблица конфигурации ошибок не имеет.". Done when no row is wrong.
OperationResult checkConfigTable(const Table& config, Feedback& feedback);

// Column 1 of every data row, empty and repeated names included: what the choosers list.
std::vector<std::string> scaleNames(const Table& config);

std::string configErrorMessage(int code);

} // namespace qm
