// "Протестировать выбранные весы" end to end: the chosen scale's row, the port named through
// ports.cfg, the worker thread, and the answer in row 1 of the test table.

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ChooserBox.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/TestsTab.h"
#include "common/Cp1251.h"
#include "support/EmuProcess.h"

using namespace qm::app;
using apptest::find;

namespace
{

class LinkTestButton : public ::testing::Test
{
  protected:
    // The configuration of one scale "Весы 1" and the chooser of the tests tab on it.
    void configure(TForm1& form, const std::string& number, const std::string& port)
    {
        qm::Table config = form.configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы 1"), "", number, port, "9600"});
        form.configTab()->grid()->tableModel()->setTable(config);
        form.configTab()->SpeedButton85Click();
        find<ChooserBox>(&form, "ComboBox11")->setText("Весы 1");
    }
    std::vector<std::string> testRow(TForm1& form)
    {
        const qm::Table& t = form.testsTab()->grid()->tableModel()->table();
        std::vector<std::string> row;
        for (int c = 0; c < t.columnCount(); ++c)
            row.push_back(qm::cp1251ToUtf8(t.cell(1, c)));
        return row;
    }
    void runTest(TForm1& form)
    {
        QTest::mouseClick(find<QToolButton>(&form, "SpeedButton80"), Qt::LeftButton);
        ASSERT_TRUE(form.context().runner().waitIdle(10000));
    }

    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
};

TEST_F(LinkTestButton, PortThatCannotBeOpenedIsReportedInTheTable)
{
    apptest::writeFile(dir / "ports.cfg", "COM3=" + (dir / "no-such-tty").string() + "\n");
    qputenv("QMSCALES_TRACE", "trace.log");
    TForm1 form(&dialogs);
    qunsetenv("QMSCALES_TRACE");
    configure(form, "5", "COM3");
    runTest(form);
    EXPECT_EQ(testRow(form),
              (std::vector<std::string>{"1", "Весы 1", "COM3", "порт не подключен", "неизвестно", "неизвестно"}));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.errors.empty());
    // The byte trace names the device the port map gave COM3.
    EXPECT_NE(apptest::readFile(dir / "trace.log").find("no-such-tty"), std::string::npos);
}

TEST_F(LinkTestButton, UnknownScaleOrWrongRowGivesTheMessages)
{
    TForm1 form(&dialogs);
    configure(form, "100", "COM3");
    find<ChooserBox>(&form, "ComboBox11")->setText("Другие");
    runTest(form);
    find<ChooserBox>(&form, "ComboBox11")->setText("Весы 1");
    runTest(form);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{
                                    "Для тестирования выберите весы из списка.",
                                    "Проверьте правильность заполнения таблицы конфигурации для выбранных весов."}));
    EXPECT_EQ(form.configTab()->grid()->currentRow(), 1);
    EXPECT_EQ(form.configTab()->grid()->currentCol(), 3) << "the cursor goes to the wrong cell";
}

TEST_F(LinkTestButton, WorkingScaleAnswersWithItsNumber)
{
    qmtest::EmuOptions options;
    options.number = 5;
    qmtest::EmuProcess scale(options);
    scale.writePortsCfg(dir.path().string(), 3);
    TForm1 form(&dialogs);
    configure(form, "5", "COM3");
    runTest(form);
    const auto row = testRow(form);
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[2], "COM3");
    EXPECT_EQ(row[3], "порт подключен");
    EXPECT_EQ(row[5], "рабочее");
    const int answerTime = std::stoi(row[4]);
    EXPECT_GE(answerTime, 1);
    EXPECT_EQ(scale.received(), std::vector<std::uint8_t>{5});
    EXPECT_TRUE(dialogs.messages.empty());

    // The port stays open between operations; a second test of the same scale works as well.
    runTest(form);
    EXPECT_EQ(testRow(form)[5], "рабочее");
}

} // namespace
