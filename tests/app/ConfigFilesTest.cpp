// The file and row commands of the tab "Конфигурация": .cfl files through the buttons, the
// save-first question, and opening a file that leaves the scale choosers alone until the apply
// command runs.

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/ChooserBox.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "common/Cp1251.h"

using namespace qm::app;
using namespace apptest;

namespace
{

const char* const kSaveFirst =
    "Будет открыта новая таблица конфигураций.\r\nВ старой таблице были изменения.\r\nСохранить ?";

// Two scales as a .cfl file holds them: nine lines a row, CR LF, code page 1251.
std::string twoScales()
{
    std::string out;
    for (const char* line : {"1", "Весы A", "Мясо", "3", "COM2", "9600", "", "", "", //
                             "2", "Весы B", "", "4", "COM5", "4800", "", "", "примечание"})
        out += qm::cp(line) + "\r\n";
    return out;
}

class ConfigFiles : public apptest::WindowRig
{
  protected:
    StringGrid* grid() { return form.configTab()->grid(); }
    const qm::Table& table() { return grid()->tableModel()->table(); }
    QStringList entries(const char* chooser)
    {
        QStringList list;
        auto* box = find<ChooserBox>(&form, chooser);
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }
    void setColumn0(const std::vector<std::string>& cells)
    {
        qm::Table t = table();
        t.setRowCount(static_cast<int>(cells.size()) + 1);
        for (size_t r = 0; r < cells.size(); ++r)
            t.setCell(static_cast<int>(r) + 1, 0, cells[r]);
        grid()->tableModel()->setTable(t);
    }
    std::vector<std::string> column0()
    {
        std::vector<std::string> out;
        for (int r = 1; r < table().rowCount(); ++r)
            out.push_back(table().cell(r, 0));
        return out;
    }
    bool& modified() { return form.context().state().configModified; }
};

TEST_F(ConfigFiles, OpeningAFileLeavesTheChoosersUntilApply)
{
    writeFile(dir / "shop.cfl", twoScales());
    dialogs.files = {qm::ChosenFile{dir / "shop.cfl", 1}};
    click("SpeedButton66");
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"CfgOpenDialog"});
    ASSERT_EQ(table().rowCount(), 3);
    EXPECT_EQ(table().cell(1, 1), qm::cp("Весы A"));
    EXPECT_EQ(table().cell(2, 8), qm::cp("примечание"));
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_FALSE(modified());
    EXPECT_EQ(entries("ComboBox10"), QStringList{""}) << "opening a file does not apply it";
    EXPECT_EQ(entries("ComboBox8"), QStringList{""});

    click("SpeedButton85");
    EXPECT_EQ(entries("ComboBox10"), (QStringList{"Весы A", "Весы B"}));
    EXPECT_EQ(entries("ComboBox11"), (QStringList{"Весы A", "Весы B"}));
}

TEST_F(ConfigFiles, SaveWritesTheFileAndANewTableAsksFirst)
{
    writeFile(dir / "shop.cfl", twoScales());
    dialogs.files = {qm::ChosenFile{dir / "shop.cfl", 1}};
    click("SpeedButton66");
    modified() = true;
    dialogs.files = {qm::ChosenFile{dir / "copy.cfl", 1}};
    click("SpeedButton67");
    EXPECT_EQ(readFile(dir / "copy.cfl"), twoScales());
    EXPECT_FALSE(modified());

    // Yes, then the save dialog cancelled: the table stays, and so does the flag.
    modified() = true;
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton65");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
    EXPECT_EQ(table().rowCount(), 3);
    EXPECT_TRUE(modified());

    dialogs.answers = {qm::Answer::No};
    click("SpeedButton65");
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(table().cell(1, 1), "");
    EXPECT_FALSE(modified());
}

TEST_F(ConfigFiles, RowButtonsEditTheTableAndSetTheFlag)
{
    setColumn0({"A", "B", "C"});
    grid()->setCurrentCell(2, 0);
    click("SpeedButton70");
    EXPECT_EQ(column0(), (std::vector<std::string>{"A", "B", "B", "C"}));
    EXPECT_TRUE(modified());

    setColumn0({"5", "3", " 5", "1"});
    click("SpeedButton73");
    EXPECT_EQ(column0(), (std::vector<std::string>{"1", "3", "5", " 5"}));
    EXPECT_TRUE(dialogs.messages.empty());

    setColumn0({"2", "abc"});
    click("SpeedButton73");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Ошибка ввода данных в таблице."});
    EXPECT_EQ(grid()->currentRow(), 2);
}

} // namespace
