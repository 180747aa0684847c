// The logo commands of the emulated scale, byte for byte, and the logo in its state file.
#include <gtest/gtest.h>

#include <variant>

#include "ScaleLine.h"
#include "StateBuilder.h"
#include "StateFile.h"

using emutest::Bytes;
using emutest::concat;
using emutest::ScaleLine;

TEST(EmuLogo, WriteThenReadGivesTheSameBytesAfterALeadingByte)
{
    ScaleLine line;
    EXPECT_EQ(line.command({0x97}, 513), Bytes(513, 0x00)) << "a new scale holds a white logo";

    Bytes logo(512, 0x00);
    logo[0] = 0x80;   // dot (0, 0)
    logo[9] = 0x40;   // dot (9, 1)
    logo[511] = 0x01; // dot (63, 63)
    EXPECT_EQ(line.command(concat({{0x8C}, logo}), 1), (Bytes{0xAA}));
    EXPECT_EQ(line.command({0x97}, 513), concat({{0x00}, logo}));
    EXPECT_TRUE(line.port.readFor(50).empty());
    const auto state = line.scale.state();
    EXPECT_TRUE(std::equal(logo.begin(), logo.end(), state.logo.begin()));
}

TEST(EmuLogo, ARefusedWriteKeepsTheOldLogo)
{
    emu::LogoBytes old{};
    old.fill(0x0F);
    qmtest::EmuOptions options = emutest::withState(1, emu::StateBuilder().logo(old).json());
    options.faults = {"nak@0x8C"};
    ScaleLine line(options);
    EXPECT_EQ(line.command(concat({{0x8C}, Bytes(512, 0xFF)}), 1), (Bytes{0x00}));
    EXPECT_EQ(line.scale.state().logo, old);
}

TEST(EmuLogo, StateFileShowsTheLogoAsRowsOfText)
{
    emu::LogoBytes logo{};
    logo[0] = 0xC0;   // dots (0, 0) and (1, 0)
    logo[511] = 0x01; // dot (63, 63)
    const std::string json = emu::StateBuilder().logo(logo).json();
    EXPECT_NE(json.find("\"##" + std::string(62, '.') + "\""), std::string::npos);
    EXPECT_NE(json.find("\"" + std::string(63, '.') + "#\""), std::string::npos);
    const auto parsed = emu::stateFromJson(json);
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(parsed)) << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<emu::ScaleState>(parsed).logo, logo);

    EXPECT_EQ(emu::StateBuilder().json().find("logo"), std::string::npos) << "a white logo is left out";
    for (const char* bad : {R"({"logo": ["#"]})", R"({"logo": 5})"}) {
        const auto refused = emu::stateFromJson(bad);
        ASSERT_TRUE(std::holds_alternative<std::string>(refused)) << bad;
        EXPECT_NE(std::get<std::string>(refused).find("logo"), std::string::npos);
    }
}
