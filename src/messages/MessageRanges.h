#pragma once
// The ranges of the message tab's dialogs ("Ввод параметров"), as rules of the one range check
// (common/RangeCheck.h): the rows of the table to send, and the message numbers to read or to
// delete in the scale. The window's dialogs, the operations and the command line share them.

#include "common/RangeCheck.h"

namespace qm
{

// The kinds in the order of messageRange's table.
enum class MessageRangeKind {
    RowsToSend,      // rows of the message table ("Введите номера строк таблицы MSG")
    NumbersToRead,   // message numbers 1..1000 ("Введите номера строк MSG")
    NumbersToDelete, // message numbers 1..1000 ("Введите номера сообщений")
};

const RangeRule& messageRange(MessageRangeKind kind);

// The key limit of the dialogs' fields.
inline constexpr int kMsgRangeKeyLimit = 1000;

} // namespace qm
