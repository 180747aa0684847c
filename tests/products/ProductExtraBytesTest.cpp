// Answers with one byte too many on the product paths. A read record is its status byte and
// exactly 100 bytes: a 102-byte answer is no record and ends the read. A write needs at least
// one byte and looks only at the first, so a doubled 0xAA is an acknowledgement; the surplus
// byte is dropped with the queue emptied before the next record.

#include <gtest/gtest.h>

#include "StateBuilder.h"
#include "common/TableColumns.h"
#include "common/TableSink.h"
#include "products/PluCodec.h"
#include "products/ProductRows.h"
#include "products/ProductTransfer.h"
#include "support/ReadTarget.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

qmtest::EmuOptions fiveProducts(std::vector<std::string> faults)
{
    emu::StateBuilder b;
    for (std::uint32_t n = 1; n <= 5; ++n)
        b.plu(n, "p" + std::to_string(n), n * 100);
    return qmtest::withState(b.json(), std::move(faults));
}

using Target = qmtest::ReadTarget<qm::productLayout>;

// Addressing and the read request of each PLU number, as the scale receives them.
Bytes readRequests(int first, int last)
{
    Bytes out;
    for (int n = first; n <= last; ++n) {
        const Bytes one{1, 0x81, static_cast<std::uint8_t>(n), 0, 0, 0};
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

Table productTable(const std::vector<Row>& rows)
{
    Table t = makeTable(productLayout());
    t.setDataRows(rows);
    return t;
}

Row product(const std::string& plu, const std::string& price)
{
    return {plu, cp("Товар " + plu), "", price, "5", "0", "0", "0", "0", "0", ""};
}

// Per row the addressing byte, then 0x82 and the record.
Bytes sendBytes(const Table& t, std::initializer_list<int> rows)
{
    Bytes out{};
    for (int r : rows) {
        out.push_back(1);
        const Bytes rec = *encodePluWrite(*prepareRow(t.row(r)).record);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    return out;
}

} // namespace

TEST(ProductExtraBytes, ReadOneAnsweredOneByteTooLongIsAnExchangeError)
{
    // Too long at the first ask and at both asked again.
    ScaleRig rig(fiveProducts({"extra=1@0x81#1-3"}));
    Target t;
    EXPECT_EQ(readOneProduct(rig.link, "3", t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.onlyFailure(), FailureKind::ReadFailed);
    Bytes asked = readRequests(3, 3);
    asked.insert(asked.end(), asked.begin(), asked.end());
    asked.insert(asked.end(), asked.begin(), asked.begin() + 6);
    EXPECT_EQ(rig.scale.received(), asked);
    // Three times the addressing answer, then 102 bytes: the status byte, the record and one more.
    EXPECT_EQ(rig.scale.sent().size(), 3 * (2u + 102u));
    ASSERT_EQ(t.table.rowCount(), 2);
    EXPECT_EQ(t.table.row(1), Row(kProductColumns));
    EXPECT_FALSE(t.modified);
    EXPECT_EQ(rig.scale.state().plu.size(), 5u) << "a read changes nothing in the scale";

    // The surplus bytes do not reach the next read: it gets the record whole.
    rig.fb.messages.clear();
    EXPECT_EQ(readOneProduct(rig.link, "3", t.sink, {}), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные приняты."});
    EXPECT_EQ(t.table.cell(1, plucol::Plu), "3");
    EXPECT_EQ(t.table.cell(1, plucol::Price), "300");
}

TEST(ProductExtraBytes, ReadRangeEndsAtTheLongAnswerKeepingTheRecordsBefore)
{
    ScaleRig rig(fiveProducts({"extra=1@0x81#3-5"}));
    Target t;
    EXPECT_EQ(readProductRange(rig.link, 1, 5, t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.onlyFailure(), FailureKind::ReadFailed);
    Bytes asked = readRequests(1, 3);
    for (int again = 0; again < 2; ++again)
        asked.insert(asked.end(), asked.end() - 6, asked.end());
    EXPECT_EQ(rig.scale.received(), asked) << "record 3 asked thrice, nothing after it";
    ASSERT_EQ(t.table.rowCount(), 4); // records 1 and 2, and the empty row that awaited record 3
    EXPECT_EQ(t.table.cell(1, plucol::Plu), "1");
    EXPECT_EQ(t.table.cell(2, plucol::Plu), "2");
    EXPECT_EQ(t.table.cell(2, plucol::Price), "200");
    EXPECT_EQ(t.table.cell(3, plucol::Plu), "");
    EXPECT_TRUE(t.modified);
    EXPECT_FALSE(rig.fb.progressVisible);
    EXPECT_EQ(rig.scale.state().plu.size(), 5u);
}

TEST(ProductExtraBytes, TableWriteAcknowledgedTwiceGoesOnWithTheNextRecord)
{
    ScaleRig rig(qmtest::faulty({"extra=1@0x82#1"}));
    const Table t = productTable({product("1", "100"), product("2", "200"), product("3", "300")});
    EXPECT_EQ(sendProductTable(rig.link, t, {}), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {1, 2, 3}));
    EXPECT_EQ(rig.scale.sent(), (Bytes{1, 0x80, 0xAA, 0xAA, 1, 0x80, 0xAA, 1, 0x80, 0xAA}));
    const auto state = rig.scale.state();
    ASSERT_EQ(state.plu.size(), 3u);
    EXPECT_EQ(state.plu.at(1).price, 100u);
    EXPECT_EQ(state.plu.at(3).price, 300u);
}

TEST(ProductExtraBytes, RowAndRangeWritesAcknowledgedTwiceSucceed)
{
    ScaleRig rig(qmtest::faulty({"extra=1@0x82#1-2"}));
    const Table t = productTable({product("1", "100"), product("2", "200"), product("3", "300")});
    EXPECT_EQ(sendProductRow(rig.link, t, 2), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(rig.scale.sent(), (Bytes{1, 0x80, 0xAA, 0xAA}));

    // The range's first record is acknowledged twice too; its second record still goes.
    rig.scale.clearLog();
    rig.fb.messages.clear();
    EXPECT_EQ(sendProductRange(rig.link, t, 1, 3), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {1, 2, 3}));
    EXPECT_EQ(rig.scale.sent(), (Bytes{1, 0x80, 0xAA, 0xAA, 1, 0x80, 0xAA, 1, 0x80, 0xAA}));
    EXPECT_EQ(rig.scale.state().plu.size(), 3u);
}
