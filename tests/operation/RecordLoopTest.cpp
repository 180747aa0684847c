// Every operation that walks records, through the one record loop, against the emulated scale:
// a stop after record K ends it Stopped with K records done and nothing said of success, and a
// record that fails ends it with a failure naming that record.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "StateBuilder.h"
#include "common/TableSink.h"
#include "common/ValueSink.h"
#include "messages/MessageTransfer.h"
#include "operation/OperationTexts.h"
#include "products/ProductTexts.h"
#include "products/ProductTransfer.h"
#include "reports/ReportTransfer.h"
#include "settings/StatusTransfer.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

constexpr int kRecords = 6;

// Tables of kRecords rows, numbered 1..kRecords, for the sends.
Table numberedTable(const TableLayout& layout, const std::function<Row(const std::string&)>& row)
{
    Table t = makeTable(layout);
    std::vector<Row> rows;
    for (int n = 1; n <= kRecords; ++n)
        rows.push_back(row(std::to_string(n)));
    t.setDataRows(rows);
    return t;
}

OperationResult run(const std::string& op, ScaleRig& rig)
{
    Table into = makeTable(productLayout());
    TableWriter sink(into);
    qm::ValueHolder<qm::ShownTotals> ignore;
    const ScaleLink link = rig.link;
    rig.fb.answers = {Answer::Yes};
    if (op == "send products")
        return sendProductTable(link,
                                numberedTable(productLayout(),
                                              [](const std::string& n) {
                                                  return Row{n, "p", "", "100", "5", "0", "0", "0", "0", "0", ""};
                                              }),
                                {false, false});
    if (op == "read products")
        return readProductRange(link, 1, kRecords, sink, {});
    if (op == "delete products")
        return deleteProductRange(link, 1, kRecords);
    if (op == "send messages")
        return sendMessageTable(link,
                                numberedTable(messageLayout(),
                                              [](const std::string& n) {
                                                  return Row{n, "m"};
                                              }),
                                false);
    if (op == "read messages")
        return readMessageRange(link, 1, kRecords, sink, {});
    if (op == "delete messages")
        return deleteMessageRange(link, 1, kRecords);
    if (op == "read report")
        return readReportTable(link, sink, ignore, {});
    if (op == "clear totals")
        return clearAllPluTotals(link, "1");
    if (op == "write keys")
        return writePriceKeys(link, defaultPriceKeys());
    return readPriceKeys(link, sink); // "read keys"
}

struct LoopCase {
    const char* op;
    const char* command; // the scale's event of one record
    bool rows;           // a failure names the row, not the record number
    const char* stopped;
};

class RecordLoops : public ::testing::TestWithParam<LoopCase>
{
  protected:
    static qmtest::EmuOptions scale(std::vector<std::string> faults = {})
    {
        emu::StateBuilder b;
        for (std::uint32_t n = 1; n <= kRecords; ++n)
            b.plu(n, "p", n).message(n, {"m"});
        return qmtest::withState(b.json(), std::move(faults));
    }
};

TEST_P(RecordLoops, AStopAfterRecordKEndsStoppedWithKRecordsAndNoWordOfSuccess)
{
    const LoopCase c = GetParam();
    constexpr int K = 3;
    ScaleRig rig(scale());
    // Raised while record K is on the bar: record K still goes, the next does not.
    rig.fb.onEvents = [](qmtest::ScriptedFeedback& fb) {
        if (fb.positionsSinceStart >= K)
            fb.stop = true;
    };
    const OperationResult result = run(c.op, rig);
    EXPECT_EQ(result, TransferOutcome::Stopped);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->kind, FailureKind::Stopped);
    EXPECT_EQ(rig.countEvents(c.command), K);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{c.stopped});
    EXPECT_FALSE(rig.fb.progressVisible);
}

TEST_P(RecordLoops, AFailingRecordEndsTheLoopNamingIt)
{
    const LoopCase c = GetParam();
    // An addressing the scale is not ready for, past the first record: the step fails there.
    ScaleRig rig(scale({"not-ready@addr#3"}));
    const OperationResult result = run(c.op, rig);
    EXPECT_EQ(result, TransferOutcome::Failed);
    ASSERT_TRUE(result.failure);
    const int failing = rig.countEvents(c.command) + 1;
    EXPECT_GT(failing, 1);
    EXPECT_EQ(c.rows ? result.failure->row : result.failure->record, failing);
    EXPECT_FALSE(rig.fb.progressVisible);
}

INSTANTIATE_TEST_SUITE_P(EveryWalk, RecordLoops,
                         ::testing::Values(LoopCase{"send products", "command 0x82", true, operationtext::kStopped},
                                           LoopCase{"read products", "command 0x81", false, operationtext::kStopped},
                                           LoopCase{"delete products", "command 0x8D", false,
                                                    producttext::kDeleteStopped},
                                           LoopCase{"send messages", "command 0x84", true, operationtext::kStopped},
                                           LoopCase{"read messages", "command 0x83", false, operationtext::kStopped},
                                           LoopCase{"delete messages", "command 0x8E", false, operationtext::kStopped},
                                           LoopCase{"read report", "command 0x81", false, operationtext::kStopped},
                                           LoopCase{"clear totals", "command 0x92", false, operationtext::kStopped},
                                           LoopCase{"write keys", "command 0x8B", true, operationtext::kStopped},
                                           LoopCase{"read keys", "command 0x96", true, operationtext::kStopped}),
                         [](const ::testing::TestParamInfo<LoopCase>& param) {
                             std::string name = param.param.op;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

} // namespace
