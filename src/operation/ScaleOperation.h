#pragma once
// What every scale operation shares: how it ended (OperationResult, common/Failure.h), the scale
// it works on, and the save-first question that a read asks before it replaces a modified table.

#include <functional>
#include <string>

#include "common/Failure.h"
#include "common/Table.h"

namespace qm
{

class Feedback;
class ScaleSession;
class TableSink;

// The scale an operation works on: the configuration table and the text of the tab's chooser.
struct ScaleLink {
    ScaleSession& session;
    const Table& config;
    std::string scaleName; // code page 1251, as the chooser holds it
};

// The save command that a Yes to the save-first question runs; true when the table was saved.
using SaveCommand = std::function<bool()>;

// Asked only when the table is modified. Yes runs the save and No goes on, both clearing the
// flag; Cancel ends the read, and so does a Yes whose save did not happen (dialog cancelled,
// write failed), so the table is never replaced unsaved. False ends the read.
bool saveFirst(Feedback& feedback, TableSink& table, const SaveCommand& save, const std::string& question);

} // namespace qm
