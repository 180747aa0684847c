#pragma once
// The operations of the tab "Состояние весов": read the scale's status and its 54 price keys,
// write the price keys. Each key costs an
// addressing, its command and a 210 ms pause, so the key loops take about 11 seconds: they move
// the current cell key by key, show their progress and end between keys at a stop.
//
// The key table is 54 rows of {key number, cell}. A read shows each cell as the scale answered
// it, "0" for a key that calls up no product included; a write sends the cell of every row that
// holds one, 0 included, and nothing but the addressing for an empty row, whose key keeps what
// the scale holds. So a table read and written back leaves the scale as it was, and a table
// that names a few keys changes only those.

#include <string>
#include <vector>

#include "common/Failure.h"
#include "common/ValueSink.h"
#include "settings/StatusCodec.h"

namespace qm
{

struct ScaleLink;
class TableSink;

// The status, then every key into its row of the table; "Чтение состояния весов закончено."
// at the end. A failure leaves the rows read so far with their new cells.
OperationResult readStatusAndKeys(const ScaleLink& link, ValueSink<ScaleStatus>& status, TableSink& keys);

// The status alone, and the keys alone (the command line's read-status and read-keys), without
// the closing message.
OperationResult readScaleStatus(const ScaleLink& link, ValueSink<ScaleStatus>& status);
OperationResult readPriceKeys(const ScaleLink& link, TableSink& keys);

// The cells of keys 1..54 (code page 1251 texts, missing ones empty). Every cell is checked
// before the first key is written: a cell that is not empty and no number 0..4000 ends the write
// at its row with nothing sent. Every key is addressed; an empty cell sends nothing more.
OperationResult writePriceKeys(const ScaleLink& link, const std::vector<std::string>& cells);

// "1".."54": every key calls up the cell of its own number.
std::vector<std::string> defaultPriceKeys();

} // namespace qm
