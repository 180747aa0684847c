#include <gtest/gtest.h>

#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "support/ScriptedFeedback.h"

namespace
{
qm::Table configWith(std::vector<qm::Row> rows)
{
    auto t = qm::makeTable(qm::configLayout());
    t.setDataRows(std::move(rows));
    return t;
}
qm::Row scaleRow(std::string name, std::string number, std::string port, std::string speed)
{
    return {"1", std::move(name), "", std::move(number), std::move(port), std::move(speed), "", "", ""};
}
} // namespace

TEST(CfgCheckError, ChecksNumberPortSpeedInOrder)
{
    struct Case {
        const char *number, *port, *speed;
        bool wrong;
        int code, column;
    };
    const Case cases[] = {
        {"5", "COM1", "9600", false, 3, -1},
        {"$10", "com16", " 9600", false, 3, -1}, // "$10" is 16; a leading blank passes
        {"0", "COM1", "9600", true, 1, 3},
        {"100", "COM1", "9600", true, 1, 3},
        {"", "COM1", "9600", true, 1, 3},
        {"5", "COM0", "9600", true, 2, 4},
        {"5", "COM17", "9600", true, 2, 4},
        {"5", "COM", "9600", true, 2, 4},
        {"5", "COMx", "9600", true, 2, 4},
        {"5", "PORT1", "9600", true, 2, 4},
        {"5", "COM01", "9600", false, 3, -1}, // the number part is an integer text
        {"5", "com 1", "9600", false, 3, -1},
        {"5", "COM1", "9600 ", true, 3, 5},
        {"5", "COM1", "14400", true, 3, 5},
        {"5", "COM1", "", true, 3, 5},
    };
    for (const auto& c : cases) {
        const auto t = configWith({scaleRow("A", c.number, c.port, c.speed)});
        int code = 0, column = 0;
        EXPECT_EQ(qm::CfgCheckError(t, 1, code, column), c.wrong) << c.number << "|" << c.port << "|" << c.speed;
        EXPECT_EQ(code, c.code) << c.number << "|" << c.port << "|" << c.speed;
        EXPECT_EQ(column, c.column) << c.number << "|" << c.port << "|" << c.speed;
    }
}

TEST(NumberColFrom, FirstExactMatch)
{
    const auto t = configWith({scaleRow("Весы", "1", "COM1", "9600"), scaleRow("весы", "2", "COM2", "9600"),
                               scaleRow("Весы", "3", "COM3", "9600"), scaleRow("", "4", "COM4", "9600")});
    EXPECT_EQ(qm::NumberColFrom(t, "Весы"), 1);
    EXPECT_EQ(qm::NumberColFrom(t, "весы"), 2);
    EXPECT_EQ(qm::NumberColFrom(t, "Весы "), -1);
    EXPECT_EQ(qm::NumberColFrom(t, ""), 4); // an empty chooser matches the first empty name
}

TEST(CheckConfigTable, StopsAtFirstWrongRowWithItsMessage)
{
    qmtest::ScriptedFeedback fb;
    const auto good = configWith({scaleRow("A", "1", "COM1", "9600"), scaleRow("B", "2", "COM2", "19200")});
    EXPECT_TRUE(qm::checkConfigTable(good, fb));
    EXPECT_EQ(fb.messages.back(), "Таблица конфигурации ошибок не имеет.");

    fb.messages.clear();
    const auto bad = configWith({scaleRow("A", "1", "COM1", "9600"), scaleRow("B", "2", "COM2", "1200")});
    EXPECT_FALSE(qm::checkConfigTable(bad, fb));
    ASSERT_EQ(fb.messages.size(), 1u);
    EXPECT_EQ(fb.messages[0], "Неправильно задан параметр скорости обмена. Это число 2400, 4800, 9600 или 19200.");
    ASSERT_FALSE(fb.cursor.empty());
    EXPECT_EQ(fb.cursor.back(), (qmtest::Cursor{qm::TableId::Config, 2, 5}));

    fb.messages.clear();
    EXPECT_FALSE(qm::checkConfigTable(qm::makeTable(qm::configLayout()), fb)); // one empty row
    EXPECT_EQ(fb.messages.at(0), "Неправильно задан номер весов. Это целое число от 1 до 99.");

    fb.messages.clear();
    EXPECT_FALSE(qm::checkConfigTable(configWith({scaleRow("A", "1", "LPT1", "9600")}), fb));
    EXPECT_EQ(fb.messages.at(0), "Неправильно задан параметр подключения. Его значение COM1, COM2,...или COM16 "
                                 "(лат.буквы, без пробела).");
}
