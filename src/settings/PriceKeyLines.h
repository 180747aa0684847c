#pragma once
// The price-key table as text: 54 lines "KEY<TAB>CELL", the cell as the scale answered it ("0"
// for a key that calls up no product). Read back, the lines may come in any order, and a key
// left out or given with an empty cell is empty: a write sends it nothing, so it keeps its cell.

#include <optional>
#include <string>
#include <vector>

namespace qm
{

// The 54 cells, key 1 first; each line ends with "\n".
std::string formatPriceKeyLines(const std::vector<std::string>& cells);

// The 54 cells, or nullopt with `error` naming the line that is not "KEY<TAB>CELL" with a key
// 1..54 given once. Blank lines and a final line without its end are taken; CR before LF too.
// The cells are not checked here: the write checks them as it checks the tab's table.
std::optional<std::vector<std::string>> parsePriceKeyLines(const std::string& text, std::string& error);

} // namespace qm
