// The checks of the message tab's range dialogs.
#include <gtest/gtest.h>

#include "common/RangeCheck.h"
#include "messages/MessageRanges.h"
#include "messages/MessageTexts.h"

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
        expectRefused(checkRange(messageRange(kind), "", "5", 10), qm::rangetext::kNotNumbers);
        expectRefused(checkRange(messageRange(kind), "1", "5x", 10), qm::rangetext::kNotNumbers);
    }
}

TEST(RangeCheck, RowsToSend)
{
    expectRange(checkRange(messageRange(MessageRangeKind::RowsToSend), "7", "3", 10), 3, 7);
    expectRange(checkRange(messageRange(MessageRangeKind::RowsToSend), "1", "10", 10), 1, 10);
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "0", "3", 10), qm::rangetext::kRowZero);
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "3", "0", 10), qm::rangetext::kRowZero);
    // A pasted negative row number is refused like 0, not run from row -3.
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "-3", "2", 10), qm::rangetext::kRowZero);
    // The zero check comes before the row count, the swap before the row count.
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "11", "0", 10), qm::rangetext::kRowZero);
    expectRefused(checkRange(messageRange(MessageRangeKind::RowsToSend), "11", "2", 10),
                  qm::tableRowsRule(qm::TableId::Messages).aboveHighest);
}

TEST(RangeCheck, NumbersToReadAndToDeleteLieIn1To1000)
{
    expectRange(checkRange(messageRange(MessageRangeKind::NumbersToRead), "1", "1000"), 1, 1000);
    expectRange(checkRange(messageRange(MessageRangeKind::NumbersToDelete), "12", "10"), 10, 12);
    expectRange(checkRange(messageRange(MessageRangeKind::NumbersToRead), " $A", "10"), 10, 10);
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToRead), "0", "5"), messagetext::kRangeReadNumbers);
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToRead), "1", "1001"),
                  messagetext::kRangeReadNumbers);
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToDelete), "1001", "1"),
                  messagetext::kRangeDeleteNumbers);
    expectRefused(checkRange(messageRange(MessageRangeKind::NumbersToDelete), "-1", "1"),
                  messagetext::kRangeDeleteNumbers);
}
