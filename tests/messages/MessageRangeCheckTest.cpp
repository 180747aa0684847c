// The checks of the message tab's range dialogs.
#include <gtest/gtest.h>

#include "common/RangeCheck.h"
#include "messages/MessageRanges.h"

using namespace qm;

namespace
{

void expectRange(const RangeCheck& check, int first, int last)
{
    ASSERT_TRUE(check.range) << check.message;
    EXPECT_EQ(check.range->first, first);
    EXPECT_EQ(check.range->last, last);
}

void expectRefused(const RangeCheck& check, const char* message)
{
    EXPECT_FALSE(check.range);
    EXPECT_EQ(check.message, message);
}

} // namespace

TEST(RangeCheck, TextsThatAreNoIntegersAreRefusedFirst)
{
    for (auto kind :
         {MessageRangeKind::RowsToSend, MessageRangeKind::NumbersToRead, MessageRangeKind::NumbersToDelete}) {
        expectRefused(checkRange(messageRange(kind), "", "5", 10), "Проверьте правильность ввода параметров.");
        expectRefused(checkRange(messageRange(kind), "1", "5x", 10), "Проверьте правильность ввода параметров.");
    }
}

TEST(RangeCheck, RowsToSend)
{
    expectRange(checkRange(messageRange(MessageRangeKind::RowsToSend), "7", "3", 10), 3, 7);
    expectRange(checkRange(messageRange(MessageRangeKind::RowsToSend), "1", "10", 10), 1, 10);
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "0", "3", 10),
                  "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.");
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "3", "0", 10),
                  "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.");
    // A pasted negative row number is refused like 0, not run from row -3.
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "-3", "2", 10),
                  "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.");
    // The zero check comes before the row count, the swap before the row count.
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "11", "0", 10),
                  "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.");
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "11", "2", 10),
                  "В таблице сообщений нет такого большого количества строк, проверьте правильность ввода параметров.");
}

TEST(RangeCheck, NumbersToReadAndToDeleteLieIn1To1000)
{
    expectRange(checkRange(messageRange(MessageRangeKind::NumbersToRead), "1", "1000"), 1, 1000);
    expectRange(checkRange(messageRange(MessageRangeKind::NumbersToDelete), "12", "10"), 10, 12);
    expectRange(checkRange(messageRange(MessageRangeKind::NumbersToRead), " $A", "10"), 10, 10);
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToRead), "0", "5"),
                  "Номер строки не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.");
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToRead), "1", "1001"),
                  "Номер строки не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.");
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToDelete), "1001", "1"),
                  "Номер сообщения не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.");
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToDelete), "-1", "1"),
                  "Номер сообщения не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.");
}
