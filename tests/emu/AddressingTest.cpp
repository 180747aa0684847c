// Addressing, idle bytes, partial commands and the byte log of the emulated scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "PtyPort.h"
#include "support/EmuProcess.h"

using emutest::Bytes;
using emutest::PtyPort;

namespace
{

bool hasEvent(const std::vector<qmtest::EmuLogEntry>& log, const std::string& text)
{
    return std::any_of(log.begin(), log.end(), [&](const auto& e) {
        return e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.find(text) != std::string::npos;
    });
}

} // namespace

TEST(EmuAddressing, AnswersOwnNumberOnlyAndRepeatedAddressingAgain)
{
    qmtest::EmuOptions options;
    options.number = 42;
    qmtest::EmuProcess scale(options);
    PtyPort port(scale.device());

    EXPECT_EQ(port.exchange({42}, 2), (Bytes{42, 0x80}));
    // Still awaiting a command: the same number is no command, so it is addressing again.
    EXPECT_EQ(port.exchange({42}, 2), (Bytes{42, 0x80}));
    // Another scale's number, and bytes that are no command while idle, get no answer.
    port.write({41, 43, 0x82, 0x00});
    EXPECT_TRUE(port.readFor(150).empty());
    // A byte that is no command after addressing drops the scale back to idle.
    EXPECT_EQ(port.exchange({42, 0x7F, 42}, 4), (Bytes{42, 0x80, 42, 0x80}));
}

TEST(EmuAddressing, LogsEveryByteBothWaysWithEvents)
{
    qmtest::EmuProcess scale;
    PtyPort port(scale.device());
    port.write({1});
    ASSERT_EQ(port.read(2), (Bytes{1, 0x80}));
    EXPECT_EQ(port.exchange({0x81, 9, 0, 0, 0}, 1), (Bytes{0xEE}));
    EXPECT_EQ(scale.received(), (Bytes{1, 0x81, 9, 0, 0, 0}));
    EXPECT_EQ(scale.sent(), (Bytes{1, 0x80, 0xEE}));
    const auto log = scale.log();
    EXPECT_TRUE(hasEvent(log, "addressed"));
    EXPECT_TRUE(hasEvent(log, "command 0x81"));
    EXPECT_TRUE(hasEvent(log, "PLU 9 not found"));
    for (std::size_t i = 1; i < log.size(); ++i)
        EXPECT_GE(log[i].t + 1.0, log[i - 1].t) << "line " << i;

    scale.clearLog();
    port.exchange({1}, 2);
    EXPECT_EQ(scale.received(), (Bytes{1}));
}

TEST(EmuAddressing, AnExchangeLapsesAfterOneSecondWithoutItsNextByte)
{
    // Two scales wait out the same second: one holds half a command, one only its addressing.
    qmtest::EmuProcess partial;
    qmtest::EmuProcess addressed;
    PtyPort partialPort(partial.device());
    PtyPort addressedPort(addressed.device());
    ASSERT_EQ(partialPort.exchange({1, 0x81, 3, 0}, 2), (Bytes{1, 0x80}));
    ASSERT_EQ(addressedPort.exchange({1}, 2), (Bytes{1, 0x80}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));

    // The rest of the old command now reads as idle bytes; the scale is addressable at once.
    partialPort.write({0, 0});
    EXPECT_TRUE(partialPort.readFor(100).empty());
    EXPECT_EQ(partialPort.exchange({1}, 2), (Bytes{1, 0x80}));
    EXPECT_TRUE(hasEvent(partial.log(), "partial command 0x81 dropped after 2 of 4 data bytes"));
    // A command byte long after the addressing is no command any more.
    EXPECT_TRUE(addressedPort.exchange({0x88}, 1, 100).empty());
    EXPECT_TRUE(hasEvent(addressed.log(), "no command after addressing"));
}

TEST(EmuAddressing, ServesThePortAgainAfterTheProgramClosedIt)
{
    qmtest::EmuProcess scale;
    for (int round = 0; round < 3; ++round) {
        PtyPort port(scale.device());
        EXPECT_EQ(port.exchange({1}, 2), (Bytes{1, 0x80})) << "round " << round;
    }
    EXPECT_TRUE(scale.running());
    EXPECT_EQ(scale.received(), (Bytes{1, 1, 1}));
}
