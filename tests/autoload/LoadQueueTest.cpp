// The load queue: slot names beside the load file, and how one call advances the queue.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "autoload/LoadQueue.h"
#include "support/CliProcess.h"

using namespace qm;
namespace fs = std::filesystem;

namespace
{

class QueueDir : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qmqueue-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }
    std::string text(const std::string& name) const { return qmtest::fileText(dir / name); }
    bool has(const std::string& name) const { return fs::exists(dir / name); }
    int fileCount() const
    {
        return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    fs::path dir;
};

} // namespace

TEST(FileList, SlotNamesByExactExtension)
{
    const auto pl6 = FileList("/shop/MEAT.pl6");
    ASSERT_EQ(pl6.size(), 100u);
    EXPECT_EQ(pl6[0], fs::path("/shop/MEAT_00.qu6"));
    EXPECT_EQ(pl6[7], fs::path("/shop/MEAT_07.qu6"));
    EXPECT_EQ(pl6[99], fs::path("/shop/MEAT_99.qu6"));
    EXPECT_EQ(FileList("A.plu")[0], fs::path("A_00.que"));
    EXPECT_EQ(FileList("NEWS.msg")[42], fs::path("NEWS_42.qum"));
    // Only the last dot starts the extension.
    EXPECT_EQ(FileList("/d/x.y.msg")[1], fs::path("/d/x.y_01.qum"));
    // Capitals, other extensions and no extension: no queue, every slot empty.
    for (const char* name : {"A.PLU", "A.Pl6", "NEWS.MSG", "a.txt", "plain"}) {
        const auto slots = FileList(name);
        ASSERT_EQ(slots.size(), 100u) << name;
        for (const auto& slot : slots)
            EXPECT_TRUE(slot.empty()) << name;
    }
}

TEST_F(QueueDir, AdvancesHeadAndClosesEachGapByOne)
{
    // Slots 0, 1 and 2: the head becomes the load file and the others move down.
    put("A_00.qu6", "zero");
    put("A_01.qu6", "one");
    put("A_02.qu6", "two");
    QuePlu(dir / "A.pl6");
    EXPECT_EQ(text("A.pl6"), "zero");
    EXPECT_EQ(text("A_00.qu6"), "one");
    EXPECT_EQ(text("A_01.qu6"), "two");
    EXPECT_FALSE(has("A_02.qu6"));

    // The load file still there (not loaded, or its load failed): nothing moves.
    QuePlu(dir / "A.pl6");
    EXPECT_EQ(text("A.pl6"), "zero");
    EXPECT_EQ(text("A_00.qu6"), "one");
    EXPECT_EQ(fileCount(), 3);
}

TEST_F(QueueDir, LoneSlotWalksDownOneSlotPerCall)
{
    put("N_05.qum", "news");
    for (int k = 4; k >= 0; --k) {
        QuePlu(dir / "N.msg");
        EXPECT_TRUE(has("N_0" + std::to_string(k) + ".qum")) << k;
        EXPECT_EQ(fileCount(), 1);
    }
    QuePlu(dir / "N.msg");
    EXPECT_EQ(text("N.msg"), "news");
    EXPECT_EQ(fileCount(), 1);
}

TEST_F(QueueDir, GapAndRenameThatWouldReplace)
{
    // Slots 0 and 2: slot 0 goes into place, slot 2 to slot 1.
    put("P_00.que", "a");
    put("P_02.que", "c");
    QuePlu(dir / "P.plu");
    EXPECT_EQ(text("P.plu"), "a");
    EXPECT_EQ(text("P_01.que"), "c");
    EXPECT_FALSE(has("P_00.que"));

    // A rename never replaces a file: with the load file absent, slot 1 moves to slot 0 only
    // because slot 0 is free; slot 4 finds slot 3 taken and stays.
    fs::remove(dir / "P.plu");
    put("P_03.que", "d");
    put("P_04.que", "e");
    QuePlu(dir / "P.plu");
    EXPECT_EQ(text("P_00.que"), "c");
    EXPECT_EQ(text("P_02.que"), "d");
    EXPECT_EQ(text("P_03.que"), "e");
    EXPECT_FALSE(has("P_04.que"));
    EXPECT_FALSE(has("P.plu"));

    EXPECT_FALSE(renameNoReplace(dir / "P_02.que", dir / "P_03.que"));
    EXPECT_EQ(text("P_02.que"), "d");
    EXPECT_EQ(text("P_03.que"), "e");
}

TEST_F(QueueDir, NoQueueForOtherCase)
{
    put("A_00.que", "x");
    QuePlu(dir / "A.PLU");
    EXPECT_TRUE(has("A_00.que"));
    EXPECT_FALSE(has("A.PLU"));
}
