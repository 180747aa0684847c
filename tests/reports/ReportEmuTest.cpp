// The report operations against an emulated scale: reading every PLU, one PLU and the general
// totals into the report table and its fields, and the three clears, with their questions and
// messages and the state the scale holds afterwards.
#include <gtest/gtest.h>

#include "StateFile.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/ReportFile.h"
#include "reports/ReportTransfer.h"
#include "reports/TotalsWriter.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::EmuOptions;
using qmtest::ScaleRig;

namespace
{

const char* const kReceived = "Данные приняты.";
const char* const kBadNumber = "Ошибка ввода номера PLU. Это число от 1 до 4000.";
const char* const kNoData = "Запрашиваемые данные отсутствуют или произошла ошибка обмена.";
const char* const kClearFailed = "Ошибка обмена данными. Повторите попытку обнуления.";
const char* const kSaveFirst = "Будет открыт новый список отчетов.\r\nВ таблице  были изменения.\r\nСохранить ?";

// PLU 3 with totals cleared on 31.12.03 at 09:05:07, PLU 9 and PLU 4000 with some sales.
EmuOptions scaleWithSales(std::vector<std::string> faults = {})
{
    emu::ScaleState s;
    emu::PluRecord bread;
    bread.name1 = std::string("Bread") + std::string(23, ' ');
    bread.resetTime = 9 + 100 * 5 + 10000 * 7;   // bytes 83..85: 09 05 07
    bread.resetDate = 3 * 10000 + 12 * 100 + 31; // bytes 86..88: 03 12 31
    bread.sum = 12345;
    bread.weight = 1500;
    bread.sales = 7;
    s.plu[3] = bread;
    emu::PluRecord tea;
    tea.sum = 100;
    tea.sales = 1;
    s.plu[9] = tea;
    s.plu[4000] = tea;
    s.date = {1, 2, 26};
    s.time = {10, 20, 30};
    s.totals.runMm = 5000;
    s.totals.grandSum = 20000;
    EmuOptions o;
    o.stateJson = emu::stateToJson(s);
    o.faults = std::move(faults);
    return o;
}

struct Report {
    Table table = makeTable(reportLayout());
    bool modified = false;
    TableWriter sink{table, &modified};
    ReportTotals fields = [] {
        ReportTotals f;
        f.fill("0");
        return f;
    }();
    TotalsWriter totals{fields};
};

} // namespace

TEST(ReportEmu, ReadAllFillsARowPerProductAndSkipsEmptyCells)
{
    ScaleRig rig(scaleWithSales());
    Report r;
    r.fields.fill("x");
    EXPECT_EQ(readReportTable(rig.link, r.sink, r.totals, {}), TransferOutcome::Done);
    ASSERT_EQ(r.table.rowCount(), 4) << "three rows, the empty last row removed";
    EXPECT_EQ(r.table.row(1), (Row{"3", "Bread" + std::string(23, ' '), std::string(28, ' '), "31.12.03", "09:05:07",
                                   "123,45", "1,5", "7"}));
    EXPECT_EQ(r.table.cell(2, 0), "9");
    EXPECT_EQ(r.table.cell(2, 5), "1");
    EXPECT_EQ(r.table.cell(3, 0), "4000");
    EXPECT_TRUE(r.modified);
    // Only the sums over all PLU change: those of bread and twice tea.
    EXPECT_EQ(r.fields, (ReportTotals{"x", "x", "x", "x", "125,45", "9", "1,5", "x", "x", "x", "x", "x"}));
    EXPECT_EQ(rig.fb.lastMessage(), kReceived);
    EXPECT_EQ(rig.fb.progressMaximum, 4000);
    EXPECT_EQ(rig.fb.counters.back(), "4000");
    EXPECT_FALSE(rig.fb.progressVisible);
    EXPECT_EQ(rig.countEvents("command 0x81"), 4000);
}

TEST(ReportEmu, ReadAllOfAnEmptyScaleLeavesOneEmptyRowAndStopKeepsTheRowsRead)
{
    {
        ScaleRig rig;
        Report r;
        EXPECT_EQ(readReportTable(rig.link, r.sink, r.totals, {}), TransferOutcome::Done);
        EXPECT_EQ(r.table.rowCount(), 2);
        EXPECT_EQ(r.table.cell(1, 0), "");
        EXPECT_FALSE(r.modified);
        EXPECT_EQ(rig.fb.lastMessage(), kReceived);
    }
    ScaleRig rig(scaleWithSales());
    Report r;
    rig.fb.onEvents = [](qmtest::ScriptedFeedback& fb) {
        if (!fb.counters.empty() && fb.counters.back() == "20")
            fb.stop = true;
    };
    EXPECT_EQ(readReportTable(rig.link, r.sink, r.totals, {}), TransferOutcome::Stopped);
    EXPECT_EQ(rig.fb.lastMessage(), "Действие прервано.");
    ASSERT_EQ(r.table.rowCount(), 3) << "PLU 3 and 9, no empty row";
    EXPECT_EQ(r.table.cell(2, 0), "9");
    EXPECT_LT(rig.countEvents("command 0x81"), 25);
}

TEST(ReportEmu, ReadOneChecksTheNumberBeforeTheQuestionAndAFailedSaveCancels)
{
    ScaleRig rig(scaleWithSales());
    Report r;
    r.table.setRow(1, {"77", "", "", "", "", "5", "", ""});
    r.modified = true;
    const Table before = r.table;

    for (const char* wrong : {"0", "4001", ""}) {
        EXPECT_EQ(readReportOne(rig.link, wrong, r.sink, {}), TransferOutcome::Failed) << wrong;
        EXPECT_EQ(rig.fb.lastMessage(), kBadNumber);
    }
    EXPECT_TRUE(rig.fb.questions.empty());
    EXPECT_EQ(r.table, before);

    rig.fb.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_EQ(readReportOne(rig.link, "3", r.sink, {}), TransferOutcome::Cancelled);
    EXPECT_EQ(readReportOne(rig.link, "3", r.sink, [] { return false; }), TransferOutcome::Cancelled)
        << "a Yes whose save failed";
    EXPECT_EQ(rig.fb.questions, (std::vector<std::string>{kSaveFirst, kSaveFirst}));
    EXPECT_EQ(r.table, before);
    EXPECT_TRUE(r.modified);
    EXPECT_EQ(rig.countEvents("command 0x81"), 0);

    int saves = 0;
    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(readReportOne(rig.link, "3", r.sink, [&] { return ++saves > 0; }), TransferOutcome::Done);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(r.table.rowCount(), 2);
    EXPECT_EQ(r.table.cell(1, 0), "3");
    EXPECT_EQ(r.table.cell(1, 5), "123,45");
    EXPECT_TRUE(r.modified);
    EXPECT_EQ(rig.fb.lastMessage(), kReceived);

    r.modified = false;
    EXPECT_EQ(readReportOne(rig.link, "5", r.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.failures.back().kind, FailureKind::NotFound);
    EXPECT_EQ(rig.fb.lastMessage(), kNoData);
}

TEST(ReportEmu, ReadTotalsFillsTheTwelveFieldsAndAShortOrMissingAnswerGivesTwoMessages)
{
    {
        ScaleRig rig(scaleWithSales());
        Report r;
        r.modified = true;
        EXPECT_EQ(readGeneralTotals(rig.link, r.sink, r.totals, {}), TransferOutcome::Done);
        EXPECT_TRUE(rig.fb.questions.empty()) << "unsaved figures or not, the totals read asks nothing";
        EXPECT_EQ(r.fields, (ReportTotals{"5000", "0", "01.01.00", "00:00:00", "125,45", "9", "1,5", "200", "0", "0",
                                          "3997", "1000"}));
        EXPECT_TRUE(r.modified);
        EXPECT_EQ(r.table.rowCount(), 2) << "the table stays as it was";
        EXPECT_EQ(rig.fb.lastMessage(), kReceived);
    }
    // A short answer, and none at all. (One garbled on the line cannot be told from figures a
    // scale may hold: it is shown as it came.)
    for (const char* fault : {"truncate=40@0x85", "silent@0x85"}) {
        ScaleRig rig(scaleWithSales({fault}));
        Report r;
        EXPECT_EQ(readGeneralTotals(rig.link, r.sink, r.totals, {}), TransferOutcome::Failed) << fault;
        EXPECT_EQ(rig.fb.messages, (std::vector<std::string>{"Проверьте работоспособность весов или линии связи.",
                                                             "Ошибка обмена данными. Повторите попытку запроса."}));
        EXPECT_EQ(r.fields[0], "0");
        EXPECT_FALSE(r.modified);
    }
}

TEST(ReportEmu, GarbledRecordIsAnExchangeErrorThatChangesNothing)
{
    // PLU 3 garbled arrives as PLU 4294967292: not the record asked for.
    ScaleRig rig(scaleWithSales({"garble@0x81#1-3"})); // at the first ask and at both asked again
    Report r;
    EXPECT_EQ(readReportOne(rig.link, "3", r.sink, {}), TransferOutcome::Failed);
    ASSERT_FALSE(rig.fb.failures.empty());
    EXPECT_EQ(rig.fb.failures.back().kind, FailureKind::ReadFailed);
    EXPECT_EQ(rig.fb.lastMessage(), "Ошибка обмена данными. Повторите попытку запроса.");
    EXPECT_EQ(r.table.cell(1, 0), "");
    EXPECT_FALSE(r.modified);
    // The scale still holds it and answers it whole the next time.
    EXPECT_EQ(readReportOne(rig.link, "3", r.sink, {}), TransferOutcome::Done);
    EXPECT_EQ(r.table.cell(1, 0), "3");
}

TEST(ReportEmu, ClearAllGoesThroughEmptyCellsToTheEnd)
{
    ScaleRig rig(scaleWithSales());
    EXPECT_EQ(clearAllPluTotals(rig.link, "4001"), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), kBadNumber);
    EXPECT_TRUE(rig.fb.questions.empty());

    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(clearAllPluTotals(rig.link, "1"), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.questions,
              std::vector<std::string>{
                  "ВНИМАНИЕ !\r\nСуммарный итог продаж по каждому товару будет обнулен.\r\nПродолжить ?"});
    EXPECT_EQ(rig.fb.lastMessage(), "Итоги продаж по каждому товару обнулены. (Это не приводит к стиранию суммарных "
                                    "итогов по всем товарам.)");
    EXPECT_EQ(rig.countEvents("command 0x92"), 4000);
    const emu::ScaleState state = rig.scale.state();
    for (std::uint32_t plu : {3u, 9u, 4000u}) {
        EXPECT_EQ(state.plu.at(plu).sum, 0u) << plu;
        EXPECT_EQ(state.plu.at(plu).resetTime, 10u + 100u * 20u + 10000u * 30u) << "the scale's clock";
    }
    EXPECT_EQ(state.totals.grandSum, 20000) << "the grand total is kept";
    EXPECT_FALSE(rig.fb.progressVisible);
}

TEST(ReportEmu, ClearAllStopsAtTheFirstRefusal)
{
    ScaleRig rig(scaleWithSales({"nak@0x92#3"}));
    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(clearAllPluTotals(rig.link, "1"), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Ошибка обмена данными. Повторите попытку обнуления.");
    EXPECT_EQ(rig.fb.failures.back().record, 3);
    EXPECT_EQ(rig.scale.state().plu.at(3).sum, 12345u);
}

TEST(ReportEmu, ClearOneAsksWithTheFieldTextAndFailsOnAnEmptyCell)
{
    ScaleRig rig(scaleWithSales());
    EXPECT_EQ(clearOnePluTotals(rig.link, "3"), TransferOutcome::Cancelled);
    EXPECT_EQ(
        rig.fb.questions,
        std::vector<std::string>{"ВНИМАНИЕ !\r\nСуммарный итог продаж по товару № 3 будет обнулен.\r\nПродолжить ?"});
    EXPECT_EQ(rig.scale.state().plu.at(3).sum, 12345u);

    rig.fb.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(clearOnePluTotals(rig.link, "3"), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.lastMessage(),
              "Итог продаж по товару № 3 обнулен. (Это не приводит к стиранию суммарных итогов по всем товарам.)");
    EXPECT_EQ(rig.scale.state().plu.at(3).sum, 0u);
    EXPECT_EQ(rig.scale.state().plu.at(9).sum, 100u);

    EXPECT_EQ(clearOnePluTotals(rig.link, "5"), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), kClearFailed);
}

// Clearing one PLU succeeds on 0xAA alone: the empty-cell byte, the refusal byte or any other
// answer is the clear failure, for that PLU, and its totals stay.
class ClearOneAnswer : public ::testing::TestWithParam<const char*>
{
};

TEST_P(ClearOneAnswer, IsTheClearFailure)
{
    ScaleRig rig(scaleWithSales({GetParam()}));
    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(clearOnePluTotals(rig.link, "3"), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), kClearFailed);
    ASSERT_EQ(rig.fb.failures.size(), 1u);
    EXPECT_EQ(rig.fb.failures[0].kind, FailureKind::NoAck);
    EXPECT_EQ(rig.fb.failures[0].record, 3);
    EXPECT_EQ(rig.scale.state().plu.at(3).sum, 12345u);
}

INSTANTIATE_TEST_SUITE_P(ReportEmu, ClearOneAnswer,
                         ::testing::Values("nak=0xEE@0x92", "nak=0x00@0x92", "nak=0x55@0x92", "nak=0xFF@0x92"));

TEST(ReportEmu, ClearGrandTotalKeepsTheProducts)
{
    ScaleRig rig(scaleWithSales({"nak@0x86#1"}));
    rig.fb.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(clearGrandTotal(rig.link), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastFailure(), FailureKind::NoAck);
    EXPECT_EQ(clearGrandTotal(rig.link), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.questions[0], "ВНИМАНИЕ !\r\nСуммарный итог продаж по всем товарам будет удален.\r\nПродолжить ?");
    EXPECT_EQ(rig.fb.lastMessage(), "Суммарный итог продаж по всем товарам обнулен. (Это не приводит к стиранию итогов "
                                    "по каждому товару отдельно.)");
    const emu::ScaleState state = rig.scale.state();
    EXPECT_EQ(state.totals.grandSum, 0);
    EXPECT_EQ(state.totals.clearedHour, 10);
    EXPECT_EQ(state.plu.at(3).sum, 12345u);
}
