#pragma once
// The state file's part for the status, the price keys and the factory settings:
//
//   "status": {"flags": 64, "weight": -1000, "product": 12, "total": 4550, "price": 4550},
//   "priceKeys": {"1": 300, "12": 4000},
//   "factory": {"capacity": 15000, "weightPoint": 4, ...},
//   "totals": {"runMm": 1200, "labels": 35, "grandSum": 12345, "grandCount": 7, "grandWeight": 1500,
//              "clearedHour": 9, ..., "clearedYear": 3},
//   "erased": ["productClock", "totalsClock", "freeCells"]
//
// Every member is optional; what is left out keeps its default. Keys that call up no cell are
// not written, nor "erased" when nothing is. A key may hold any 32-bit cell, as a scale's memory
// may; "erased" names the fields the scale sends as 0xFF bytes (ScaleState.h).

#include <string>

#include "Json.h"
#include "ScaleState.h"

namespace emu
{

// True when key is one of the five; error is then empty or says what is wrong.
bool readStatusMember(const std::string& key, const JsonValue& value, ScaleState& state, std::string& error);

// The members, each on its own line, each line starting ",\n ".
std::string statusMembersJson(const ScaleState& state);

} // namespace emu
