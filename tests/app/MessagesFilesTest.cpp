// The file commands of the tab "Сообщения": .msg files through the buttons, and renumbering
// after its question.

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/MessagesTab.h"
#include "common/Cp1251.h"

using namespace qm::app;
using namespace apptest;

namespace
{

class MessagesFiles : public apptest::WindowRig
{
  protected:
    StringGrid* grid() { return form.messagesTab()->grid(); }
    const qm::Table& table() { return grid()->tableModel()->table(); }
    bool& modified() { return form.context().state().messagesModified; }
};

TEST_F(MessagesFiles, OpenRenumberSaveAndOpenAgain)
{
    // 20 lines: two whole rows and a third with its first two cells.
    std::string bytes;
    for (int i = 1; i <= 20; ++i)
        bytes += (i % 9 == 1 ? std::to_string(i) : qm::cp("строка ") + std::to_string(i)) + "\r\n";
    writeFile(dir / "in.msg", bytes);
    dialogs.files = {qm::ChosenFile{dir / "in.msg", 1}};
    click("SpeedButton44");
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"MsgOpenDialog"});
    ASSERT_EQ(table().rowCount(), 4);
    EXPECT_EQ(table().cell(3, 0), "19");
    EXPECT_EQ(table().cell(3, 1), qm::cp("строка 20"));
    EXPECT_EQ(table().cell(3, 2), "");
    EXPECT_FALSE(modified());

    // No keeps the numbers; Yes numbers the rows 1, 2, 3.
    click("SpeedButton78");
    EXPECT_EQ(table().cell(2, 0), "10");
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton78");
    EXPECT_EQ(dialogs.questions,
              (std::vector<std::string>{"ВНИМАНИЕ !\r\nНомера ячеек MSG будут изменены.\r\nПродолжить ?",
                                        "ВНИМАНИЕ !\r\nНомера ячеек MSG будут изменены.\r\nПродолжить ?"}));
    EXPECT_EQ(table().cell(1, 0), "1");
    EXPECT_EQ(table().cell(2, 0), "2");
    EXPECT_EQ(table().cell(3, 0), "3");
    EXPECT_TRUE(modified());

    dialogs.files = {qm::ChosenFile{dir / "out.msg", 1}};
    click("SpeedButton45");
    EXPECT_FALSE(modified());
    const auto lines = fileLines(dir / "out.msg");
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[9], "2");
    EXPECT_EQ(lines[10], qm::cp("строка 11"));

    const qm::Table saved = table();
    click("SpeedButton43");
    EXPECT_EQ(table().rowCount(), 2);
    dialogs.files = {qm::ChosenFile{dir / "out.msg", 1}};
    click("SpeedButton44");
    EXPECT_EQ(table(), saved);
}

TEST_F(MessagesFiles, CancelAtTheSaveFirstQuestionLeavesTableAndCursor)
{
    qm::Table t = table();
    t.setRowCount(3);
    t.setRow(1, {"5", qm::cp("первая")});
    t.setRow(2, {"6", qm::cp("вторая")});
    grid()->tableModel()->setTable(t);
    grid()->setCurrentCell(2, 3);
    modified() = true;
    for (const char* command : {"SpeedButton43", "SpeedButton44"}) {
        dialogs.answers = {qm::Answer::Cancel};
        click(command);
        EXPECT_EQ(table(), t) << command;
        EXPECT_EQ(grid()->currentRow(), 2) << command;
        EXPECT_EQ(grid()->currentCol(), 3) << command;
        EXPECT_TRUE(modified()) << command;
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
