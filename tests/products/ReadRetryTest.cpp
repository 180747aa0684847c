// A line fault in a long product read: a lost answer is asked again after the line has gone quiet,
// twice at most, and the read goes on; a fault that stays ends the read at its record.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "ScaleText.h"
#include "StateBuilder.h"
#include "common/Failure.h"
#include "common/TableColumns.h"
#include "common/TableSink.h"
#include "link/ByteTrace.h"
#include "products/ProductTransfer.h"
#include "support/ReadTarget.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

constexpr int kProducts = 100;

// The notes of the byte trace about lost answers: one per read asked again.
struct NoteTrace : ByteTrace {
    void sent(const std::uint8_t*, size_t) override {}
    void received(const std::uint8_t*, size_t) override {}
    void note(const std::string& text) override
    {
        if (text.rfind("read answer lost", 0) == 0)
            notes.push_back(text);
    }
    std::vector<std::string> notes;
};

qmtest::EmuOptions hundredProducts(std::vector<std::string> faults)
{
    emu::StateBuilder builder;
    for (int n = 1; n <= kProducts; ++n)
        builder.plu(n, "Товар " + std::to_string(n), 100u + 7u * n, 1000u + n);
    qmtest::EmuOptions o = qmtest::faulty(std::move(faults));
    o.stateJson = builder.json();
    return o;
}

using Target = qmtest::ReadTarget<qm::productLayout>;

// The table row by row against the records the scale holds.
void expectTableIsScale(const Table& table, const emu::ScaleState& scale)
{
    ASSERT_EQ(table.rowCount(), static_cast<int>(scale.plu.size()) + 1);
    int row = 1;
    for (const auto& [plu, record] : scale.plu) {
        EXPECT_EQ(table.cell(row, plucol::Plu), std::to_string(plu));
        EXPECT_EQ(table.cell(row, plucol::Name1), cp(emu::scaleToUtf8(record.name1))) << plu;
        EXPECT_EQ(table.cell(row, plucol::Price), std::to_string(record.price)) << plu;
        EXPECT_EQ(table.cell(row, plucol::Code), std::to_string(record.code)) << plu;
        ++row;
    }
}

// One fault of the line on the answer it is given to (K: "@0x81#K").
struct LineFault {
    const char* name;
    const char* fault;
};
std::string caseName(const testing::TestParamInfo<std::tuple<LineFault, bool>>& info)
{
    return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Lasting" : "Once");
}

class ReadRetry : public testing::TestWithParam<std::tuple<LineFault, bool>>
{
};

} // namespace

// A fault on the 40th answer only is asked again and the read ends equal to the scale; the same
// fault on the 40th, the asked-again 41st and 42nd answers ends the read at PLU 40 with the
// read's message, the 39 records before it read.
TEST_P(ReadRetry, TransientFaultIsAskedAgainLastingOneFails)
{
    const auto& [kind, lasting] = GetParam();
    ScaleRig rig(hundredProducts({std::string(kind.fault) + "@0x81#40" + (lasting ? "-42" : "")}));
    NoteTrace trace;
    rig.comm.setTrace(&trace);
    Target t;
    const auto outcome = readProductRange(rig.link, 1, kProducts, t.sink, {});
    rig.comm.setTrace(nullptr);

    if (!lasting) {
        EXPECT_EQ(outcome, TransferOutcome::Done);
        expectTableIsScale(t.table, rig.scale.state());
        EXPECT_EQ(rig.countEvents("command 0x81"), kProducts + 1);
        EXPECT_EQ(trace.notes, std::vector<std::string>{"read answer lost: asked again (1 of 2)"});
        return;
    }
    EXPECT_EQ(outcome, TransferOutcome::Failed);
    ASSERT_EQ(rig.fb.failures.size(), 1u);
    EXPECT_EQ(rig.fb.failures[0].kind, FailureKind::ReadFailed);
    EXPECT_EQ(rig.fb.failures[0].record, 40);
    EXPECT_EQ(t.table.rowCount(), 41); // the header, 39 records and the open last row
    EXPECT_EQ(rig.countEvents("command 0x81"), 42);
    EXPECT_EQ(trace.notes, (std::vector<std::string>{"read answer lost: asked again (1 of 2)",
                                                     "read answer lost: asked again (2 of 2)"}));
}

INSTANTIATE_TEST_SUITE_P(LineFaults, ReadRetry,
                         testing::Combine(testing::Values(LineFault{"Short", "truncate=60"},
                                                          LineFault{"Shifted", "stray"}, LineFault{"Late", "delay=450"},
                                                          LineFault{"Garbled", "garble=0x01"},
                                                          LineFault{"Missing", "silent"}),
                                          testing::Bool()),
                         caseName);

// One short, one shifted and one late answer in a read of 100 products: it succeeds, equals the
// scale, and the three retries cost about a second.
TEST(ReadRetryFigure, HundredProductsWithThreeFaultsEqualTheScale)
{
    ScaleRig rig(hundredProducts({"truncate=30@0x81#20", "stray@0x81#50", "delay=450@0x81#80"}));
    Target t;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readProductRange(rig.link, 1, kProducts, t.sink, {}), TransferOutcome::Done);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::cout << "100 products with a short, a shifted and a late answer: " << took.count() << " ms\n";
    expectTableIsScale(t.table, rig.scale.state());
    EXPECT_EQ(rig.countEvents("command 0x81"), kProducts + 3);
    EXPECT_LT(took, std::chrono::seconds(10));
}
