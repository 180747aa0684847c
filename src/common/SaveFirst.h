#pragma once
// The save-first question: asked before a table that holds unsaved changes is replaced (a new or
// opened list, the rows of a read).

#include <functional>
#include <string>

namespace qm
{

class Feedback;
class TableSink;

// The save command that a Yes runs; true when the table was saved.
using SaveCommand = std::function<bool()>;

// Asked (Yes/No/Cancel) only when the table is modified. Yes runs the save and No goes on, both
// clearing the flag; Cancel ends the command, and so does a Yes whose save did not happen
// (dialog cancelled, write failed), so the table is never replaced unsaved. False ends it.
bool saveFirst(Feedback& feedback, TableSink& table, const SaveCommand& save, const std::string& question);

// The same over any modified flag: `modified` is its value now, `clearModified` clears it (a
// subject whose data is replaced only later passes one that does nothing).
bool saveFirst(Feedback& feedback, bool modified, const std::function<void()>& clearModified, const SaveCommand& save,
               const std::string& question);

} // namespace qm
