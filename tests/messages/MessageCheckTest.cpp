// The message row rule and the check command.
#include <gtest/gtest.h>

#include "common/TableLayouts.h"
#include "messages/MessageCheck.h"
#include "messages/MessageTexts.h"
#include "support/ScriptedFeedback.h"

using namespace qm;

namespace
{

Table messagesNumbered(const std::vector<std::string>& numbers)
{
    Table t = makeTable(messageLayout());
    std::vector<Row> rows;
    for (const auto& n : numbers) {
        Row r(kMessageColumns);
        r[0] = n;
        r[1] = "line";
        rows.push_back(r);
    }
    t.setDataRows(rows);
    return t;
}

} // namespace

TEST(MsgCheckError, NumberMustBeAnIntegerTextFrom1To1000)
{
    const Table t = messagesNumbered({"1", "1000", " 5", "$10", "0", "1001", "-5", "", "12a", "5 ", "+7"});
    EXPECT_FALSE(MsgCheckError(t, 1));
    EXPECT_FALSE(MsgCheckError(t, 2));
    EXPECT_FALSE(MsgCheckError(t, 3)) << "a leading blank passes";
    EXPECT_FALSE(MsgCheckError(t, 4)) << "hexadecimal $10 is 16";
    EXPECT_TRUE(MsgCheckError(t, 5));
    EXPECT_TRUE(MsgCheckError(t, 6));
    EXPECT_TRUE(MsgCheckError(t, 7));
    EXPECT_TRUE(MsgCheckError(t, 8));
    EXPECT_TRUE(MsgCheckError(t, 9));
    EXPECT_TRUE(MsgCheckError(t, 10)) << "a trailing blank fails";
    EXPECT_FALSE(MsgCheckError(t, 11));
}

TEST(MsgCheckError, LinesAreNotCheckedAndNumbersMayRepeat)
{
    Table t = messagesNumbered({"3", "3"});
    t.setCell(1, 1, std::string(60, 'x'));
    EXPECT_FALSE(MsgCheckError(t, 1));
    EXPECT_FALSE(MsgCheckError(t, 2));
}

TEST(CheckMessageTable, StopsAtFirstBadRowWithCursorOnIt)
{
    qmtest::ScriptedFeedback fb;
    const Table t = messagesNumbered({"1", "2", "0", "x"});
    EXPECT_FALSE(checkMessageTable(t, fb));
    ASSERT_EQ(fb.messages, std::vector<std::string>{messagetext::kRowError});
    EXPECT_EQ(fb.cursor.back(), (qmtest::Cursor{TableId::Messages, 3, 0}));
    EXPECT_EQ(fb.progressMaximum, 4);
    EXPECT_EQ(fb.progress.back(), 3);
    EXPECT_FALSE(fb.progressVisible);
}

TEST(CheckMessageTable, GoodTableAndTableOfOneEmptyRow)
{
    qmtest::ScriptedFeedback fb;
    EXPECT_TRUE(checkMessageTable(messagesNumbered({"1", "1", "1000"}), fb));
    EXPECT_EQ(fb.lastMessage(), messagetext::kTableOk);
    EXPECT_EQ(fb.progressEnds, 1);

    qmtest::ScriptedFeedback empty;
    EXPECT_FALSE(checkMessageTable(makeTable(messageLayout()), empty));
    EXPECT_EQ(empty.lastMessage(), messagetext::kRowError);
    EXPECT_EQ(empty.cursor.back(), (qmtest::Cursor{TableId::Messages, 1, 0}));
}
