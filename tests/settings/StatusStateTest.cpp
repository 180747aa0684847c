// The emulated scale's status, price keys and factory settings in its state file.

#include <gtest/gtest.h>

#include <variant>

#include "StateFile.h"

namespace
{

std::string errorOf(const std::string& json)
{
    const auto result = emu::stateFromJson(json);
    const auto* error = std::get_if<std::string>(&result);
    return error ? *error : std::string();
}

} // namespace

TEST(StatusState, RoundTrip)
{
    emu::ScaleState s;
    s.status.flags = 0x28;
    s.status.weight = -65535;
    s.status.price = 0xFFFFFFFF;
    s.priceKeys[0] = 7;
    s.priceKeys[53] = 4000;
    s.factory.capacity = 6000;
    s.factory.tareLimit = 65535;
    const auto back = emu::stateFromJson(emu::stateToJson(s));
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(back));
    EXPECT_EQ(std::get<emu::ScaleState>(back), s);
}

TEST(StatusState, MembersLeftOutKeepTheirDefaults)
{
    const auto back = emu::stateFromJson(R"({"status": {"weight": 5}, "priceKeys": {"3": 12}})");
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(back));
    const auto& s = std::get<emu::ScaleState>(back);
    EXPECT_EQ(s.status.weight, 5);
    EXPECT_EQ(s.status.flags, 0);
    EXPECT_EQ(s.priceKeys[2], 12u);
    EXPECT_EQ(s.priceKeys[1], 0u);
    EXPECT_EQ(s.factory, emu::FactoryValues{});
}

TEST(StatusState, WrongValuesAreRefused)
{
    EXPECT_NE(errorOf(R"({"status": {"flags": 128}})"), "");
    EXPECT_NE(errorOf(R"({"status": {"weight": 65536}})"), "");
    EXPECT_NE(errorOf(R"({"status": {"colour": 1}})"), "");
    EXPECT_NE(errorOf(R"({"priceKeys": {"55": 1}})"), "");
    EXPECT_NE(errorOf(R"({"priceKeys": {"0": 1}})"), "");
    EXPECT_NE(errorOf(R"({"priceKeys": {"1": 4294967296}})"), "");
    EXPECT_NE(errorOf(R"({"factory": {"capacity": 65536}})"), "");
    EXPECT_EQ(errorOf(R"({"priceKeys": {"54": 4000, "1": 4001}, "factory": {"rounding": 255}})"), "");
}
