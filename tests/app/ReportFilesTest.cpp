// The .acc file commands of the tab "Отчеты": the twelve totals fields `Edit21`..`Edit32` go in
// front of the report table, come back on open, and the save-first questions guard a report
// read from a scale.

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ReportsTab.h"
#include "common/Cp1251.h"

using namespace qm::app;
using namespace apptest;

namespace
{

const char* const kNewQuestion = "Будет открыт новый список отчетов.\r\nВ таблице  были изменения.\r\nСохранить ?";
const char* const kOpenQuestion =
    "Будет открыта новая таблица отчетов.\r\nВ старой таблице были изменения.\r\nСохранить ?";

class ReportFiles : public apptest::WindowRig
{
  protected:
    QLineEdit* field(int number) { return find<QLineEdit>(&form, ("Edit" + std::to_string(number)).c_str()); }
    StringGrid* grid() { return form.reportsTab()->grid(); }
    const qm::Table& table() { return grid()->tableModel()->table(); }
    QStringList fieldTexts()
    {
        QStringList texts;
        for (int n = 21; n <= 32; ++n)
            texts << field(n)->text();
        return texts;
    }
    // A report as reading a scale leaves it: two products and the totals.
    void fillReport()
    {
        qm::Table t = table();
        t.setRowCount(3);
        t.setRow(1, {"1", qm::cp("Молоко"), "", "01.02.03", "10:00:00", "12,50", "1,000", "3"});
        t.setRow(2, {"17", qm::cp("Хлеб"), qm::cp("ржаной"), "", "", "0,40", "0,000", "1"});
        grid()->tableModel()->setTable(t);
        for (int n = 21; n <= 32; ++n)
            field(n)->setText(QString::number(n * 10));
        field(23)->setText("05.06.07");
        // "По всем PLU" as the rows add up.
        field(25)->setText("12,9");
        field(26)->setText("4");
        field(27)->setText("1");
        form.context().state().reportsModified = true;
    }
    bool& modified() { return form.context().state().reportsModified; }
};

TEST_F(ReportFiles, SaveThenOpenBringsBackTableAndTotals)
{
    fillReport();
    const QStringList totals = fieldTexts();
    const qm::Table report = table();
    dialogs.files = {qm::ChosenFile{dir / "day.acc", 1}};
    click("SpeedButton15");
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"AccSaveDialog"});
    EXPECT_FALSE(modified());
    const auto lines = fileLines(dir / "day.acc");
    ASSERT_EQ(lines.size(), 12u + 16u);
    EXPECT_EQ(lines[0], "210");
    EXPECT_EQ(lines[2], "05.06.07");
    EXPECT_EQ(lines[11], "320");
    EXPECT_EQ(lines[12], "1");
    EXPECT_EQ(lines[13], qm::cp("Молоко"));
    EXPECT_EQ(lines[27], "1");

    // New empties the table and keeps the fields.
    click("SpeedButton13");
    EXPECT_TRUE(dialogs.questions.empty()) << "nothing to save after the save";
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(fieldTexts(), totals);
    for (int n = 21; n <= 32; ++n)
        field(n)->setText("x");

    dialogs.files = {qm::ChosenFile{dir / "day.acc", 1}};
    click("SpeedButton14");
    EXPECT_EQ(fieldTexts(), totals);
    EXPECT_EQ(table(), report);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_FALSE(modified());
}

TEST_F(ReportFiles, AShortFileEmptiesTheFieldsItLacks)
{
    writeFile(dir / "short.acc", "1\r\n2\r\n3\r\n4\r\n5\r\n");
    dialogs.files = {qm::ChosenFile{dir / "short.acc", 1}};
    click("SpeedButton14");
    EXPECT_EQ(fieldTexts(), (QStringList{"1", "2", "3", "4", "5", "", "", "", "", "", "", ""}));
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(table().cell(1, 0), "");
}

TEST_F(ReportFiles, SaveFirstQuestionsOfNewAndOpen)
{
    fillReport();
    // Yes, then the save dialog cancelled: the report stays unsaved and whole.
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton13");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kNewQuestion});
    EXPECT_EQ(table().rowCount(), 3);
    EXPECT_TRUE(modified());

    dialogs.answers = {qm::Answer::Cancel};
    click("SpeedButton14");
    EXPECT_EQ(dialogs.questions.back(), kOpenQuestion);
    EXPECT_EQ(table().rowCount(), 3);
    EXPECT_TRUE(modified());

    // No, then the open dialog cancelled: the table is empty, the flag clear, the fields kept.
    const QStringList totals = fieldTexts();
    dialogs.answers = {qm::Answer::No};
    click("SpeedButton14");
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(table().cell(1, 0), "");
    EXPECT_FALSE(modified());
    EXPECT_EQ(fieldTexts(), totals);
}

TEST_F(ReportFiles, OpenEndsOnTheFirstCellEvenWhenTheTableIsAlreadyThatOfTheFile)
{
    // Twelve totals and no rows: the table read equals the empty table shown.
    std::string bytes;
    for (int n = 1; n <= 12; ++n)
        bytes += std::to_string(n) + "\r\n";
    writeFile(dir / "totals.acc", bytes);
    grid()->setCurrentCell(1, 4);
    dialogs.files = {qm::ChosenFile{dir / "totals.acc", 1}};
    click("SpeedButton14");
    EXPECT_EQ(field(32)->text(), "12");
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(grid()->currentCol(), 0);
}

} // namespace
