// Deleting products in the emulated scale, and cancelling its virtual range.

#include <gtest/gtest.h>

#include "StateBuilder.h"
#include "products/ProductTransfer.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::ScaleRig;

namespace
{

qmtest::EmuOptions tenProducts(std::vector<std::string> faults = {})
{
    emu::StateBuilder b;
    for (std::uint32_t n = 1; n <= 10; ++n)
        b.plu(n, "p", n);
    return qmtest::withState(b.json(), std::move(faults));
}

} // namespace

TEST(DeleteProducts, OneAsksThenDeletes)
{
    ScaleRig rig(tenProducts());
    EXPECT_EQ(deleteOneProduct(rig.link, "3"), TransferOutcome::Cancelled);
    EXPECT_EQ(
        rig.fb.questions,
        std::vector<std::string>{"ВНИМАНИЕ !\r\nЯчейка товара № 3 из выбранных весов будет удалена.\r\nПродолжить ?"});
    EXPECT_TRUE(rig.scale.received().empty());

    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(deleteOneProduct(rig.link, "3"), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.lastMessage(), "Выбранная ячейка удалена.");
    EXPECT_EQ(rig.scale.received(), (Bytes{1, 0x8D, 3, 0, 0, 0}));
    EXPECT_EQ(rig.scale.state().plu.count(3), 0u);

    EXPECT_EQ(deleteOneProduct(rig.link, "0"), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Ошибка ввода номера PLU. Это число от 0 до 4000.");
}

TEST(DeleteProducts, OneNotAcknowledged)
{
    ScaleRig rig(tenProducts({"nak@0x8D"}));
    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(deleteOneProduct(rig.link, "4"), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Выбранная ячейка не удалена, т.к. не существует либо произошла ошибка обмена.");
    EXPECT_EQ(rig.scale.state().plu.size(), 10u);
}

TEST(DeleteProducts, AllEmptiesTheScale)
{
    ScaleRig rig(tenProducts());
    rig.fb.answers = {Answer::Yes};
    EXPECT_EQ(deleteAllProducts(rig.link), TransferOutcome::Done);
    EXPECT_EQ(
        rig.fb.questions,
        std::vector<std::string>{"ВНИМАНИЕ !\r\nВсе ячейки товаров из выбранных весов будут удалены.\r\nПродолжить ?"});
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Таблица товаров удалена. Для просмотра количества свободных "
                                                        "ячеек товара на весах - перезагрузите их."});
    EXPECT_EQ(rig.countEvents("command 0x8D"), 4000);
    EXPECT_TRUE(rig.scale.state().plu.empty());
    EXPECT_EQ(rig.fb.progressMaximum, 4000);
    EXPECT_FALSE(rig.fb.progressVisible);
}

TEST(DeleteProducts, RangeStopAndFailure)
{
    {
        ScaleRig rig(tenProducts());
        rig.fb.answers = {Answer::Yes};
        EXPECT_EQ(deleteProductRange(rig.link, 7, 5), TransferOutcome::Done);
        EXPECT_EQ(
            rig.fb.questions,
            std::vector<std::string>{"ВНИМАНИЕ !\r\nВыбранные ячейки товаров из весов будут удалены.\r\nПродолжить ?"});
        const auto state = rig.scale.state();
        EXPECT_EQ(state.plu.size(), 7u);
        EXPECT_EQ(state.plu.count(5) + state.plu.count(6) + state.plu.count(7), 0u);
    }
    {
        ScaleRig rig(tenProducts());
        rig.fb.answers = {Answer::Yes};
        int points = 0;
        rig.fb.onEvents = [&](qmtest::ScriptedFeedback& fb) {
            if (++points == 2)
                fb.stop = true;
        };
        EXPECT_EQ(deleteProductRange(rig.link, 1, 10), TransferOutcome::Stopped);
        EXPECT_EQ(rig.fb.lastMessage(), "Таблица товаров не удалена полностью. Действие прервано.");
        EXPECT_EQ(rig.scale.state().plu.size(), 8u);
    }
    {
        ScaleRig rig(tenProducts({"nak@0x8D#3"}));
        rig.fb.answers = {Answer::Yes};
        EXPECT_EQ(deleteProductRange(rig.link, 1, 10), TransferOutcome::Failed);
        EXPECT_EQ(rig.fb.lastMessage(), "Таблица товаров не удалена полностью, т.к. произошла ошибка обмена.");
        EXPECT_EQ(rig.countEvents("command 0x8D"), 3);
        EXPECT_EQ(rig.scale.state().plu.size(), 8u);
    }
}

TEST(CancelRange, ClearsTheRangeOrSaysItDidNot)
{
    qmtest::EmuOptions o = qmtest::withState(emu::StateBuilder().range(1, 100).json());
    {
        ScaleRig rig(o);
        EXPECT_EQ(cancelVirtualRange(rig.link), TransferOutcome::Done);
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Виртуальный диапазон отменен."});
        EXPECT_EQ(rig.scale.received(), (Bytes{1, 0x88}));
        EXPECT_FALSE(rig.scale.state().range);
    }
    o.faults = {"nak@0x88"};
    {
        ScaleRig rig(o);
        EXPECT_EQ(cancelVirtualRange(rig.link), TransferOutcome::Failed);
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка обмена. Виртуальный диапазон не отменен."});
        EXPECT_TRUE(rig.scale.state().range);
    }
}
