// The message commands of the command line: check a .msg file, send it to a scale, read a
// scale's messages into a .msg file, delete messages in a scale. They run the window's
// operations and print the same texts; the exit code follows the operation's outcome.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/TableFiles.h"
#include "messages/MessageCheck.h"
#include "messages/MessageRangeCheck.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"

namespace qm::cli
{

namespace
{

std::optional<Table> loadMessages(CliContext& context, const std::string& file)
{
    TableLoad load = loadMessageFile(file);
    if (load.error) {
        context.error(*load.error);
        return std::nullopt;
    }
    return std::move(load.table);
}

// "FIRST-LAST" (or a single number) checked as the range dialog of its kind checks its two
// fields; the dialog's message when refused.
std::optional<NumberRange> rangeOption(CliContext& context, const std::string& option, MsgRangeKind kind,
                                       int dataRows = 0)
{
    const std::string text = context.args().value(option).value_or("");
    const auto [first, last] = splitRange(text);
    const RangeCheck check = checkMsgRange(kind, first, last, dataRows);
    if (!check.range)
        context.feedback().message(check.message);
    return check.range;
}

// --msg N as the "№ MSG" field is checked, before the port is touched.
bool numberOption(CliContext& context)
{
    const auto n = intText(context.args().value("msg").value_or(""));
    if (n && *n >= 1 && *n <= kMaxMessageNumber)
        return true;
    context.feedback().message(msgtext::kBadNumber);
    return false;
}

// The closing message of a read, as the product tab shows it.
const char* const kReceived = "Данные приняты.";

} // namespace

int runCheckMessages(CliContext& context)
{
    const auto file = onlyFile(context);
    if (!file)
        return kUsage;
    const auto messages = loadMessages(context, *file);
    if (!messages)
        return kFailed;
    const OperationResult checked = checkMessageTable(*messages, context.feedback());
    // The window leaves its cursor on the bad row; here the cell is named.
    nameFailedCell(context, checked, TableId::Messages);
    return checked ? kOk : kFailed;
}

int runSendMessages(CliContext& context)
{
    const auto file = onlyFile(context);
    if (!needScale(context) || !file)
        return kUsage;
    const Args& a = context.args();
    if (a.has("rows") && a.has("no-check")) {
        context.error("--no-check applies to the whole table; --rows always checks its rows");
        return kUsage;
    }
    const auto messages = loadMessages(context, *file);
    if (!messages)
        return kFailed;
    context.setPortFailureMessage(msgtext::kWriteFailed);
    OperationResult result;
    if (a.has("rows")) {
        const auto range = rangeOption(context, "rows", MsgRangeKind::SendRows, messages->rowCount() - 1);
        if (!range)
            return kUsage;
        result = SendMsgRange(scaleLink(context), *messages, range->first, range->last);
    } else {
        result = sendMessageTable(scaleLink(context), *messages, !a.has("no-check"));
    }
    // A row whose number fails ends the send with the cursor on it: named as check-messages
    // names it.
    nameFailedCell(context, result, TableId::Messages);
    return context.finish(result);
}

int runReadMessages(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const Selection what = selection(context, "msg");
    if (what == Selection::None)
        return kUsage;
    const auto out = context.args().value("out");
    if (!out || out->empty()) {
        context.error("read-messages needs --out FILE.msg");
        return kUsage;
    }
    std::optional<NumberRange> range;
    if (what == Selection::One && !numberOption(context))
        return kUsage;
    if (what == Selection::Range && !(range = rangeOption(context, "range", MsgRangeKind::ReadNumbers)))
        return kUsage;

    Table messages = makeTable(messageLayout());
    bool modified = false;
    TableWriter sink(messages, &modified);
    const MessageLink link = scaleLink(context);
    const MessageSave noSave; // a fresh table is never modified: the question is not asked
    context.setPortFailureMessage(msgtext::kReadFailed);
    // A stopped read's "Действие прервано." is said again with where the rows went.
    context.feedback().holdAfterStop(true);
    OperationResult result;
    if (what == Selection::All) {
        result = readAllMessages(link, sink, noSave);
    } else if (what == Selection::One) {
        result = readOneMessage(link, *context.args().value("msg"), sink, noSave);
    } else {
        result = GetMsgRange(link, range->first, range->last, sink, noSave);
    }
    int rows = 0;
    for (int r = 1; r < messages.rowCount(); ++r)
        rows += !messages.cell(r, msgcol::Number).empty();
    const int code = saveRead(context, result, *out, rows, [&](const std::string& path) {
        if (const auto error = saveCellFile(path, messages)) {
            context.error(*error);
            return false;
        }
        return true;
    });
    // The window's read fills the table silently; here the run closes as read-products does.
    if (result && code == kOk)
        context.feedback().message(kReceived);
    return code;
}

int runDeleteMessages(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const Selection what = selection(context, "msg");
    if (what == Selection::None)
        return kUsage;
    const MessageLink link = scaleLink(context);
    context.setPortFailureMessage(msgtext::kDeleteFailed);
    if (what == Selection::All)
        return context.finish(deleteAllMessages(link));
    if (what == Selection::One) {
        if (!numberOption(context))
            return kUsage;
        return context.finish(deleteOneMessage(link, *context.args().value("msg")));
    }
    const auto range = rangeOption(context, "range", MsgRangeKind::DeleteNumbers);
    if (!range)
        return kUsage;
    return context.finish(DeleteMsgRange(link, range->first, range->last));
}

} // namespace qm::cli
