// Simulated line speed: bytes take their line time both ways. Only lower bounds are asserted;
// a busy machine may always be slower.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "ScaleLine.h"
#include "StateBuilder.h"

using emutest::Bytes;
using emutest::Clock;
using emutest::ScaleLine;

TEST(EmuLineSpeed, AnswersAndRequestsTakeTheirLineTime)
{
    qmtest::EmuOptions options;
    options.baud = 9600;
    options.stateJson = emu::StateBuilder().plu(1, "Мука", 5600).json();
    ScaleLine line(options);
    ASSERT_EQ(line.port.exchange({1}, 2), (Bytes{1, 0x80}));

    // 5 request bytes and 101 answer bytes of 10 bits at 9600 baud: at least 110 ms.
    const auto start = Clock::now();
    const Bytes answer = line.port.exchange({0x81, 0x01, 0x00, 0x00, 0x00}, 101);
    const auto elapsed = Clock::now() - start;
    EXPECT_EQ(answer.size(), 101u);
    EXPECT_GE(elapsed, std::chrono::microseconds(110400));

    // The log shows the answer spread over its line time, not sent in one burst.
    std::vector<double> sentAt;
    for (const auto& entry : line.scale.log())
        if (entry.kind == qmtest::EmuLogEntry::Kind::Tx)
            sentAt.push_back(entry.t);
    ASSERT_EQ(sentAt.size(), 103u);
    EXPECT_GE(sentAt[102] - sentAt[2], 0.9 * 100 * 10000.0 / 9600);
}

TEST(EmuLineSpeed, AWriteIsAnsweredOnlyAfterItsLastByteArrived)
{
    qmtest::EmuOptions options;
    options.baud = 19200;
    ScaleLine line(options);
    ASSERT_EQ(line.port.exchange({1}, 2), (Bytes{1, 0x80}));
    Bytes record(84, 0x00);
    record[0] = 0x82;
    record[1] = 0x01;
    for (std::size_t i = 11; i < 67; ++i)
        record[i] = 0x20;
    const auto start = Clock::now();
    EXPECT_EQ(line.port.exchange(record, 1), (Bytes{0xAA}));
    // 84 + 1 bytes at 19200 baud.
    EXPECT_GE(Clock::now() - start, std::chrono::microseconds(44270));
}
