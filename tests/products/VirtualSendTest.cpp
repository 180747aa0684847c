// Sending the table with virtual synchronisation: the scale paces the transfer through its answers
// to polls (the emulator's pace plan) and may ask for records out of order.

#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "StateBuilder.h"
#include "common/TableSink.h"
#include "products/PluCodec.h"
#include "products/ProductRows.h"
#include "products/ProductTransfer.h"
#include "products/VirtualLoop.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

Table productTable(std::initializer_list<const char*> plus)
{
    Table t = makeTable(productLayout());
    std::vector<Row> rows;
    for (const char* plu : plus)
        rows.push_back({plu, std::string("n") + plu, "", "100", "5", "0", "0", "0", "0", "0", ""});
    t.setDataRows(rows);
    return t;
}

const SendTableOptions kVirtual{true, true};

// PLU numbers in the order the scale stored them.
std::vector<int> written(const ScaleRig& rig)
{
    std::vector<int> out;
    const std::regex re("PLU ([0-9]+) written");
    std::smatch m;
    for (const auto& e : rig.events())
        if (std::regex_match(e, m, re))
            out.push_back(std::stoi(m[1]));
    return out;
}

Bytes record(const Table& t, int row)
{
    return *encodePluWrite(*prepareRow(t.row(row)).record);
}

} // namespace

TEST(VirtualSend, SortsSetsRangeAndFollowsReadyPolls)
{
    ScaleRig rig;
    const Table t = productTable({"5", "2", "9"});
    Table window = t;
    bool modified = false;
    TableWriter sorted(window, &modified);
    EXPECT_EQ(sendProductTable(rig.link, t, kVirtual, &sorted), TransferOutcome::Done);
    EXPECT_EQ(window.cell(1, 0), "2");
    EXPECT_EQ(window.cell(3, 0), "9");
    EXPECT_TRUE(modified);

    const Table s = productTable({"2", "5", "9"});
    Bytes expected{1, 0x88, 1, 0x87, 2, 0, 0, 0, 9, 0, 0, 0};
    for (int r = 1; r <= 3; ++r) {
        expected.push_back(1); // the poll
        const Bytes rec = record(s, r);
        expected.insert(expected.end(), rec.begin(), rec.end());
    }
    expected.insert(expected.end(), {1, 0x88}); // the closing cancel-range operation
    EXPECT_EQ(rig.scale.received(), expected);
    // The closing operation's addressing byte still meets the range set: the scale takes it as a
    // fourth poll and answers ready, as addressing would.
    EXPECT_EQ(rig.countEvents("poll"), 4);

    ASSERT_EQ(rig.fb.messages.size(), 2u);
    EXPECT_TRUE(std::regex_match(rig.fb.messages[0],
                                 std::regex("Данные переданы\\.\r\nНачало передачи: \\d\\d:\\d\\d:\\d\\d\r\n"
                                            "Конец передачи: \\d\\d:\\d\\d:\\d\\d")))
        << rig.fb.messages[0];
    EXPECT_EQ(rig.fb.messages[1], "Виртуальный диапазон отменен.");
    // The check walks the table as it was given, the transfer the sorted one.
    EXPECT_EQ(rig.fb.counters, (std::vector<std::string>{"5", "2", "9", "2", "5", "9"}));
    const auto state = rig.scale.state();
    EXPECT_EQ(state.plu.size(), 3u);
    EXPECT_FALSE(state.range);
}

TEST(VirtualSend, OutOfOrderRequestsAndFailedPolls)
{
    // D3 before anything went: PLU 3 goes, then sending starts at row 1 (never the header).
    // D1 is found in row 1. S, W and X55 are failed polls. D77 is in no row: the last row sent
    // goes again and sending goes on.
    ScaleRig rig(qmtest::faulty({}, "D3,R,D1,R,S,W,X55,D77,R"));
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1", "2", "3", "4"}), kVirtual), TransferOutcome::Done);
    EXPECT_EQ(written(rig), (std::vector<int>{3, 1, 1, 1, 1, 2, 3, 4}));
    EXPECT_EQ(rig.fb.messages.back(), "Виртуальный диапазон отменен.");
}

TEST(VirtualSend, ShortRequestIsAFailedPollNotAHang)
{
    // The request loses three of its four PLU bytes.
    ScaleRig rig(qmtest::faulty({"truncate=3@poll#1"}, "D2"));
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1", "2"}), kVirtual), TransferOutcome::Done);
    EXPECT_EQ(written(rig), (std::vector<int>{1, 2}));
}

TEST(VirtualSend, LateAnswerIsDroppedNotTakenForTheNextPoll)
{
    // The first poll is answered after its window: had the late bytes stayed in the queue, every
    // later answer would be read one poll too late and records would go unacknowledged.
    ScaleRig rig(qmtest::faulty({"delay=350@poll#1"}));
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1", "2", "3"}), kVirtual), TransferOutcome::Done);
    EXPECT_EQ(rig.countEvents("command 0x82"), 3);
    EXPECT_EQ(written(rig), (std::vector<int>{1, 2, 3}));
}

TEST(VirtualSend, RangeLeftSetIsNoSuccess)
{
    // The first 0x88 is the unawaited one before the range is set; the second closes the run.
    ScaleRig rig(qmtest::faulty({"nak@0x88#2"}));
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1"}), kVirtual), TransferOutcome::Failed);
    ASSERT_EQ(rig.fb.messages.size(), 2u);
    EXPECT_EQ(rig.fb.messages[1], "Ошибка обмена. Виртуальный диапазон не отменен.");
    EXPECT_TRUE(rig.scale.state().range);
}

TEST(VirtualSend, UnacknowledgedLastRecordIsNotTakenAsSent)
{
    ScaleRig rig(qmtest::faulty({"nak@0x82#3"}));
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1", "2", "3"}), kVirtual), TransferOutcome::Done);
    EXPECT_EQ(rig.countEvents("command 0x82"), 4);
    EXPECT_EQ(written(rig), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rig.scale.state().plu.size(), 3u);
}

TEST(VirtualSend, StopCancelsTheRange)
{
    ScaleRig rig;
    int points = 0;
    rig.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
        if (++points == 12)
            fb.stop = true;
    };
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1", "2", "3", "4", "5"}), kVirtual), TransferOutcome::Stopped);
    ASSERT_EQ(rig.fb.messages.size(), 2u);
    EXPECT_EQ(rig.fb.messages[0], "Действие прервано.");
    EXPECT_EQ(rig.fb.messages[1], "Виртуальный диапазон отменен.");
    const auto state = rig.scale.state();
    EXPECT_FALSE(state.range);
    EXPECT_GT(state.plu.size(), 0u);
    EXPECT_LT(state.plu.size(), 5u);
}

TEST(VirtualSend, SortFailureEndsBeforeAnyByte)
{
    ScaleRig rig;
    EXPECT_EQ(sendProductTable(rig.link, productTable({"3", "abc", "1"}), {false, true}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastFailure(), FailureKind::BadNumber);
    EXPECT_EQ(rig.fb.cursor.back(), (qmtest::Cursor{TableId::Products, 2, 0}));
    EXPECT_TRUE(rig.scale.received().empty());
}

TEST(VirtualSend, BoundThatDoesNotFitEndsBeforeAnyByte)
{
    ScaleRig rig;
    EXPECT_EQ(sendProductTable(rig.link, productTable({"2", "-1"}), {false, true}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Неправильно задан номер PLU.");
    EXPECT_EQ(rig.fb.cursor.back(), (qmtest::Cursor{TableId::Products, 1, 0}));
    EXPECT_TRUE(rig.scale.received().empty());
}

TEST(VirtualSend, SingleRowWithoutANumberEndsBeforeAnyByte)
{
    // One row is never compared by the sort: its number is tested with the bounds.
    for (const char* plu : {"", "abc"}) {
        SCOPED_TRACE(plu);
        ScaleRig rig;
        EXPECT_EQ(sendProductTable(rig.link, productTable({plu}), {false, true}), TransferOutcome::Failed);
        EXPECT_EQ(rig.fb.lastMessage(),
                  std::string("Строка 1, столбец «№ PLU»: \"") + plu + "\" не является целым числом.");
        EXPECT_EQ(rig.fb.cursor.back(), (qmtest::Cursor{TableId::Products, 1, 0}));
        EXPECT_TRUE(rig.scale.received().empty());
    }
}

TEST(VirtualSend, ErrorBudgetEndsAfterHundredAndOneFailedPolls)
{
    std::string pace = "W";
    for (int i = 0; i < 101; ++i)
        pace += ",W";
    ScaleRig rig(qmtest::faulty({}, pace));
    EXPECT_EQ(sendProductTable(rig.link, productTable({"1", "2"}), kVirtual), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка обмена. Повторите загрузку."});
    // 101 failed passes, then the number byte ahead of the silent closing cancel.
    EXPECT_EQ(rig.countEvents("poll"), 102);
    EXPECT_TRUE(rig.scale.state().plu.empty());
    EXPECT_FALSE(rig.scale.state().range) << "the range is cancelled without a second message";
}

namespace
{

// The paced loop alone, without pauses, over rows 1 and 2 of a scale whose range 1..2 is set and
// whose polls meet the faults.
struct PacedLoop {
    explicit PacedLoop(std::vector<std::string> faults)
        : rig([&] {
              qmtest::EmuOptions o = qmtest::faulty(std::move(faults));
              o.stateJson = emu::StateBuilder().range(1, 2).json();
              return o;
          }())
    {
        if (!rig.session.Connection("COM1", "19200"))
            throw std::runtime_error("the emulated scale's port does not open");
        productsteps::VirtualPacing fast;
        fast.passPauseMs = 0;
        result = productsteps::runVirtualLoop(rig.session, 1, productTable({"1", "2"}), fast);
    }
    ScaleRig rig;
    OperationResult result;
};

} // namespace

TEST(VirtualSend, ScaleThatAsksForEverSpendsTheTransfersBudget)
{
    // Every poll asks for PLU 1, and every time it is acknowledged: no pass fails. One pass off
    // the sequence per record plus 100 are allowed (102 here); the 103rd ends the loop.
    PacedLoop loop({"request@poll"});
    const ScaleRig& rig = loop.rig;
    EXPECT_EQ(loop.result, TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка обмена. Повторите загрузку."});
    EXPECT_EQ(rig.countEvents("poll"), 103);
    EXPECT_EQ(written(rig), std::vector<int>(103, 1));
    EXPECT_TRUE(rig.scale.state().range) << "the loop leaves the range to its caller";
}

TEST(VirtualSend, RequestsAndFailedPassesShareTheBudget)
{
    // 60 requests and 43 failed polls make 103 passes off the sequence of two records.
    PacedLoop spent({"request@poll#1-60", "wrong-number@poll#61-103"});
    EXPECT_EQ(spent.result, TransferOutcome::Failed);
    EXPECT_EQ(spent.rig.countEvents("poll"), 103);

    // One fewer, and the records go.
    PacedLoop within({"request@poll#1-60", "wrong-number@poll#61-102"});
    EXPECT_EQ(within.result, TransferOutcome::Done);
    EXPECT_EQ(within.rig.scale.state().plu.size(), 2u);
}

TEST(VirtualSend, ScaleThatAsksForEverEndsWithTheExchangeErrorAndTheRangeCancelled)
{
    ScaleRig rig(qmtest::faulty({"request@poll"}));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sendProductTable(rig.link, productTable({"5"}), kVirtual), TransferOutcome::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка обмена. Повторите загрузку."});
    // 1 record + 100: the 102nd pass off the sequence ends it; then the closing cancel's poll.
    EXPECT_EQ(rig.countEvents("poll"), 102 + 1);
    EXPECT_FALSE(rig.scale.state().range);
}
