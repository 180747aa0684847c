#pragma once
// The checks of the message tab's range dialogs on "Применить", shared by the window's dialogs
// and the command line. Pure: texts in, a range or the message to show out.

#include <optional>
#include <string>
#include <string_view>

#include "common/RangeCheck.h"

namespace qm
{

enum class MsgRangeKind {
    SendRows,      // rows of the message table to send ("Введите номера строк таблицы MSG")
    ReadNumbers,   // message numbers to read ("Введите номера строк MSG")
    DeleteNumbers, // message numbers to delete in the scale ("Введите номера сообщений")
};

// Both texts must be integer texts; then the dialog's checks in order. Row numbers must be at
// least 1 (a pasted "-3" is refused like 0) and, after the swap, within the table's dataRows;
// message numbers must lie in 1..1000.
RangeCheck checkMsgRange(MsgRangeKind kind, std::string_view firstText, std::string_view lastText, int dataRows = 0);

// The key limit of the dialogs' fields.
inline constexpr int kMsgRangeKeyLimit = 1000;

} // namespace qm
