// The load queue: slot names beside the load file, and how one call advances the queue.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

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

// The queue directory before one QuePlu, the load file, and all the directory holds after.
struct QueueStep {
    std::map<std::string, std::string> before;
    const char* load;
    std::map<std::string, std::string> after;
};

TEST_F(QueueDir, OneCallAdvancesTheQueueByOneSlotAndNeverReplacesAFile)
{
    const QueueStep steps[] = {
        // Slots 0, 1 and 2: the head becomes the load file and the others move down.
        {{{"A_00.qu6", "zero"}, {"A_01.qu6", "one"}, {"A_02.qu6", "two"}},
         "A.pl6",
         {{"A.pl6", "zero"}, {"A_00.qu6", "one"}, {"A_01.qu6", "two"}}},
        // The load file still there (not loaded, or its load failed): nothing moves.
        {{{"A.pl6", "zero"}, {"A_00.qu6", "one"}, {"A_01.qu6", "two"}},
         "A.pl6",
         {{"A.pl6", "zero"}, {"A_00.qu6", "one"}, {"A_01.qu6", "two"}}},
        // Slots 0 and 2: slot 0 goes into place, slot 2 to slot 1.
        {{{"P_00.que", "a"}, {"P_02.que", "c"}}, "P.plu", {{"P.plu", "a"}, {"P_01.que", "c"}}},
        // With the load file absent each slot moves down only into a slot that is free.
        {{{"P_01.que", "c"}, {"P_03.que", "d"}, {"P_04.que", "e"}},
         "P.plu",
         {{"P_00.que", "c"}, {"P_02.que", "d"}, {"P_03.que", "e"}}},
        // No queue for another case of the extension.
        {{{"A_00.que", "x"}}, "A.PLU", {{"A_00.que", "x"}}},
    };
    for (const QueueStep& step : steps) {
        SCOPED_TRACE(step.before.begin()->first + " -> " + step.load);
        for (const auto& entry : fs::directory_iterator(dir))
            fs::remove(entry.path());
        for (const auto& [name, bytes] : step.before)
            put(name, bytes);
        QuePlu(dir / step.load);
        std::map<std::string, std::string> after;
        for (const auto& entry : fs::directory_iterator(dir))
            after[entry.path().filename().string()] = text(entry.path().filename().string());
        EXPECT_EQ(after, step.after);
    }
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

TEST_F(QueueDir, RenameNoReplaceLeavesBothFiles)
{
    put("P_02.que", "d");
    put("P_03.que", "e");
    EXPECT_FALSE(renameNoReplace(dir / "P_02.que", dir / "P_03.que"));
    EXPECT_EQ(text("P_02.que"), "d");
    EXPECT_EQ(text("P_03.que"), "e");
}
