// The number detection over a port and speed chosen directly, against emulated scales.
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>

#include "diagnostics/NumberDetection.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace
{

struct Line : qm::ValueSink<qm::DetectedNumber> {
    explicit Line(const std::string& device)
    {
        qm::PortMap map;
        map.set(7, device);
        comm.setPortMap(map);
    }
    qm::OperationResult detect() { return qm::detectScaleNumber(session, "COM7", "9600", *this); }
    // What `Edit34` is given, and whether a message or the progress was up at that moment.
    void deliver(const qm::DetectedNumber& number) override
    {
        found = number;
        shown.push_back(qm::detectedNumberText(number));
        spokeBefore = !fb.messages.empty() || fb.progressVisible;
    }
    qm::DetectedNumber found;
    std::vector<std::string> shown;
    bool spokeBefore = false;
    qm::TComm comm;
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession session{comm, fb};
};

std::vector<std::uint8_t> numbers(int from, int to)
{
    std::vector<std::uint8_t> out(static_cast<size_t>(to - from + 1));
    std::iota(out.begin(), out.end(), static_cast<std::uint8_t>(from));
    return out;
}

} // namespace

TEST(NumberDetection, FindsScale42OnItsFortySecondProbe)
{
    qmtest::EmuProcess emu({42});
    Line line(emu.device());
    ASSERT_TRUE(line.detect());
    EXPECT_EQ(line.found, 42);
    EXPECT_EQ(emu.received(), numbers(1, 42));
    EXPECT_EQ(line.fb.progressMaximum, 99);
    ASSERT_EQ(line.fb.progress.size(), 43u);
    EXPECT_EQ(line.fb.progress.back(), 42);
    // `Label62` shows the number being probed, and is hidden again at the end.
    EXPECT_EQ(line.fb.counters.back(), "42");
    EXPECT_FALSE(line.fb.counterVisible);
    EXPECT_FALSE(line.fb.progressVisible);
    EXPECT_TRUE(line.fb.messages.empty());
    EXPECT_EQ(line.shown, std::vector<std::string>{"42"});
}

TEST(NumberDetection, AStrayByteAheadOfTheAnswerDoesNotHideTheScale)
{
    // Another device puts a byte on the line before the scale answers its number.
    qmtest::EmuProcess emu({3, 0, {"stray=0x07@addr"}});
    Line line(emu.device());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(line.detect());
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(line.found, 3);
    // Two silent probes of 210 ms each; the third ends with the scale's answer, not 210 ms later.
    EXPECT_GE(took.count(), 2 * 210);
    EXPECT_LT(took.count(), 2 * 210 + 150);
}

TEST(NumberDetection, NoScaleAnsweringEndsWithTheMessageAfterAllNumbers)
{
    qmtest::EmuProcess emu({5, 0, {"silent@addr"}});
    Line line(emu.device());
    EXPECT_EQ(line.detect(), qm::TransferOutcome::Failed);
    EXPECT_EQ(line.found, std::nullopt);
    EXPECT_EQ(emu.received(), numbers(1, 99));
    EXPECT_EQ(line.fb.messages, (std::vector<std::string>{"На COM7 весов не обнаружено.\r\nПроверьте настройки "
                                                          "посл.порта, работоспособность весов или линию связи."}));
    EXPECT_FALSE(line.fb.progressVisible);
    // The field reads "не определен" and the progress is gone before the message shows.
    EXPECT_EQ(line.shown, std::vector<std::string>{"не определен"});
    EXPECT_FALSE(line.spokeBefore);
}

TEST(NumberDetection, APortThatCannotBeOpenedProbesNothing)
{
    Line line("/nonexistent/tty7");
    const qm::OperationResult missing = line.detect();
    EXPECT_EQ(missing, qm::TransferOutcome::Failed);
    ASSERT_TRUE(missing.failure);
    EXPECT_EQ(missing.failure->kind, qm::FailureKind::PortUnavailable);
    EXPECT_EQ(line.fb.messages,
              (std::vector<std::string>{"Выбранный СОМ-порт не существует или занят другим приложением."}));
    EXPECT_TRUE(line.fb.progress.empty()) << "no probe started";
    EXPECT_TRUE(line.shown.empty()) << "the field keeps what it showed";

    // A text that names no port is refused the same way, not sent to the port used before.
    qmtest::EmuProcess emu({1});
    Line other(emu.device());
    EXPECT_EQ(qm::detectScaleNumber(other.session, "LPT1", "9600", other), qm::TransferOutcome::Failed);
    EXPECT_TRUE(emu.received().empty());
}

TEST(NumberDetection, APortLostDuringTheProbesEndsWithThePortsMessage)
{
    qmtest::EmuProcess emu({90, 0, {"silent@addr"}});
    Line line(emu.device());
    // The pseudo-terminal goes away after the fifth probe, as a pulled USB adapter does: the
    // probes left would find nothing, so the detection ends there.
    line.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
        if (fb.progress.size() == 5 && emu.running())
            emu.stop();
    };
    const qm::OperationResult lost = line.detect();
    EXPECT_EQ(lost, qm::TransferOutcome::Failed);
    ASSERT_TRUE(lost.failure);
    EXPECT_EQ(lost.failure->kind, qm::FailureKind::PortUnavailable);
    EXPECT_EQ(line.fb.messages,
              (std::vector<std::string>{"Выбранный СОМ-порт не существует или занят другим приложением."}));
    EXPECT_LT(line.fb.progress.size(), 10u);
    EXPECT_EQ(line.shown, std::vector<std::string>{"не определен"});
    EXPECT_TRUE(line.session.lineFailure());
}

TEST(NumberDetection, StopEndsItBetweenNumbersWithoutAMessage)
{
    qmtest::EmuProcess emu({60});
    Line line(emu.device());
    line.fb.stop = true; // a stop left from before is cleared when the detection starts
    line.fb.onEvents = [](qmtest::ScriptedFeedback& fb) {
        if (fb.counters.back() == "4")
            fb.stop = true;
    };
    const qm::OperationResult stopped = line.detect();
    EXPECT_EQ(stopped, qm::TransferOutcome::Stopped);
    EXPECT_FALSE(stopped.failure);
    EXPECT_TRUE(line.fb.messages.empty());
    // Raised as the probe of 4 begins: 4 is never sent.
    EXPECT_EQ(emu.received(), numbers(1, 3));
    EXPECT_FALSE(line.fb.progressVisible);
    EXPECT_EQ(line.shown, std::vector<std::string>{"не определен"});
}
