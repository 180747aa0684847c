// The state file: its JSON form, its checks, and a scale that keeps its state over a restart.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <variant>

#include "ScaleLine.h"
#include "ScaleText.h"
#include "StateBuilder.h"
#include "StateFile.h"

using emutest::Bytes;
using emutest::ScaleLine;

TEST(EmuState, JsonKeepsEveryFieldAndEveryByteOfTheTexts)
{
    emu::PluRecord r;
    r.code = 999999;
    r.name1 = std::string("\xF0\xF1 \"q\" \\ ") + std::string(1, '\0') + "\x01\x02\x7F\xB0\xFF";
    r.name1.resize(emu::kNameWidth, ' ');
    for (int i = 0; i < 28; ++i)
        r.name2[static_cast<std::size_t>(i)] = static_cast<char>(0x80 + i * 4);
    r.price = 0xFFFFFFFF;
    r.shelf = 311299;
    r.tare = 65535;
    r.group = 7;
    r.message = 1000;
    r.resetTime = 235959;
    r.resetDate = 10125;
    r.sum = 1;
    r.weight = 2;
    r.sales = 0xFFFFFF;
    emu::StateBuilder builder(12);
    builder.plu(4000, r).plu(1, "Хлеб", 3200).message(1000, {"Строка 1", "", "line 3"}).range(5, 9);

    const std::string json = builder.json();
    const auto parsed = emu::stateFromJson(json);
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(parsed)) << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<emu::ScaleState>(parsed), builder.state());
    EXPECT_NE(json.find("\"Хлеб                        \""), std::string::npos) << json;
    EXPECT_NE(json.find("\"name1\": \"Ёё \\\"q\\\" \\\\ \\u0000\\u0001\\u0002\\u007F°ÿ"), std::string::npos) << json;

    // Every byte value survives the readable form.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(emu::utf8ToScale(emu::scaleToUtf8(all)), all);
    EXPECT_EQ(emu::scaleToUtf8("\x80\xAF\xE0\xEF\xF0\xF1"), "АпряЁё");
    EXPECT_FALSE(emu::utf8ToScale("€").has_value());
    EXPECT_FALSE(emu::utf8ToScale("\xC3\xA0").has_value()); // à would be the byte of р
    EXPECT_FALSE(emu::utf8ToScale("\xC0\x81").has_value()); // overlong
    EXPECT_FALSE(emu::utf8ToScale("\xD0").has_value());     // cut short
}

TEST(EmuState, HandWrittenStatesAreCheckedStrictly)
{
    const auto state = emu::stateFromJson(R"({"plu": {"3": {"name1": "Мёд", "price": 4550}}, "range": null})");
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(state));
    const auto& plu3 = std::get<emu::ScaleState>(state).plu.at(3);
    EXPECT_EQ(plu3.name1, emu::scaleName("Мёд"));
    EXPECT_EQ(plu3.name2, std::string(28, ' '));
    EXPECT_EQ(plu3.price, 4550u);

    for (const char* bad : {
             R"({"plu": {"3": {"prise": 1}}})", // a typo
             R"({"plu": {"0": {}}})",           // PLU 0
             R"({"plu": {"4001": {}}})",
             R"({"plu": {"03": {}}})",
             R"({"plu": {"3": {"code": 1000000}}})",
             R"({"plu": {"3": {"tare": -1}}})",
             R"({"plu": {"3": {"price": 1.5}}})",
             R"({"plu": {"3": {"name1": "12345678901234567890123456789"}}})",
             R"({"plu": {"3": {"name1": "€"}}})",
             R"({"messages": {"1001": []}})",
             R"({"messages": {"1": ["", "", "", "", "", "", "", "", ""]}})",
             R"({"range": [5, 4]})",
             R"({"number": 100})",
             R"({"plu": {)",
         }) {
        EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(bad))) << bad;
    }
    EXPECT_THROW({ qmtest::EmuProcess scale(emutest::withState(1, R"({"plu": {"3": {"prise": 1}}})")); },
                 std::runtime_error);
}

TEST(EmuState, TheStateSurvivesARestartAndIsCurrentAfterEachAnswer)
{
    std::string saved;
    {
        ScaleLine line;
        // Quick writes in a row: the state read after the last answer holds every one.
        for (std::uint8_t plu = 1; plu <= 5; ++plu) {
            Bytes record(84, 0x00);
            record[0] = 0x82;
            record[1] = plu;
            record[67] = plu; // price
            for (std::size_t i = 11; i < 67; ++i)
                record[i] = 0x41;
            ASSERT_EQ(line.command(record, 1), (Bytes{0xAA}));
        }
        EXPECT_EQ(line.scale.state().plu.size(), 5u);
        ASSERT_EQ(line.command({0x87, 0x02, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
        line.scale.stop();
        std::ifstream in(line.scale.statePath());
        std::ostringstream text;
        text << in.rdbuf();
        saved = text.str();
    }
    ScaleLine again(emutest::withState(1, saved));
    const auto state = again.scale.state();
    EXPECT_EQ(state.plu.size(), 5u);
    EXPECT_EQ(state.plu.at(4).price, 4u);
    EXPECT_EQ(emu::scaleToUtf8(state.plu.at(4).name1), std::string(28, 'A'));
    ASSERT_TRUE(state.range.has_value());
    // The range is still set, so the number is a poll now, and the record reads back.
    EXPECT_EQ(again.port.exchange({1}, 2), (Bytes{1, 0x80}));
    const Bytes read = again.port.exchange({0x81, 0x04, 0x00, 0x00, 0x00}, 101);
    ASSERT_EQ(read.size(), 101u);
    EXPECT_EQ(read[67], 4);
}
