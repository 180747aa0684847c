// Deleting messages in an emulated scale: one, a range, all; the questions and the longer
// addressing window of the deletes.
#include <gtest/gtest.h>

#include "MessageEmuLink.h"
#include "common/TableSink.h"

using namespace msgtest;
using qm::TransferOutcome;

namespace
{

constexpr int kScale = 9;

std::string scaleWith(std::initializer_list<std::uint32_t> numbers)
{
    emu::StateBuilder scale(kScale);
    for (auto n : numbers)
        scale.message(n, {"m" + std::to_string(n)});
    return scale.json();
}

} // namespace

TEST(MessageDeleteEmu, DeleteOneAsksWithTheFieldTextThenDeletes)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith({7, 8})));
    EmuLink s(emu, kScale);
    EXPECT_EQ(qm::deleteOneMessage(s.link, "7"), TransferOutcome::Cancelled); // no scripted answer: No
    EXPECT_EQ(s.fb.questions, std::vector<std::string>{
                                  "ВНИМАНИЕ !\r\nСообщение № 7 из выбранных весов будет удалено.\r\nПродолжить ?"});
    EXPECT_TRUE(emu.received().empty());

    s.fb.answers = {qm::Answer::Yes};
    EXPECT_EQ(qm::deleteOneMessage(s.link, "7"), TransferOutcome::Done);
    EXPECT_EQ(s.fb.lastMessage(), "Сообщение удалено.");
    EXPECT_EQ(emu.received(), (Bytes{kScale, 0x8E, 0x07, 0x00}));
    EXPECT_EQ(emu.sent(), (Bytes{kScale, 0x80, 0xAA}));
    const auto state = emu.state();
    EXPECT_EQ(state.messages.count(7), 0u);
    EXPECT_EQ(state.messages.count(8), 1u);

    EXPECT_EQ(qm::deleteOneMessage(s.link, "1001"), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.lastFailure(), qm::FailureKind::BadNumber);
}

TEST(MessageDeleteEmu, RangeOf10To12AddressesBeforeEachDelete)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith({9, 10, 11, 12, 13})));
    EmuLink s(emu, kScale);
    s.fb.answers = {qm::Answer::Yes};
    EXPECT_EQ(qm::deleteMessageRange(s.link, 10, 12), TransferOutcome::Done);
    EXPECT_EQ(s.fb.questions,
              std::vector<std::string>{
                  "ВНИМАНИЕ !\r\nВсе указанные сообщения из выбранных весов будут удалены.\r\nПродолжить ?"});
    EXPECT_EQ(s.fb.lastMessage(), "Сообщения удалены.");
    EXPECT_EQ(emu.received(), (Bytes{kScale, 0x8E, 10, 0x00, kScale, 0x8E, 11, 0x00, kScale, 0x8E, 12, 0x00}));
    EXPECT_EQ(emu.sent(), (Bytes{kScale, 0x80, 0xAA, kScale, 0x80, 0xAA, kScale, 0x80, 0xAA}));
    const auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(state.messages.count(9), 1u);
    EXPECT_EQ(state.messages.count(13), 1u);
    EXPECT_EQ(s.fb.progressMaximum, 3) << "three numbers";
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageDeleteEmu, DeleteAllClearsTheScaleAndStopsOnARefusal)
{
    {
        qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith({1, 500, 1000})));
        EmuLink s(emu, kScale);
        s.fb.answers = {qm::Answer::Yes};
        EXPECT_EQ(qm::deleteAllMessages(s.link), TransferOutcome::Done);
        EXPECT_EQ(s.fb.questions, std::vector<std::string>{
                                      "ВНИМАНИЕ !\r\nВсе сообщения из выбранных весов будут удалены.\r\nПродолжить ?"});
        EXPECT_EQ(s.fb.lastMessage(), "Сообщения удалены.");
        EXPECT_TRUE(emu.state().messages.empty());
        EXPECT_EQ(commandCount(emu.received(), kScale, 0x8E), 1000);
    }
    {
        qmtest::EmuProcess emu(emuOptions(kScale, {"nak@0x8E#3"}, scaleWith({1, 2, 3, 4})));
        EmuLink s(emu, kScale);
        s.fb.answers = {qm::Answer::Yes};
        EXPECT_EQ(qm::deleteAllMessages(s.link), TransferOutcome::Failed);
        EXPECT_EQ(s.fb.lastFailure(), qm::FailureKind::NoAck);
        const auto state = emu.state();
        ASSERT_EQ(state.messages.size(), 2u);
        EXPECT_EQ(state.messages.count(3), 1u);
        EXPECT_EQ(state.messages.count(4), 1u);
    }
}

TEST(MessageDeleteEmu, StopDuringDeleteAll)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith({1, 2, 3, 4, 5, 6})));
    EmuLink s(emu, kScale);
    s.fb.answers = {qm::Answer::Yes};
    s.fb.onEvents = [](qmtest::ScriptedFeedback& fb) {
        if (fb.counters.back() == "4")
            fb.stop = true;
    };
    EXPECT_EQ(qm::deleteAllMessages(s.link), TransferOutcome::Stopped);
    EXPECT_EQ(s.fb.lastMessage(), "Действие прервано.");
    EXPECT_EQ(commandCount(emu.received(), kScale, 0x8E), 4);
    EXPECT_EQ(emu.state().messages.size(), 2u);
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageDeleteEmu, DeletesGiveTheScale900MsToAnswerItsAddressing)
{
    // An answer 500 ms late is fine for a delete, too late for a read.
    qmtest::EmuProcess emu(emuOptions(kScale, {"delay=500@addr"}, scaleWith({7})));
    EmuLink s(emu, kScale);
    s.fb.answers = {qm::Answer::Yes};
    EXPECT_EQ(qm::deleteOneMessage(s.link, "7"), TransferOutcome::Done);
    EXPECT_TRUE(emu.state().messages.empty());

    qm::Table table = qm::makeTable(qm::messageLayout());
    bool modified = false;
    qm::TableWriter sink(table, &modified);
    EXPECT_EQ(qm::readOneMessage(s.link, "7", sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.lastFailure(), qm::FailureKind::NoLink);
}

TEST(MessageDeleteEmu, RangeQuestionNoDeletesNothing)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith({10})));
    EmuLink s(emu, kScale);
    EXPECT_EQ(qm::deleteMessageRange(s.link, 10, 12), TransferOutcome::Cancelled);
    EXPECT_TRUE(emu.received().empty());
    EXPECT_EQ(emu.state().messages.size(), 1u);
    EXPECT_EQ(qm::deleteMessageRange(s.link, 0, 12), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.lastMessage(),
              "Номер сообщения не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.");
}
