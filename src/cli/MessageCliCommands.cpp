// The message commands of the command line: check a .msg file, send it to a scale, read a
// scale's messages into a .msg file, delete messages in a scale. They run the window's
// operations and print the same texts; the exit code follows the operation's outcome.
// ProductCliCommands.cpp has the same shape.

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CliTableFiles.h"
#include "cli/CommandSupport.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/TableFiles.h"
#include "messages/MessageCheck.h"
#include "messages/MessageRanges.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"
#include "operation/OperationTexts.h"

namespace qm::cli
{

int runCheckMessages(CliContext& context)
{
    return checkTableFile(context, loadMessages, checkMessageTable);
}

int runSendMessages(CliContext& context)
{
    const auto file = scaleAndFile(context);
    if (!file)
        return kUsage;
    const Args& a = context.args();
    if (a.has("rows") && a.has("no-check")) {
        context.error("--no-check относится ко всей таблице; --rows всегда проверяет свои строки");
        return kUsage;
    }
    const auto messages = loadMessages(context, *file);
    if (!messages)
        return kFailed;
    OperationResult result;
    if (a.has("rows")) {
        const auto range =
            rangeOption(context, "rows", messageRange(MessageRangeKind::RowsToSend), messages->rowCount() - 1);
        if (!range)
            return kUsage;
        result = sendMessageRange(scaleLink(context), *messages, range->first, range->last);
    } else {
        result = sendMessageTable(scaleLink(context), *messages, !a.has("no-check"));
    }
    return context.finish(result);
}

int runReadMessages(CliContext& context)
{
    static const ReadCommands reads{
        "msg",           kMaxMessageNumber, messagetext::kBadNumber, messageRange(MessageRangeKind::NumbersToRead),
        readAllMessages, readOneMessage,    readMessageRange};
    const Selection what = selection(context, reads.option);
    if (what == Selection::None)
        return kUsage;
    const auto out = context.args().value("out");
    if (!out || out->empty()) {
        context.error("read-messages: нужен --out FILE.msg");
        return kUsage;
    }
    Table messages = makeTable(messageLayout());
    OperationResult result;
    const int code = readSelected(
        context, what, reads, *out, messages,
        [&](const std::string& path) { return saveCellTable(context, path, messages); }, result);
    // The window's read fills the table silently; here the run closes as read-products does.
    if (result && code == kOk)
        context.feedback().message(operationtext::kReceived);
    return code;
}

int runDeleteMessages(CliContext& context)
{
    return deleteSelected(context, {"msg", kMaxMessageNumber, messagetext::kBadNumber,
                                    messageRange(MessageRangeKind::NumbersToDelete), deleteAllMessages,
                                    deleteOneMessage, deleteMessageRange});
}

} // namespace qm::cli
