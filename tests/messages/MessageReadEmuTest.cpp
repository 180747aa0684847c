// Reading messages from an emulated scale: all, one, a range; the save-first question; a stop.
#include <gtest/gtest.h>

#include "MessageEmuLink.h"
#include "common/TableSink.h"
#include "support/ReadTarget.h"

using namespace msgtest;
using qm::TransferOutcome;

namespace
{

constexpr int kScale = 2;

std::string scaleWith37()
{
    return emu::StateBuilder(kScale)
        .message(3, {"Хранить при t 0..4", "", "", "", "", "", "", "ёЁ конец"})
        .message(7, {"", "Акция"})
        .json();
}

using Target = qmtest::ReadTarget<qm::messageLayout>;

qm::Row messageRow(const std::string& number, const std::vector<std::string>& utf8Lines)
{
    qm::Row row{number};
    for (size_t l = 0; l < 8; ++l)
        row.push_back(tableLine(l < utf8Lines.size() ? utf8Lines[l] : ""));
    return row;
}

Bytes readRequests(int first, int last)
{
    Bytes out;
    for (int n = first; n <= last; ++n) {
        const Bytes one = concat({{kScale}, qm::encodeGetMsg(static_cast<std::uint16_t>(n))});
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

} // namespace

TEST(MessageReadEmu, ReadAllFromAScaleHoldingMessages3And7GivesTwoRows)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith37()));
    EmuLink s(emu, kScale);
    Target t;
    EXPECT_EQ(qm::readAllMessages(s.link, t.sink, {}), TransferOutcome::Done);
    ASSERT_EQ(t.table.rowCount(), 3);
    EXPECT_EQ(t.table.row(1), messageRow("3", {"Хранить при t 0..4", "", "", "", "", "", "", "ёЁ конец"}));
    EXPECT_EQ(t.table.row(2), messageRow("7", {"", "Акция"}));
    EXPECT_TRUE(t.modified);
    EXPECT_TRUE(s.fb.messages.empty()) << "reading all ends without a message";
    EXPECT_EQ(s.fb.progressMaximum, 1000);
    EXPECT_EQ(s.fb.progress.back(), 1000);
    EXPECT_FALSE(s.fb.progressVisible);
    EXPECT_TRUE(s.fb.questions.empty());
    // Every number 1..1000 asked once, each after its addressing.
    EXPECT_EQ(emu.received(), readRequests(1, 1000));
}

TEST(MessageReadEmu, StopAfterKRecordsKeepsThemAndDropsTheTrailingRow)
{
    emu::StateBuilder scale(kScale);
    for (std::uint32_t n = 1; n <= 20; ++n)
        scale.message(n, {"message " + std::to_string(n)});
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scale.json()));
    EmuLink s(emu, kScale);
    Target t;
    constexpr int K = 5;
    s.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
        if (t.table.rowCount() - 2 >= K)
            fb.stop = true;
    };
    EXPECT_EQ(qm::readAllMessages(s.link, t.sink, {}), TransferOutcome::Stopped);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Действие прервано."});
    ASSERT_EQ(t.table.rowCount(), K + 1) << "K rows and no trailing empty row";
    for (int r = 1; r <= K; ++r)
        EXPECT_EQ(t.table.row(r), messageRow(std::to_string(r), {"message " + std::to_string(r)}));
    EXPECT_EQ(emu.received(), readRequests(1, K));
    EXPECT_EQ(s.fb.cursor.back(), (qmtest::Cursor{qm::TableId::Messages, 1, 0}));
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageReadEmu, IncompleteAnswerEndsTheReadWithRowsSoFar)
{
    // The answer to the fifth read loses its last byte, at the first ask and at both asked again:
    // 400 bytes are no message.
    qmtest::EmuProcess emu(emuOptions(kScale, {"truncate=400@0x83#5-7"}, scaleWith37()));
    EmuLink s(emu, kScale);
    Target t;
    EXPECT_EQ(qm::readAllMessages(s.link, t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.messages, std::vector<std::string>{"Запрос несуществующего сообщения или ошибка обмена."});
    ASSERT_EQ(t.table.rowCount(), 3) << "message 3 and the empty row kept for the next";
    EXPECT_EQ(t.table.cell(1, 0), "3");
    EXPECT_EQ(t.table.cell(2, 0), "");
    EXPECT_EQ(emu.received(), concat({readRequests(1, 5), readRequests(5, 5), readRequests(5, 5)}));
    EXPECT_FALSE(s.fb.progressVisible);
}

TEST(MessageReadEmu, AnAnswerOneByteTooLongIsNoMessage)
{
    // 402 bytes instead of 401: the read fails like a short one.
    qmtest::EmuProcess emu(emuOptions(kScale, {"extra=1@0x83#3-5"}, scaleWith37()));
    EmuLink s(emu, kScale);
    Target t;
    const auto result = qm::readAllMessages(s.link, t.sink, {});
    ASSERT_EQ(result, TransferOutcome::Failed);
    EXPECT_EQ(result.failure->kind, qm::FailureKind::ReadFailed);
    EXPECT_EQ(result.failure->record, 3);
    EXPECT_EQ(emu.received(), concat({readRequests(1, 3), readRequests(3, 3), readRequests(3, 3)}));
}

TEST(MessageReadEmu, SaveFirstQuestionGuardsAModifiedTable)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith37()));
    EmuLink s(emu, kScale);
    const qm::Table edited = messageTable({{"11", "unsaved"}});

    // Yes, then the save is cancelled: nothing is discarded and nothing is read.
    {
        Target t;
        t.table = edited;
        t.modified = true;
        s.fb.answers = {qm::Answer::Yes};
        int saves = 0;
        EXPECT_EQ(qm::readOneMessage(s.link, "7", t.sink, [&] { return ++saves, false; }), TransferOutcome::Cancelled);
        EXPECT_EQ(saves, 1);
        EXPECT_EQ(t.table, edited);
        EXPECT_TRUE(t.modified);
        EXPECT_EQ(s.fb.questions,
                  std::vector<std::string>{
                      "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?"});
    }
    // Cancel: the same.
    {
        Target t;
        t.table = edited;
        t.modified = true;
        s.fb.answers = {qm::Answer::Cancel};
        EXPECT_EQ(qm::readAllMessages(s.link, t.sink, [] { return true; }), TransferOutcome::Cancelled);
        EXPECT_EQ(t.table, edited);
        EXPECT_TRUE(t.modified);
    }
    EXPECT_TRUE(emu.received().empty());
    // Yes with a save that happens, and No: the table is replaced.
    for (const auto answer : {qm::Answer::Yes, qm::Answer::No}) {
        Target t;
        t.table = edited;
        t.modified = true;
        s.fb.answers = {answer};
        EXPECT_EQ(qm::readOneMessage(s.link, "7", t.sink, [] { return true; }), TransferOutcome::Done);
        ASSERT_EQ(t.table.rowCount(), 2);
        EXPECT_EQ(t.table.row(1), messageRow("7", {"", "Акция"}));
    }
}

TEST(MessageReadEmu, ReadOneReplacesTheTableEvenWithAnEmptyMessage)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith37()));
    EmuLink s(emu, kScale);
    Target t;
    t.table = messageTable({{"1", "a"}, {"2", "b"}});
    EXPECT_EQ(qm::readOneMessage(s.link, "5", t.sink, {}), TransferOutcome::Done);
    ASSERT_EQ(t.table.rowCount(), 2);
    EXPECT_EQ(t.table.row(1), messageRow("5", {}));
    EXPECT_TRUE(t.modified);
    EXPECT_EQ(emu.received(), readRequests(5, 5));
}

TEST(MessageReadEmu, ReadOneRefusesANumberOutside1To1000)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith37()));
    EmuLink s(emu, kScale);
    for (const char* text : {"", "0", "1001", "x"}) {
        Target t;
        EXPECT_EQ(qm::readOneMessage(s.link, text, t.sink, {}), TransferOutcome::Failed) << text;
        EXPECT_EQ(s.fb.lastMessage(), "Ошибка ввода номера MSG. Это число от 1 до 1000.") << text;
        EXPECT_EQ(t.table.rowCount(), 2) << text;
    }
    EXPECT_TRUE(emu.received().empty());
}

TEST(MessageReadEmu, RangeEmptiesTheTableThenReadsItsNumbersOnly)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {}, scaleWith37()));
    EmuLink s(emu, kScale);
    Target t;
    t.table = messageTable({{"99", "old"}});
    // A wrong range ends before the table is touched.
    EXPECT_EQ(qm::readMessageRange(s.link, 0, 7, t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(s.fb.lastMessage(),
              "Номер строки не может быть нулевым или больше 1000. Проверьте правильность ввода параметров.");
    EXPECT_EQ(t.table.cell(1, 0), "99");

    EXPECT_EQ(qm::readMessageRange(s.link, 4, 7, t.sink, {}), TransferOutcome::Done);
    ASSERT_EQ(t.table.rowCount(), 2);
    EXPECT_EQ(t.table.row(1), messageRow("7", {"", "Акция"}));
    EXPECT_EQ(s.fb.progressMaximum, 4) << "four numbers";
    EXPECT_EQ(s.fb.progress, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(emu.received(), readRequests(4, 7));

    // A range of one number has a bar of one step.
    s.fb.progress.clear();
    EXPECT_EQ(qm::readMessageRange(s.link, 7, 7, t.sink, {}), TransferOutcome::Done);
    EXPECT_EQ(s.fb.progressMaximum, 1);
    EXPECT_EQ(s.fb.progress, (std::vector<int>{0, 1}));
}

TEST(MessageReadEmu, ASilentScaleEndsTheReadAfterItsWindow)
{
    qmtest::EmuProcess emu(emuOptions(kScale, {"silent@0x83"}, scaleWith37()));
    EmuLink s(emu, kScale);
    Target t;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(qm::readOneMessage(s.link, "3", t.sink, {}), TransferOutcome::Failed);
    const auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_EQ(s.fb.lastMessage(), "Запрос несуществующего сообщения или ошибка обмена.");
    EXPECT_GE(waited, std::chrono::milliseconds(1000));
}
