// Injected faults: each kind, at its place and occurrence.
#include <gtest/gtest.h>

#include <chrono>
#include <variant>

#include "FaultPlan.h"
#include "ScaleLine.h"
#include "StateBuilder.h"

using emutest::Bytes;
using emutest::Clock;
using emutest::ScaleLine;

namespace
{

qmtest::EmuOptions withFaults(std::vector<std::string> faults, std::string stateJson = {})
{
    qmtest::EmuOptions options;
    options.number = 3;
    options.faults = std::move(faults);
    options.stateJson = std::move(stateJson);
    return options;
}

const Bytes kRead1{0x81, 0x01, 0x00, 0x00, 0x00};
const Bytes kDelete1{0x8D, 0x01, 0x00, 0x00, 0x00};

} // namespace

TEST(EmuFaults, AddressingFaultsChangeOnlyTheChosenOccurrences)
{
    ScaleLine line(withFaults(
        {"silent@addr#1", "wrong-number@addr#2", "not-ready@addr#3", "not-ready=0x41@addr#4", "garble@addr#5"}));
    EXPECT_TRUE(line.port.exchange({3}, 2, 150).empty());
    // A scale that did not answer ready takes no command: 0x81 now is an idle byte.
    line.port.write(kRead1);
    EXPECT_TRUE(line.port.readFor(100).empty());
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{4, 0x80}));
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x00}));
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x41}));
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{0xFC, 0x7F}));
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x80}));
}

TEST(EmuFaults, DelayHoldsTheAnswerBack)
{
    ScaleLine line(withFaults({"delay=300@addr#1"}));
    const auto start = Clock::now();
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x80}));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x80}));
}

TEST(EmuFaults, TruncateAndSilentCutCommandAnswers)
{
    ScaleLine line(withFaults({"truncate=99@0x81#2", "silent@0x8D"}, emu::StateBuilder().plu(1, "Соль", 1500).json()));
    EXPECT_EQ(line.command(kRead1, 101).size(), 101u);
    EXPECT_EQ(line.command(kRead1, 101, 300).size(), 99u);
    EXPECT_EQ(line.command(kRead1, 101).size(), 101u);
    // A silent scale still did the work; only the answer was lost.
    EXPECT_TRUE(line.command(kDelete1, 1, 150).empty());
    EXPECT_TRUE(line.scale.state().plu.empty());
}

TEST(EmuFaults, NakRefusesTheCommandAndKeepsTheState)
{
    ScaleLine line(
        withFaults({"nak@0x8D#2-3", "nak=0x55@0x88", "nak@0x81"}, emu::StateBuilder().plu(1, "Соль", 1500).json()));
    EXPECT_EQ(line.command({0x8D, 0x09, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.command(kDelete1, 1), (Bytes{0x00}));
    EXPECT_EQ(line.command(kDelete1, 1), (Bytes{0x00}));
    EXPECT_EQ(line.scale.state().plu.size(), 1u);
    EXPECT_EQ(line.command({0x88}, 1), (Bytes{0x55}));
    // A read is not answered with 0xAA, so nak has nothing to refuse there.
    EXPECT_EQ(line.command(kRead1, 101).size(), 101u);
    EXPECT_EQ(line.command(kDelete1, 1), (Bytes{0xAA}));
    EXPECT_TRUE(line.scale.state().plu.empty());
}

TEST(EmuFaults, StrayByteComesAheadOfTheAnswer)
{
    ScaleLine line(withFaults({"stray=0x55@addr#1", "silent@addr#2", "stray@addr#2"}));
    EXPECT_EQ(line.port.exchange({3}, 3), (Bytes{0x55, 3, 0x80}));
    // The byte came from elsewhere on the line: the scale itself answered and takes the command.
    EXPECT_EQ(line.port.exchange(kDelete1, 1), (Bytes{0xAA}));
    // Behind a silent scale the stray byte is all that comes, and no command is taken.
    EXPECT_EQ(line.port.exchange({3}, 2, 150), (Bytes{0xFF}));
    line.port.write(kDelete1);
    EXPECT_TRUE(line.port.readFor(100).empty());
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x80}));
}

TEST(EmuFaults, RequestAnswersPollsWithARequestWhateverThePlan)
{
    ScaleLine line(
        withFaults({"request@poll#2-3", "request=0x01020304@poll#5"}, emu::StateBuilder(3).range(7, 9).json()));
    auto& port = line.port;
    EXPECT_EQ(port.exchange({3}, 2), (Bytes{3, 0x80}));
    // The range's first PLU by default.
    EXPECT_EQ(port.exchange({3}, 6), (Bytes{3, 0xDD, 7, 0, 0, 0}));
    EXPECT_EQ(port.exchange({3}, 6), (Bytes{3, 0xDD, 7, 0, 0, 0}));
    EXPECT_EQ(port.exchange({3}, 2), (Bytes{3, 0x80}));
    EXPECT_EQ(port.exchange({3}, 6), (Bytes{3, 0xDD, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(port.exchange({3}, 2), (Bytes{3, 0x80}));
    // After a request the scale takes a command as after any poll.
    EXPECT_EQ(port.exchange({0x88}, 1), (Bytes{0xAA}));
    EXPECT_EQ(port.exchange({3}, 2), (Bytes{3, 0x80}));
    EXPECT_EQ(port.exchange(kRead1, 1), (Bytes{0xEE}));
}

TEST(EmuFaults, RequestWithoutAPlaceIsAScaleThatAsksForEver)
{
    ScaleLine line(withFaults({"request"}, emu::StateBuilder(3).range(2, 9).json()));
    for (int poll = 0; poll < 20; ++poll)
        ASSERT_EQ(line.port.exchange({3}, 6), (Bytes{3, 0xDD, 2, 0, 0, 0})) << poll;
    // Addressing is no poll: once the range is cancelled the number byte is answered ready.
    EXPECT_EQ(line.port.exchange({0x88}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.port.exchange({3}, 2), (Bytes{3, 0x80}));
}

TEST(EmuFaults, FaultTextsAreCheckedBeforeTheScaleStarts)
{
    for (const char* bad : {"bogus", "delay", "truncate=x@0x81", "nak@addr", "not-ready@0x82", "silent@0x12",
                            "silent@addr#0", "silent@addr#3-2", "garble=0x100", "stray=256", "silent@", "request@addr",
                            "request@0x82", "request=x@poll"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(emu::Fault::parse(bad))) << bad;
        EXPECT_THROW({ qmtest::EmuProcess scale(withFaults({bad})); }, std::runtime_error) << bad;
    }
    const auto fault = emu::Fault::parse("truncate=99@0x81#2-5");
    ASSERT_TRUE(std::holds_alternative<emu::Fault>(fault));
    const auto& f = std::get<emu::Fault>(fault);
    EXPECT_EQ(f.kind, emu::FaultKind::Truncate);
    EXPECT_EQ(f.arg, 99u);
    EXPECT_EQ(f.site, emu::Site::Command);
    EXPECT_EQ(f.command, 0x81);
    EXPECT_EQ(f.from, 2u);
    EXPECT_EQ(f.to, 5u);
}
