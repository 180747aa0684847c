// The cell-per-line layout of .pl6, .msg and .cfl files: lines, rows, 0x1A and short files.

#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/TableFiles.h"

namespace qm
{
namespace
{

using Lines = std::vector<std::string>;

TEST(TextLines, EndsAndEndOfFileByte)
{
    EXPECT_EQ(textLines(""), Lines{});
    EXPECT_EQ(textLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(textLines("a\r\nb"), (Lines{"a", "b"}));           // last line without its break
    EXPECT_EQ(textLines("a\r\n\r\n"), (Lines{"a", ""}));         // an empty line is a line
    EXPECT_EQ(textLines("a\nb\rc\r\n"), (Lines{"a", "b", "c"})); // lone LF and CR end lines too
    EXPECT_EQ(textLines("a\r\nb\x1A"
                        "c\r\nd\r\n"),
              (Lines{"a", "b"})); // 0x1A ends the file mid-line
    EXPECT_EQ(textLines("\x1A"
                        "a\r\n"),
              Lines{});
    EXPECT_EQ(textLines(std::string("a\0b\r\n", 5)), Lines{std::string("a\0b", 3)});
}

TEST(CellFile, MessageFileOfTwentyLinesGivesThreeRows)
{
    std::string bytes;
    for (int i = 1; i <= 20; ++i)
        bytes += "L" + std::to_string(i) + "\r\n";
    const Table t = readMessageBytes(bytes);
    ASSERT_EQ(t.lastRow(), 3);
    EXPECT_EQ(t.cell(1, 0), "L1");
    EXPECT_EQ(t.cell(2, 8), "L18");
    EXPECT_EQ(t.cell(3, 0), "L19");
    EXPECT_EQ(t.cell(3, 1), "L20");
    for (int c = 2; c < 9; ++c)
        EXPECT_EQ(t.cell(3, c), "") << c;
}

TEST(CellFile, EmptyFileAndExtraEmptyLine)
{
    EXPECT_EQ(readPl6Bytes(""), makeTable(productLayout()));

    std::string oneRow;
    for (int c = 0; c < 11; ++c)
        oneRow += "x\r\n";
    EXPECT_EQ(readPl6Bytes(oneRow).lastRow(), 1);
    const Table extra = readPl6Bytes(oneRow + "\r\n");
    ASSERT_EQ(extra.lastRow(), 2); // one extra empty line gives one more, empty row
    EXPECT_EQ(extra.row(2), Row(11));
    EXPECT_EQ(readPl6Bytes(oneRow + "\x1A"
                                    "y\r\n")
                  .lastRow(),
              1);
}

TEST(CellFile, WritesEveryCellOnItsLineAndReadsBack)
{
    Table t = makeTable(messageLayout());
    t.setRowCount(3);
    t.setCell(1, 0, "1");
    t.setCell(1, 1, cp(" Хлеб "));
    t.setCell(2, 0, "2");
    t.setCell(2, 8, "end");
    const std::string bytes = cellFileBytes(t);
    const std::string expected = "1\r\n \xD5\xEB\xE5\xE1 \r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                 "2\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nend\r\n";
    EXPECT_EQ(bytes, expected); // two rows: 18 lines
    EXPECT_EQ(readMessageBytes(bytes), t);
}

TEST(CellFile, LineBreakInsideACellCannotShiftTheFile)
{
    Table t = makeTable(configLayout());
    t.setCell(1, 1, "a\r\nb");
    t.setCell(1, 2,
              "c\x1A"
              "d");
    t.setCell(1, 8, "last");
    const Table back = readConfigBytes(cellFileBytes(t));
    ASSERT_EQ(back.lastRow(), 1);
    EXPECT_EQ(back.cell(1, 1), "a  b");
    EXPECT_EQ(back.cell(1, 2), "c d");
    EXPECT_EQ(back.cell(1, 8), "last");
}

} // namespace
} // namespace qm
