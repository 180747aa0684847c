#pragma once
// The message transfer operations of the tab "Сообщения": send the whole table, the selected row
// or a range of rows; read all messages, one or a range of numbers; delete all, one or a range.
// Each is one plain sequential function that a worker thread (the window) or the main thread
// (the command line) runs to its end. They reach people only through the session's Feedback,
// send from a snapshot of the message table and hand the rows they read to a TableSink. Each
// returns its outcome with the failure that ended it (reported when it happened).
//
// Every operation starts with the frame (operation/ScaleFrame.h): the scale row named by the
// chooser, its check, and the connection. The range operations run the whole frame again after
// their dialog, then ask their own question (delete) or the save-first question (read), so a
// dialog cancelled in between changes nothing. The window runs the frame alone before it shows
// a range dialog: openScale(link, messagetext::kChooseTo...), the text of the operation's kind.
// The progress of a range
// counts its numbers: maximum last - first + 1, one step per number.
//
// The implementation is grouped as the product operations' is: MessageSend.cpp,
// MessageRead.cpp, MessageDelete.cpp.

#include <string>

#include "common/SaveFirst.h"
#include "common/Table.h"
#include "operation/ScaleFrame.h"
#include "operation/ScaleOperation.h"
#include "operation/TableCompare.h"

namespace qm
{

class TableSink;

// `SpeedButton54Click`: checkFirst is `CheckBox21` "Протестировать данные перед записью".
OperationResult sendMessageTable(const ScaleLink& link, const Table& messages, bool checkFirst);
// `SpeedButton55Click`: the table's current row, always checked first.
OperationResult sendMessageRow(const ScaleLink& link, const Table& messages, int row);
// `SendMsgRange`: rows first..last of the table (from the dialog), always checked first.
OperationResult sendMessageRange(const ScaleLink& link, const Table& messages, int first, int last);

// `SpeedButton57Click`: numbers 1..1000 into the table, empty messages skipped. No closing message.
OperationResult readAllMessages(const ScaleLink& link, TableSink& table, const SaveCommand& save);
// `SpeedButton58Click`: the number as `Edit36` "№ MSG" holds it; the message fills row 1 even
// when it is empty.
OperationResult readOneMessage(const ScaleLink& link, const std::string& numberText, TableSink& table,
                               const SaveCommand& save);
// `GetMsgRange`: numbers first..last.
OperationResult readMessageRange(const ScaleLink& link, int first, int last, TableSink& table, const SaveCommand& save);

// Reads numbers 1..1000 as readAllMessages does (no save-first question: no table changes) and
// compares the messages with the table's rows as the scale would store them: each line cut to
// 50 characters and blank-filled, a row of blank lines as no message (MessageCompare.cpp). A row
// whose number cannot be sent fails before the scale is opened. Nothing is written to the scale;
// `result` is set only when the read ran to its end.
OperationResult compareMessages(const ScaleLink& link, const Table& messages, TableComparison& result);

// `SpeedButton60Click`, `SpeedButton61Click` (`Edit36` text), `DeleteMsgRange`; each asks first.
OperationResult deleteAllMessages(const ScaleLink& link);
OperationResult deleteOneMessage(const ScaleLink& link, const std::string& numberText);
OperationResult deleteMessageRange(const ScaleLink& link, int first, int last);

} // namespace qm
