#pragma once
// The message transfer operations of the tab "Сообщения": write the whole table, the selected
// row or a range of rows; read all messages, one or a range of numbers; delete one message, all
// or a range. Each is one plain sequential function run to its end by the window's worker
// thread or the command line's main thread. They reach people only through the session's
// Feedback, send from a snapshot of the message table and hand the rows they read to a
// TableSink.
//
// The window shows a range dialog after the opening steps (openMessageScale); the range
// procedures then run the whole frame again, since the port may have been used by another
// operation while the dialog was open. A range read asks its save-first question and empties the
// table only then, so a cancelled dialog leaves the table and its modified flag as they were.
// The progress of a range counts its numbers: maximum last - first + 1, one step per number.

#include <functional>
#include <optional>
#include <string>

#include "common/Table.h"
#include "operation/ScaleFrame.h"
#include "operation/ScaleOperation.h"

namespace qm
{

class ScaleSession;
class TableSink;

using MessageLink = ScaleLink;
using MessageSave = SaveCommand;

enum class MessageWork { Write, Read, Delete };

// The message for a chooser that names no scale, by the kind of work (UTF-8). The window runs
// the frame alone before it shows a range dialog: openScale(link, chooseScaleMessage(work)).
const char* chooseScaleMessage(MessageWork work);

// `SpeedButton54Click`: checkFirst is `CheckBox21` "Протестировать данные перед записью".
OperationResult sendMessageTable(const MessageLink& link, const Table& messages, bool checkFirst);
// `SpeedButton55Click`: the table's current row, always checked first.
OperationResult sendMessageRow(const MessageLink& link, const Table& messages, int row);
// `SendMsgRange`: rows first..last of the table, always checked first.
OperationResult SendMsgRange(const MessageLink& link, const Table& messages, int first, int last);

// `SpeedButton57Click`: numbers 1..1000; empty messages are skipped. No closing message.
OperationResult readAllMessages(const MessageLink& link, TableSink& table, const MessageSave& save);
// `SpeedButton58Click`: the number as `Edit36` "№ MSG" holds it; the message fills row 1 even
// when it is empty.
OperationResult readOneMessage(const MessageLink& link, const std::string& numberText, TableSink& table,
                               const MessageSave& save);
// `GetMsgRange`: the save-first question, the table emptied, then numbers first..last.
OperationResult GetMsgRange(const MessageLink& link, int first, int last, TableSink& table, const MessageSave& save);

// `SpeedButton61Click`: the number as `Edit36` holds it; asks before deleting.
OperationResult deleteOneMessage(const MessageLink& link, const std::string& numberText);
// `SpeedButton60Click`: asks, then deletes 1..1000.
OperationResult deleteAllMessages(const MessageLink& link);
// `DeleteMsgRange`: asks, then deletes first..last.
OperationResult DeleteMsgRange(const MessageLink& link, int first, int last);

} // namespace qm
