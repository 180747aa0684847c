// Sending products to the emulated scale: the whole table, one row and a range, with the
// bytes the scale received and the records it then holds.

#include <gtest/gtest.h>

#include "StateBuilder.h"
#include "common/TableColumns.h"
#include "products/PluCodec.h"
#include "products/ProductRows.h"
#include "products/ProductTransfer.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

Table productTable(const std::vector<Row>& rows)
{
    Table t = makeTable(productLayout());
    t.setDataRows(rows);
    return t;
}

Row product(const std::string& plu, const std::string& name = "", const std::string& price = "100")
{
    return {plu, cp(name), "", price, "5", "0", "0", "0", "0", "0", ""};
}

// The bytes of sending the rows: per row the addressing byte, then 0x82 and the record.
Bytes sendBytes(const Table& t, std::initializer_list<int> rows, std::uint8_t number = 1)
{
    Bytes out;
    for (int r : rows) {
        out.push_back(number);
        const Bytes rec = *encodePluWrite(*prepareRow(t.row(r)).record);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    return out;
}

} // namespace

TEST(SendProducts, TableArrivesWholeInTheScale)
{
    ScaleRig rig;
    const Table t = productTable({
        {"3", cp("Молоко 3,2% Ёлочка"), cp("пастеризованное"), "4550", "010525", "20", "123", "7", "12", "1",
         cp("РСТ9")},
        product("1", "Хлеб", "0"),
        {"4000", "", "", "999999", "999", "6000", "999999", "999999", "1000", "2", ""},
    });
    EXPECT_EQ(sendProductTable(rig.link, t, {}), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {1, 2, 3}));
    EXPECT_FALSE(rig.fb.progressVisible);
    EXPECT_EQ(rig.fb.progressMaximum, 3);
    EXPECT_EQ(rig.fb.cursor.back(), (qmtest::Cursor{TableId::Products, 1, 0}));

    // The scale's own decoder sees the fields as the table holds them.
    const auto state = rig.scale.state();
    ASSERT_EQ(state.plu.size(), 3u);
    const auto& milk = state.plu.at(3);
    // Name 1 ends with the logo marker and the certification characters c2 c4 ("С", "9").
    EXPECT_EQ(milk.name1, emu::scaleName("Молоко 3,2% Ёлочка").substr(0, 24) + std::string("\0\x01\x91\x39", 4));
    EXPECT_EQ(milk.price, 4550u);
    EXPECT_EQ(milk.shelf, 10525u);
    EXPECT_EQ(milk.tare, 20u);
    EXPECT_EQ(milk.code, 123u);
    EXPECT_EQ(milk.group, 7u);
    EXPECT_EQ(milk.message, 12u);
    const auto& last = state.plu.at(4000);
    EXPECT_EQ(last.price, 999999u);
    EXPECT_EQ(last.message, 1000u);
    EXPECT_EQ(last.tare, 6000u);
}

TEST(SendProducts, CheckedTableWithBadRowSendsNothing)
{
    ScaleRig rig;
    std::vector<Row> rows;
    for (int i = 1; i <= 6; ++i)
        rows.push_back(product(std::to_string(i)));
    rows[4][plucol::Tare] = "6001";
    EXPECT_EQ(sendProductTable(rig.link, productTable(rows), {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Неправильно задан вес тары."});
    EXPECT_EQ(rig.fb.cursor.back(), (qmtest::Cursor{TableId::Products, 5, plucol::Tare}));
    EXPECT_TRUE(rig.scale.received().empty());
}

TEST(SendProducts, UncheckedTableStopsAtCellThatCannotGo)
{
    // A cell that is no integer ends the run at its row with a clear message naming the cell.
    {
        ScaleRig rig;
        const Table t = productTable({product("1"), product("2", "", "12,50"), product("3")});
        EXPECT_EQ(sendProductTable(rig.link, t, {false, false}), TransferOutcome::Failed);
        EXPECT_EQ(rig.fb.lastMessage(), "Строка 2, столбец «Цена,коп.»: \"12,50\" не является целым числом.");
        EXPECT_EQ(rig.fb.cursor.back(), (qmtest::Cursor{TableId::Products, 2, plucol::Price}));
        EXPECT_EQ(rig.scale.received(), sendBytes(t, {1}));
    }
    // A value beyond its wire field stops before any byte of its row: no wrapped price.
    {
        ScaleRig rig;
        Table t = productTable({product("1"), product("2", "", "-1"), product("3")});
        EXPECT_EQ(sendProductTable(rig.link, t, {false, false}), TransferOutcome::Failed);
        EXPECT_EQ(rig.fb.lastFailure(), FailureKind::BadNumber);
        EXPECT_EQ(rig.scale.received(), sendBytes(t, {1}));
        EXPECT_EQ(rig.scale.state().plu.size(), 1u);
    }
    // Values the check would refuse but the fields hold do go (PLU 5000 fits 4 bytes).
    {
        ScaleRig rig;
        const Table t = productTable({product("7"), {"8", "", "", "5", "5", "0", "0", "0", "0", "0", ""}});
        EXPECT_EQ(sendProductTable(rig.link, t, {false, false}), TransferOutcome::Done);
        EXPECT_EQ(rig.scale.state().plu.size(), 2u);
    }
}

TEST(SendProducts, MissingAckEndsTableKeepingEarlierRows)
{
    ScaleRig rig(qmtest::faulty({"nak@0x82#3"}));
    const Table t = productTable({product("1"), product("2"), product("3"), product("4")});
    EXPECT_EQ(sendProductTable(rig.link, t, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка обмена. Повторите еще раз."});
    EXPECT_EQ(rig.scale.state().plu.size(), 2u);
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {1, 2, 3}));
}

TEST(SendProducts, StopFlagEndsBetweenRecords)
{
    ScaleRig rig;
    const Table t = productTable({product("1"), product("2"), product("3"), product("4")});
    int records = 0;
    // The check has 5 event points; then each record has one just before it goes.
    rig.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
        if (++records == 7)
            fb.stop = true;
    };
    EXPECT_EQ(sendProductTable(rig.link, t, {}), TransferOutcome::Stopped);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Действие прервано."});
    EXPECT_EQ(rig.scale.state().plu.size(), 2u);
}

TEST(SendProducts, FrameFailuresTouchNoScale)
{
    ScaleRig rig(qmtest::faulty({"silent@addr"}));
    const Table t = productTable({product("1")});
    ScaleLink other{rig.session, rig.config, cp("Другие")};
    EXPECT_EQ(sendProductTable(other, t, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(),
              "Для записи таблицы товаров выберите весы из списка (или заполните конфигурацию.).");
    EXPECT_EQ(sendProductRow(other, t, 1), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Для записи ячейки выберите весы из списка (или заполните конфигурацию.).");
    EXPECT_EQ(sendProductTable(rig.link, t, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Проверьте работоспособность выбранных весов или линии связи.");
    EXPECT_EQ(rig.scale.received(), Bytes{1});
}

TEST(SendProducts, RowAndRange)
{
    ScaleRig rig;
    Table t = productTable({product("1"), product("2"), product("3"), product("4")});
    EXPECT_EQ(sendProductRow(rig.link, t, 3), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.lastMessage(), "Данные переданы.");
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {3}));
    EXPECT_FALSE(rig.fb.progressVisible);

    // A range of one record shows a bar of one step that fills.
    rig.scale.clearLog();
    rig.fb.progress.clear();
    EXPECT_EQ(sendProductRange(rig.link, t, 2, 2), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.progressMaximum, 1);
    EXPECT_EQ(rig.fb.progress.back(), 1);
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {2}));

    rig.scale.clearLog();
    EXPECT_EQ(sendProductRange(rig.link, t, 4, 1), TransferOutcome::Done);
    EXPECT_EQ(rig.scale.received(), sendBytes(t, {1, 2, 3, 4}));

    // The range is always checked, whatever the table option says; row 0 is refused.
    rig.scale.clearLog();
    t.setCell(3, plucol::Logo, "5");
    EXPECT_EQ(sendProductRange(rig.link, t, 1, 4), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(),
              "Неправильно задан номер логотипа.( 0 - отсутствует, 1 - Ростест, 2 - Индивидуальный.)");
    EXPECT_EQ(sendProductRange(rig.link, t, 0, 2), TransferOutcome::Failed);
    EXPECT_EQ(sendProductRow(rig.link, t, 3), TransferOutcome::Failed);
    EXPECT_TRUE(rig.scale.received().empty());
}
