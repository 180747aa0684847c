// Message writes that start with bytes waiting on the line: a late answer to an exchange of the
// previous operation. Each write empties the input queue before its first addressing, so the
// late bytes are neither taken for the addressing answer nor for the acknowledgement.
#include <gtest/gtest.h>

#include <thread>

#include "MessageEmuLink.h"
#include "common/TableSink.h"

using namespace msgtest;
using qm::TransferOutcome;

namespace
{

constexpr int kScale = 4;

// Waits until the scale has put `count` bytes on the line in all, then gives the line a moment
// to hand them to the port's input queue. The late answer then waits for the next operation.
void awaitLateAnswer(const qmtest::EmuProcess& emu, size_t count)
{
    while (emu.sent().size() < count)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

} // namespace

TEST(MessageStaleBytes, SelectedRowIsWrittenAfterALateAcknowledge)
{
    // The first write is acknowledged long after its 900 ms window: that 0xAA waits on the line.
    qmtest::EmuProcess emu(emuOptions(kScale, {"delay=2000@0x84#1"}));
    EmuLink s(emu, kScale);
    const qm::Table first = messageTable({{"5", "five"}});
    EXPECT_EQ(qm::sendMessageRow(s.link, first, 1), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Ошибка обмена. Повторите еще раз."});
    awaitLateAnswer(emu, 3); // the addressing answer and the late 0xAA
    ASSERT_EQ(emu.sent(), (Bytes{kScale, 0x80, 0xAA}));

    emu.clearLog();
    s.fb.messages.clear();
    const qm::Table again = messageTable({{"5", "five again"}});
    EXPECT_EQ(qm::sendMessageRow(s.link, again, 1), TransferOutcome::Done);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(emu.received(), writeBytes(kScale, 5, again, 1));
    EXPECT_EQ(emu.sent(), (Bytes{kScale, 0x80, 0xAA}));
    const auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.messages.at(5)[0], scaleLine("five again"));
}

TEST(MessageStaleBytes, TableIsWrittenAfterALateAddressingAnswer)
{
    // A late answer to addressing looks exactly like the next one: the scale number and 0x80.
    qmtest::EmuProcess emu(emuOptions(kScale, {"delay=2000@addr#1"}));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    EXPECT_EQ(qm::sendMessageTable(s.link, table, true), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Проверьте работоспособность выбранных весов или линии связи."});
    EXPECT_EQ(emu.received(), Bytes{kScale}) << "nothing written after a failed addressing";
    awaitLateAnswer(emu, 2);

    emu.clearLog();
    s.fb.messages.clear();
    EXPECT_EQ(qm::sendMessageTable(s.link, table, true), TransferOutcome::Done);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 1, table, 1), writeBytes(kScale, 2, table, 2),
                                      writeBytes(kScale, 3, table, 3)}));
    EXPECT_EQ(emu.sent(), (Bytes{kScale, 0x80, 0xAA, kScale, 0x80, 0xAA, kScale, 0x80, 0xAA}));
    const auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 3u);
    EXPECT_EQ(state.messages.at(2)[0], scaleLine("b"));
}

TEST(MessageStaleBytes, RangeIsWrittenAfterALateReadAnswer)
{
    // A read answered after its one-second bound leaves 401 bytes of an old message waiting.
    qmtest::EmuProcess emu(
        emuOptions(kScale, {"delay=2500@0x83#1"}, emu::StateBuilder(kScale).message(9, {"old"}).json()));
    EmuLink s(emu, kScale);
    qm::Table read = qm::makeTable(qm::messageLayout());
    bool modified = false;
    qm::TableWriter sink(read, &modified);
    EXPECT_EQ(qm::readOneMessage(s.link, "9", sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Запрос несуществующего сообщения или ошибка обмена."});
    awaitLateAnswer(emu, 2 + 401);

    emu.clearLog();
    s.fb.messages.clear();
    const qm::Table table = messageTable({{"x", "outside"}, {"20", "b"}, {"30", "c"}});
    EXPECT_EQ(qm::sendMessageRange(s.link, table, 2, 3), TransferOutcome::Done);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 20, table, 2), writeBytes(kScale, 30, table, 3)}));
    const auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 3u);
    EXPECT_EQ(state.messages.at(9)[0], scaleLine("old"));
    EXPECT_EQ(state.messages.at(20)[0], scaleLine("b"));
    EXPECT_EQ(state.messages.at(30)[0], scaleLine("c"));
}

TEST(MessageStaleBytes, ATableWriteDrainsOnceSoAStrayAnswerBetweenRowsEndsIt)
{
    // Only the start of a long write empties the queue. An answer that turns up between two
    // rows (here another exchange on the same line) meets the next addressing and ends the write
    // with the rows before it kept.
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    bool strayed = false;
    s.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
        if (strayed || fb.counters.size() != 2)
            return;
        strayed = true;
        s.session.send(Bytes{kScale});
        while (s.comm.GetIn() < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    EXPECT_EQ(qm::sendMessageTable(s.link, table, false), TransferOutcome::Failed);
    EXPECT_TRUE(strayed);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Ошибка обмена. Повторите еще раз."});
    EXPECT_FALSE(s.fb.progressVisible);
    // Row 3 never went; row 1 stays in the scale.
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 1, table, 1), {kScale}, writeBytes(kScale, 2, table, 2)}));
    EXPECT_EQ(emu.state().messages.count(1), 1u);
}
