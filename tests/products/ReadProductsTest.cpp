// Reading products from the emulated scale into a table.

#include <gtest/gtest.h>

#include "StateBuilder.h"
#include "common/TableColumns.h"
#include "common/TableSink.h"
#include "products/ProductTransfer.h"
#include "support/ReadTarget.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

emu::PluRecord milk()
{
    emu::PluRecord r;
    r.code = 123;
    r.name1 = emu::scaleName("Молоко");
    r.name2 = emu::scaleName("Ёлочка");
    r.price = 4550;
    r.shelf = 10525; // 01.05.25
    r.tare = 20;
    r.group = 7;
    r.message = 12;
    r.sum = 99;
    return r;
}

using Target = qmtest::ReadTarget<qm::productLayout>;

std::string padded(const std::string& text)
{
    return text + std::string(28 - text.size(), ' ');
}

} // namespace

TEST(ReadProducts, ReadAllFillsOnlyTheRecordsTheScaleHolds)
{
    emu::PluRecord empty;
    ScaleRig rig(qmtest::withState(emu::StateBuilder().plu(3, milk()).plu(7, empty).json()));
    Target t;
    t.table.setRow(1, {"99", "old"});
    EXPECT_EQ(readAllProducts(rig.link, t.sink, {}), TransferOutcome::Done);
    EXPECT_EQ(rig.countEvents("command 0x81"), 4000) << "an empty cell (0xEE) is not asked again";
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные приняты."});
    EXPECT_TRUE(t.modified);
    ASSERT_EQ(t.table.rowCount(), 3);
    EXPECT_EQ(t.table.row(1), (Row{"3", padded(cp("Молоко")), padded(cp("Ёлочка")), "4550", "010525", "20", "123", "7",
                                   "12", "0", ""}));
    EXPECT_EQ(t.table.row(2), (Row{"7", padded(""), padded(""), "0", "0", "0", "0", "0", "0", "0", ""}));
    EXPECT_EQ(rig.fb.progressMaximum, 4000);
    EXPECT_EQ(rig.fb.progress.back(), 4000);
    EXPECT_EQ(rig.fb.counters.back(), "4000");
    EXPECT_FALSE(rig.fb.progressVisible);
}

TEST(ReadProducts, LogoAndCertificationComeOutOfTheNames)
{
    emu::PluRecord r = milk();
    r.name1 = emu::scaleName("Сыр").substr(0, 24) + std::string("\0\x02\x32\x34", 4);
    r.name2 = emu::scaleName("").substr(0, 24) + std::string("\0\x02\x31\x33", 4);
    ScaleRig rig(qmtest::withState(emu::StateBuilder().plu(5, r).json()));
    Target t;
    EXPECT_EQ(readOneProduct(rig.link, "5", t.sink, {}), TransferOutcome::Done);
    EXPECT_EQ(t.table.cell(1, plucol::Logo), "2");
    EXPECT_EQ(t.table.cell(1, plucol::Cert), "1234");
    EXPECT_EQ(t.table.cell(1, plucol::Name1), padded(cp("Сыр")));
    EXPECT_EQ(t.table.cell(1, plucol::Name2), padded(""));
}

TEST(ReadProducts, SaveFirstQuestion)
{
    ScaleRig rig(qmtest::withState(emu::StateBuilder().plu(1, milk()).json()));
    const std::string question = "Будет получен новый список товаров.\r\nВ таблице  были изменения.\r\nСохранить ?";
    Target t;
    t.table.setRow(1, {"42"});
    t.modified = true;
    int saves = 0;
    const SaveCommand save = [&] { return ++saves > 1; }; // the first save is cancelled

    rig.fb.answers = {Answer::Cancel};
    EXPECT_EQ(readOneProduct(rig.link, "1", t.sink, save), TransferOutcome::Cancelled);
    EXPECT_EQ(rig.fb.questions, std::vector<std::string>{question});
    // Yes whose save did not happen keeps the table as Cancel does.
    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(readOneProduct(rig.link, "1", t.sink, save), TransferOutcome::Cancelled);
    EXPECT_EQ(t.table.cell(1, 0), "42");
    EXPECT_TRUE(t.modified);
    EXPECT_TRUE(rig.scale.received().empty());

    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(readOneProduct(rig.link, "1", t.sink, save), TransferOutcome::Done);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(t.table.cell(1, 0), "1");

    // A table just read is modified again: No clears the flag and goes on.
    rig.fb.answers = {Answer::No};
    EXPECT_EQ(readOneProduct(rig.link, "2", t.sink, save), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.questions.size(), 4u);
    EXPECT_FALSE(t.modified);
}

TEST(ReadProducts, ReadOneAnswers)
{
    ScaleRig rig(qmtest::withState(emu::StateBuilder().plu(1, milk()).json()));
    Target t;
    EXPECT_EQ(readOneProduct(rig.link, "2", t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Запрашиваемые данные отсутствуют или произошла ошибка обмена.");
    EXPECT_EQ(t.table.rowCount(), 2);
    EXPECT_EQ(t.table.cell(1, 0), "");
    for (const char* bad : {"", "0", "4001", "x"}) {
        EXPECT_EQ(readOneProduct(rig.link, bad, t.sink, {}), TransferOutcome::Failed);
        EXPECT_EQ(rig.fb.lastMessage(), "Ошибка ввода номера PLU. Это число от 1 до 4000.");
    }
    EXPECT_EQ(rig.countEvents("command 0x81"), 1);
    EXPECT_FALSE(t.modified);
}

TEST(ReadProducts, RangeStoppedAfterSomeRecordsKeepsThem)
{
    emu::StateBuilder b;
    for (std::uint32_t n = 1; n <= 10; ++n)
        b.plu(n, "p" + std::to_string(n), n * 10);
    ScaleRig rig(qmtest::withState(b.json()));
    Target t;
    int records = 0;
    // Each record read has two event points: before its request and after its row is filled.
    rig.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
        if (++records == 6)
            fb.stop = true;
    };
    EXPECT_EQ(readProductRange(rig.link, 2, 9, t.sink, {}), TransferOutcome::Stopped);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Действие прервано."});
    ASSERT_EQ(t.table.rowCount(), 4);
    EXPECT_EQ(t.table.cell(1, 0), "2");
    EXPECT_EQ(t.table.cell(3, 0), "4");
    EXPECT_EQ(t.table.cell(3, plucol::Price), "40");
    EXPECT_EQ(rig.fb.progressMaximum, 8);
}

TEST(ReadProducts, IncompleteAnswerEndsTheRead)
{
    qmtest::EmuOptions o = qmtest::withState(emu::StateBuilder().plu(1, milk()).plu(2, milk()).json());
    o.faults = {"truncate=100@0x81#2-4"}; // the status byte and 99 of the 100 record bytes, thrice
    ScaleRig rig(o);
    Target t;
    EXPECT_EQ(readAllProducts(rig.link, t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.onlyFailure(), FailureKind::ReadFailed);
    EXPECT_EQ(rig.countEvents("command 0x81"), 4);
    ASSERT_EQ(t.table.rowCount(), 3); // the record read and the empty row that awaited the next
    EXPECT_EQ(t.table.cell(1, 0), "1");
    EXPECT_EQ(t.table.cell(2, 0), "");
}

TEST(ReadProducts, GarbledRecordIsAnExchangeErrorNotARow)
{
    // Every answer byte XOR 0xFF: PLU 2 arrives as PLU 4294967293, its code digits as 0xF6..0xFF.
    qmtest::EmuOptions o = qmtest::withState(emu::StateBuilder().plu(1, milk()).plu(2, milk()).plu(3, milk()).json());
    o.faults = {"garble@0x81#2-4"}; // at the first ask of PLU 2 and at both asked again
    ScaleRig rig(o);
    Target t;
    EXPECT_EQ(readProductRange(rig.link, 1, 3, t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.onlyFailure(), FailureKind::ReadFailed);
    ASSERT_FALSE(rig.fb.failures.empty());
    EXPECT_EQ(rig.fb.failures.back().kind, FailureKind::ReadFailed);
    EXPECT_EQ(rig.countEvents("command 0x81"), 4);
    ASSERT_EQ(t.table.rowCount(), 3);
    EXPECT_EQ(t.table.cell(1, 0), "1");
    EXPECT_EQ(t.table.cell(2, 0), "");

    // Read one: the same message, not the one of a missing record; the next read takes it whole.
    qmtest::EmuOptions one = qmtest::withState(emu::StateBuilder().plu(3, milk()).json());
    one.faults = {"garble@0x81#1-3"};
    ScaleRig rig1(one);
    Target t1;
    EXPECT_EQ(readOneProduct(rig1.link, "3", t1.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig1.fb.lastFailure(), FailureKind::ReadFailed);
    EXPECT_EQ(t1.table.cell(1, 0), "");
    EXPECT_FALSE(t1.modified);
    EXPECT_EQ(readOneProduct(rig1.link, "3", t1.sink, {}), TransferOutcome::Done);
    EXPECT_EQ(t1.table.cell(1, 0), "3");
    EXPECT_EQ(t1.table.cell(1, plucol::Price), "4550");
}

TEST(ReadProducts, SilentScaleEndsAtOnce)
{
    ScaleRig rig(qmtest::faulty({"silent@addr"}));
    Target t;
    EXPECT_EQ(readAllProducts(rig.link, t.sink, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.messages,
              std::vector<std::string>{"Проверьте работоспособность выбранных весов или линии связи."});
    EXPECT_EQ(rig.scale.received(), Bytes{1});
}
