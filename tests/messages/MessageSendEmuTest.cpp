// Writing messages to an emulated scale: the whole table, the selected row and a range of rows.
#include <gtest/gtest.h>

#include "MessageEmuLink.h"
#include "common/RangeCheck.h"

using namespace msgtest;
using qm::TransferOutcome;

namespace
{

constexpr int kScale = 4;

} // namespace

TEST(MessageSendEmu, WholeTableGoesOutByteForByteAndLandsInTheScale)
{
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    const qm::Table table =
        messageTable({{"3", "Хранить при t 0..4", "", "", "", "", "", "", "ёЁ"}, {"1000", std::string(70, 'x')}});
    EXPECT_EQ(qm::sendMessageTable(s.link, table, true), TransferOutcome::Done);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_FALSE(s.fb.progressVisible);

    // Message 1000 leaves as 0x84 0xE8 0x03; the 70-character line as its first 50.
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 3, table, 1), writeBytes(kScale, 1000, table, 2)}));
    EXPECT_EQ(emu.sent(), (Bytes{kScale, 0x80, 0xAA, kScale, 0x80, 0xAA}));
    const auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(state.messages.at(3)[0], scaleLine("Хранить при t 0..4"));
    EXPECT_EQ(state.messages.at(3)[7], scaleLine("ёЁ"));
    EXPECT_EQ(state.messages.at(1000)[0], std::string(50, 'x'));
    EXPECT_EQ(state.messages.at(1000)[1], std::string(50, ' '));
}

TEST(MessageSendEmu, CheckedTableWithABadRowSendsNothing)
{
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"1", "a"}, {"1001", "b"}, {"2", "c"}});
    EXPECT_EQ(qm::sendMessageTable(s.link, table, true), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages,
              std::vector<std::string>{"Неправильно задан номер сообщения задан. Это целое число от 1 до 1000."});
    EXPECT_EQ(s.fb.cursor.back(), (qmtest::Cursor{qm::TableId::Messages, 2, 0}));
    EXPECT_TRUE(emu.received().empty());
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageSendEmu, UncheckedNumbersThatFitGoOutAsTheyAreOthersStopAtTheirRow)
{
    {
        // 0 goes out as 0x00 0x00; this scale refuses it, which ends the write.
        qmtest::EmuProcess emu(emuOptions(kScale));
        EmuLink s(emu, kScale);
        const qm::Table table = messageTable({{"0", "zero"}, {"5", "five"}});
        const qm::OperationResult result = qm::sendMessageTable(s.link, table, false);
        EXPECT_EQ(result, TransferOutcome::Failed);
        EXPECT_EQ(emu.received(), writeBytes(kScale, 0, table, 1));
        EXPECT_EQ(s.fb.lastFailure(), qm::FailureKind::NoAck);
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->kind, qm::FailureKind::NoAck);
        EXPECT_EQ(result.failure->record, 0);
        EXPECT_FALSE(result.failure->namesCellOf(qm::TableId::Messages)) << "an exchange failure names no cell";
    }
    for (const char* bad : {"70000", "-5", "12a"}) {
        // 70000 cut to two bytes would overwrite message 4464: the row is never sent.
        qmtest::EmuProcess emu(emuOptions(kScale));
        EmuLink s(emu, kScale);
        const qm::Table table = messageTable({{"7", "seven"}, {bad, "bad"}, {"8", "eight"}});
        const qm::OperationResult result = qm::sendMessageTable(s.link, table, false);
        EXPECT_EQ(result, TransferOutcome::Failed) << bad;
        ASSERT_TRUE(result.failure) << bad;
        EXPECT_EQ(result.failure->kind, qm::FailureKind::BadNumber) << bad;
        EXPECT_EQ(result.failure->row, 2) << bad;
        EXPECT_EQ(result.failure->column, 0) << bad;
        EXPECT_EQ(emu.received(), writeBytes(kScale, 7, table, 1)) << bad;
        EXPECT_EQ(s.fb.messages,
                  std::vector<std::string>{"Неправильно задан номер сообщения задан. Это целое число от 1 до 1000."})
            << bad;
        EXPECT_EQ(s.fb.cursor.back(), (qmtest::Cursor{qm::TableId::Messages, 2, 0})) << bad;
        const auto state = emu.state();
        ASSERT_EQ(state.messages.size(), 1u) << bad;
        EXPECT_EQ(state.messages.count(7), 1u) << bad;
    }
}

TEST(MessageSendEmu, FailedAcknowledgeInTheMiddleEndsTheTableWithEarlierRowsKept)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {"nak@0x84#2"}));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    EXPECT_EQ(qm::sendMessageTable(s.link, table, true), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.onlyFailure(), qm::FailureKind::NoAck);
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 1, table, 1), writeBytes(kScale, 2, table, 2)}));
    const auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.messages.count(1), 1u);
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageSendEmu, StopBetweenRowsShowsInterruptedAndSendsNoMore)
{
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 6; ++i)
        rows.push_back({std::to_string(i), "row"});
    const qm::Table table = messageTable(rows);
    // Rows 1 and 2 written; the flag rises while row 3 is prepared, before its addressing, so
    // row 3 still goes and row 4 does not.
    s.fb.onEvents = [](qmtest::ScriptedFeedback& fb) {
        if (fb.counters.size() == 3)
            fb.stop = true;
    };
    EXPECT_EQ(qm::sendMessageTable(s.link, table, false), TransferOutcome::Stopped);
    EXPECT_EQ(s.fb.lastMessage(), "Действие прервано.");
    EXPECT_EQ(emu.state().messages.size(), 3u);
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageSendEmu, SelectedRowIsWrittenOnlyWhenItPassesItsCheck)
{
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"9", "nine"}, {"0", "zero"}});
    EXPECT_EQ(qm::sendMessageRow(s.link, table, 2), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages,
              std::vector<std::string>{"Неправильно задан номер сообщения задан. Это целое число от 1 до 1000."});
    EXPECT_EQ(s.fb.cursor.back(), (qmtest::Cursor{qm::TableId::Messages, 2, 0}));
    EXPECT_TRUE(emu.received().empty()) << "a row that fails its check is not written";

    EXPECT_EQ(qm::sendMessageRow(s.link, table, 1), TransferOutcome::Done);
    EXPECT_EQ(s.fb.lastMessage(), "Данные переданы.");
    EXPECT_EQ(emu.received(), writeBytes(kScale, 9, table, 1));
    EXPECT_EQ(emu.state().messages.count(9), 1u);
}

TEST(MessageSendEmu, RangeChecksAndWritesOnlyItsRows)
{
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    // Row 1 is bad but outside the range; rows 2..3 go.
    const qm::Table table = messageTable({{"x", "bad"}, {"20", "b"}, {"30", "c"}, {"40", "d"}});
    EXPECT_EQ(qm::sendMessageRange(s.link, table, 2, 3), TransferOutcome::Done);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(s.fb.progressMaximum, 2) << "two rows";
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 20, table, 2), writeBytes(kScale, 30, table, 3)}));

    // A bad row inside the range stops before anything is written.
    emu.clearLog();
    s.fb.messages.clear();
    EXPECT_EQ(qm::sendMessageRange(s.link, table, 1, 4), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages,
              std::vector<std::string>{"Неправильно задан номер сообщения задан. Это целое число от 1 до 1000."});
    EXPECT_TRUE(emu.received().empty());

    // Rows below 1, or past the table, are refused as the dialog refuses them.
    s.fb.messages.clear();
    EXPECT_EQ(qm::sendMessageRange(s.link, table, -1, 2), TransferOutcome::Failed);
    EXPECT_EQ(qm::sendMessageRange(s.link, table, 2, 5), TransferOutcome::Failed);
    EXPECT_EQ(
        s.fb.messages,
        (std::vector<std::string>{
            "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.",
            "В таблице сообщений нет такого большого количества строк, проверьте правильность ввода параметров."}));
    EXPECT_TRUE(emu.received().empty());
}

TEST(MessageSendEmu, FrameFailuresComeBeforeAnyByte)
{
    qmtest::EmuProcess emu(emuOptions(kScale));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"1", "a"}});
    qm::ScaleLink unknown{s.session, s.config, qm::cp("Нет таких")};
    EXPECT_EQ(qm::sendMessageTable(unknown, table, true), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.lastFailure(), qm::FailureKind::NoScale);

    // Another scale number on the line: addressing fails with the link message.
    const qm::Table wrongNumber = qmtest::oneScaleConfig("Весы 1", kScale + 1, "9600");
    qm::ScaleLink other{s.session, wrongNumber, qm::cp("Весы 1")};
    EXPECT_EQ(qm::sendMessageTable(other, table, true), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.lastFailure(), qm::FailureKind::NoLink);
    EXPECT_TRUE(emu.state().messages.empty());
}

TEST(MessageSendEmu, AWriteAcknowledgedTwiceFails)
{
    // Exactly one byte, 0xAA, acknowledges a write: a second byte means the answer is not trusted.
    qmtest::EmuProcess emu(emuOptions(kScale, {"extra=1@0x84#2"}));
    EmuLink s(emu, kScale);
    const qm::Table table = messageTable({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    EXPECT_EQ(qm::sendMessageTable(s.link, table, true), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.onlyFailure(), qm::FailureKind::NoAck);
    EXPECT_EQ(emu.sent().back(), 0xAA);
    EXPECT_EQ(emu.received(), concat({writeBytes(kScale, 1, table, 1), writeBytes(kScale, 2, table, 2)}));
}
