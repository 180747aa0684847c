// The configuration tab's check command: its messages and the cursor on the wrong cell.

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"

using namespace qm::app;

namespace
{

class ConfigCheck : public apptest::WindowRig
{
  protected:
    void setRows(const std::vector<qm::Row>& rows)
    {
        qm::Table config = grid()->tableModel()->table();
        config.setDataRows(rows);
        grid()->tableModel()->setTable(config);
    }
    StringGrid* grid() { return form.configTab()->grid(); }
};

TEST_F(ConfigCheck, EmptyTableFailsAtTheScaleNumber)
{
    form.configTab()->SpeedButton74Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Неправильно задан номер весов. Это целое число от 1 до 99.");
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(grid()->currentCol(), 3);
}

TEST_F(ConfigCheck, FirstWrongRowGetsItsMessageAndTheCursor)
{
    setRows({{"1", "A", "", "1", "COM1", "9600"},
             {"2", "B", "", "$10", "COM17", "9600"},
             {"3", "C", "", "3", "COM3", "1200"}});
    form.configTab()->SpeedButton74Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Неправильно задан параметр подключения. Его значение COM1, COM2,...или COM16 (лат.буквы, без пробела).");
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 4);

    setRows({{"1", "A", "", "1", "COM1", "9600"}, {"3", "C", "", "3", "COM3", "9600 "}});
    form.configTab()->SpeedButton74Click();
    EXPECT_EQ(dialogs.messages.back(),
              "Неправильно задан параметр скорости обмена. Это число 2400, 4800, 9600 или 19200.");
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 5);
}

TEST_F(ConfigCheck, CorrectTableSaysSo)
{
    setRows({{"1", "A", "", "1", "com16", " 19200"}, {"2", "B", "", "$10", "COM01", "2400"}});
    form.configTab()->SpeedButton74Click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Таблица конфигурации ошибок не имеет."});
    EXPECT_FALSE(form.context().state().configModified);
}

} // namespace
