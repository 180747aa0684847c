#pragma once
// The tables of the program by name. An operation names a table when it moves the table's
// cursor or reports a failure in one of its cells.

namespace qm
{

// The tables whose current cell an operation may move.
enum class TableId { Products, Messages, Settings, Config, Tests, PriceKeys, Reports };

} // namespace qm
