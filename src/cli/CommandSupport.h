#pragma once
// What the scale commands of the command line share: the scale link of the run, the checks of
// their words (a file, a selection of records), the operations of a selection, the saving of what
// a read brought and the printing of a single record.

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "cli/CliContext.h"
#include "cli/JsonObject.h"
#include "common/RangeCheck.h"
#include "common/SaveFirst.h"
#include "operation/ScaleOperation.h"

namespace qm
{
class TableSink;
}

namespace qm::cli
{

ScaleLink scaleLink(CliContext& context);

// False, with the usage error printed, when --scale is missing.
bool needScale(CliContext& context);

// The command's one positional FILE; nullopt (usage error printed) when there is not exactly one.
std::optional<std::string> onlyFile(CliContext& context);
// --scale and the one FILE of a command that takes a file to a scale. Both are looked at, so that
// one run names every missing word; nullopt (usage errors printed) when either is missing.
std::optional<std::string> scaleAndFile(CliContext& context);

// The one FILE (after --scale for a command on a scale) read by `load`, which shows its own message
// when it cannot read it: the value, or nullopt with `code` set (kUsage for the words, kFailed for
// the file).
enum class OnScale { No, Yes };
template <class Load>
auto loadOnlyFile(CliContext& context, OnScale scale, Load load, int& code) -> decltype(load(context, std::string()))
{
    const auto file = scale == OnScale::Yes ? scaleAndFile(context) : onlyFile(context);
    if (!file) {
        code = kUsage;
        return std::nullopt;
    }
    auto loaded = load(context, *file);
    if (!loaded)
        code = kFailed;
    return loaded;
}

// "FIRST-LAST", or one number for a range of one: the two texts as the range dialog's fields.
std::pair<std::string, std::string> splitRange(const std::string& text);
// A range option checked as the range dialog of the rule checks its two fields; nullopt, with the
// dialog's message shown, when refused. dataRows for a rule of the table's rows.
std::optional<NumberRange> rangeOption(CliContext& context, const std::string& option, const RangeRule& rule,
                                       int dataRows = 0);
// A number option (--plu N, --msg N) checked as its field is, before the port is touched:
// 1..highest, or false with the field's message shown.
bool numberOption(CliContext& context, const std::string& option, int highest, const char* badMessage);

// --scale and exactly one of --all, --<one> N, --range FIRST-LAST; None (usage error printed)
// otherwise.
enum class Selection { None, All, One, Range };
Selection selection(CliContext& context, const std::string& one);

// A subject's commands over a selection of records (read-products, delete-messages …): the
// option of one record and its check, the range rule, and the operation for each choice; `Extra`
// is what the operations take after the records (the sink and save of a read).
template <class... Extra> struct RecordCommands {
    const char* option;    // "plu", "msg"
    int highest;           // the highest number --<option> takes
    const char* badNumber; // the message of a wrong number, as its field has it
    RangeRule rangeRule;
    OperationResult (*all)(const ScaleLink& link, Extra...);
    OperationResult (*one)(const ScaleLink& link, const std::string& number, Extra...);
    OperationResult (*range)(const ScaleLink& link, int first, int last, Extra...);
};

// The number of --<option> or the --range of the selection checked before the port is touched;
// false with the message shown. `range` gets the checked range.
template <class... Extra>
bool checkSelected(CliContext& context, Selection what, const RecordCommands<Extra...>& commands,
                   std::optional<NumberRange>& range)
{
    if (what == Selection::One)
        return numberOption(context, commands.option, commands.highest, commands.badNumber);
    if (what == Selection::Range)
        return bool(range = rangeOption(context, "range", commands.rangeRule));
    return true;
}

// The operation of the selection, once checkSelected has passed.
template <class... Extra>
OperationResult runSelected(CliContext& context, Selection what, const RecordCommands<Extra...>& commands,
                            const std::optional<NumberRange>& range, Extra... extra)
{
    const ScaleLink link = scaleLink(context);
    if (what == Selection::All)
        return commands.all(link, extra...);
    if (what == Selection::One)
        return commands.one(link, *context.args().value(commands.option), extra...);
    return commands.range(link, range->first, range->last, extra...);
}

// delete-products, delete-messages: the selection checked, then deleted in the scale.
int deleteSelected(CliContext& context, const RecordCommands<>& commands);

// read-products, read-messages once their --out has been looked at: the selection's number or
// range and the folder of --out checked, the records read into `table` (a fresh table: the
// save-first question is not asked), then saved with `save` as saveRead does. `result` gets how
// the read ended. Returns the exit code.
using ReadCommands = RecordCommands<TableSink&, const SaveCommand&>;
int readSelected(CliContext& context, Selection what, const ReadCommands& reads, const std::string& out, Table& table,
                 const std::function<bool(const std::string& path)>& save, OperationResult& result);

// The end of a read that prints its record: the failure as finish() reports it, or the closing
// text and then the fields (text, or JSON with --json) on standard output, as the tab shows the
// closing text before the data. `fields` is asked only after a successful read.
int printRecord(CliContext& context, const OperationResult& result,
                const std::function<std::vector<ReportField>()>& fields);

// Whether a read's --out can be saved, looked at before the scale is asked, so that a missing
// folder, a directory, a FIFO or a device in its place does not cost a whole read: the folder
// must be a folder the program may write in and the file, where it exists, a regular file.
// Nothing is created or truncated (the save at the end stays atomic). False with the message.
bool outCanBeSaved(CliContext& context, const std::string& out);

// Saves the rows of a read into a file (the save function writes the table to the path it is
// given). A finished read writes --out. A read that ends early never replaces an existing file:
// one stopped by Ctrl+C writes --out only when there is none yet, otherwise a new file beside it
// (NAME.part.EXT, NAME.part2.EXT ...); one that failed after some records keeps them in such a
// file beside --out in any case. The message says which. `table` is what the read filled: its
// rows with a number are the records received (rows left empty at its end are dropped). Returns
// the exit code.
int saveRead(CliContext& context, const OperationResult& result, const std::string& out, Table& table,
             const std::function<bool(const std::string& path)>& save);

} // namespace qm::cli
