// The steps every operation shares, without a scale: results and failures as values, the range
// check of the dialogs, the field numbers, the delete question and the progress display.
#include <gtest/gtest.h>

#include "common/Feedback.h"
#include "common/RangeCheck.h"
#include "operation/ScaleOperation.h"
#include "support/ScriptedFeedback.h"

using namespace qm;

TEST(OperationResult, DoneIsTrueAndEveryOtherOutcomeFalse)
{
    EXPECT_TRUE(OperationResult::done());
    EXPECT_FALSE(OperationResult::cancelled());
    EXPECT_FALSE(OperationResult::stopped());
    const auto failed = OperationResult::failed(Failure::plain(FailureKind::NoAck, "x"));
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed, TransferOutcome::Failed);
    ASSERT_TRUE(failed.failure);
    EXPECT_EQ(failed.failure->kind, FailureKind::NoAck);
    EXPECT_FALSE(failed.failure->table);
    EXPECT_EQ(failed.failure->row, -1);
    EXPECT_EQ(failed.failure->record, -1);
}

TEST(Failure, NamesACellOnlyWithTableRowAndColumn)
{
    EXPECT_TRUE(Failure::at(FailureKind::BadRow, "x", TableId::Products, 2, 3).namesCellOf(TableId::Products));
    EXPECT_FALSE(Failure::at(FailureKind::BadRow, "x", TableId::Products, 2, 3).namesCellOf(TableId::Messages));
    EXPECT_FALSE(Failure::at(FailureKind::NoAck, "x", TableId::Products, 2, -1).namesCellOf(TableId::Products));
    EXPECT_FALSE(Failure::at(FailureKind::BadRow, "x", TableId::Products, 0, 0).namesCellOf(TableId::Products));
}

TEST(FeedbackFailure, IsShownAsItsTextAndReturned)
{
    qmtest::ScriptedFeedback fb;
    const auto result = failed(fb, Failure::plain(FailureKind::NoLink, "нет связи").forRecord(7));
    EXPECT_EQ(fb.messages, std::vector<std::string>{"нет связи"});
    ASSERT_EQ(fb.failures.size(), 1u);
    EXPECT_EQ(fb.failures[0].record, 7);
    EXPECT_EQ(result.failure->text, "нет связи");
}

TEST(CheckedRange, RefusedRangeFailsWithTheDialogsMessage)
{
    qmtest::ScriptedFeedback fb;
    NumberRange range;
    EXPECT_TRUE(checkedRange(fb, tableRowsRule(TableId::Products), 5, 2, 10, range));
    EXPECT_EQ(range.first, 2);
    EXPECT_EQ(range.last, 5);
    const auto refused = checkedRange(fb, numbersRule(1000, "числа"), 0, 5, 0, range);
    EXPECT_EQ(refused, TransferOutcome::Failed);
    EXPECT_EQ(refused.failure->kind, FailureKind::RangeRefused);
    EXPECT_EQ(fb.messages, std::vector<std::string>{"числа"});
}

TEST(NumberField, AcceptsOneToHighestOnly)
{
    qmtest::ScriptedFeedback fb;
    int number = 0;
    EXPECT_TRUE(numberField(fb, "$10", 4000, "bad", number));
    EXPECT_EQ(number, 16);
    for (const char* text : {"0", "4001", "", "1x"}) {
        const auto result = numberField(fb, text, 4000, "bad", number);
        EXPECT_EQ(result, TransferOutcome::Failed) << text;
        EXPECT_EQ(result.failure->kind, FailureKind::BadNumber) << text;
    }
    EXPECT_EQ(fb.messages.size(), 4u);
}

TEST(Confirmed, OnlyYesGoesOn)
{
    qmtest::ScriptedFeedback fb;
    fb.answers = {Answer::Yes, Answer::No};
    EXPECT_TRUE(confirmed(fb, "q"));
    EXPECT_EQ(confirmed(fb, "q"), TransferOutcome::Cancelled);
    EXPECT_EQ(fb.questions.size(), 2u);
}

TEST(ProgressDisplay, HidesOnceAtEndOrWhenItGoesOutOfScope)
{
    qmtest::ScriptedFeedback fb;
    {
        ProgressDisplay display(fb, 5);
        EXPECT_TRUE(fb.progressVisible);
        EXPECT_TRUE(fb.counterVisible);
        display.end();
        display.end();
    }
    EXPECT_EQ(fb.progressEnds, 1);
    {
        ProgressDisplay display(fb, 3, ProgressDisplay::Counter::Hidden);
        EXPECT_FALSE(fb.counterVisible);
        display.restart(4);
        EXPECT_EQ(fb.progressMaximum, 4);
        EXPECT_TRUE(fb.counterVisible);
    }
    EXPECT_EQ(fb.progressEnds, 2);
    EXPECT_FALSE(fb.progressVisible);
}
