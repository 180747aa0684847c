// The snapshot before an unattended product load, against an emulated scale: it holds the cells
// the load overwrote as they were, sending it puts them back, and a snapshot that cannot be saved
// keeps the load from starting.
#include <gtest/gtest.h>

#include <regex>

#include "AutoRig.h"
#include "files/TableFiles.h"

using namespace qm;
using qmtest::AutoRig;
namespace fs = std::filesystem;

namespace
{

// The files of a folder by name.
std::vector<fs::path> filesIn(const fs::path& folder)
{
    std::vector<fs::path> out;
    for (const auto& entry : fs::directory_iterator(folder))
        out.push_back(entry.path());
    return out;
}

} // namespace

TEST(LoadSnapshot, HoldsTheOverwrittenCellsAndSendingItPutsThemBack)
{
    AutoRig rig;
    const int row = rig.addRow("Мясо 1", 1, "COM1", "meat.pl6");
    // The scale holds 1 and 2 under other names and prices; 3 is empty, 4 the load leaves alone.
    std::string old = qmtest::pl6({1, 2, 4});
    old = std::regex_replace(old, std::regex("name "), "old ");
    old = std::regex_replace(old, std::regex("\r\n10([124])\r\n"), "\r\n20$1\r\n");
    rig.put("old.pl6", old);
    ASSERT_EQ(rig.loadProducts(row, "old.pl6").line, LoadLine::ProductsLoaded);
    const auto before = rig.scale().state().plu;

    rig.setup.snapshotFolder = "snapshots"; // relative: to the start directory
    rig.put("meat.pl6", qmtest::pl6({2, 1, 3}));
    ASSERT_EQ(rig.loadProducts(row, "meat.pl6").line, LoadLine::ProductsLoaded);
    EXPECT_NE(rig.scale().state().plu.at(1), before.at(1)) << "the load did overwrite";

    const auto snapshots = filesIn(rig.dir / "snapshots");
    ASSERT_EQ(snapshots.size(), 1u);
    EXPECT_TRUE(std::regex_match(snapshots[0].filename().u8string(), std::regex(R"(Мясо 1-\d{8}-\d{6}\.pl6)")))
        << snapshots[0];
    const Table held = loadProductFile(snapshots[0], 0).table;
    ASSERT_EQ(held.lastRow(), 2) << "the empty cell 3 and the untouched 4 are not in it";
    EXPECT_EQ(held.cell(1, 0), "1");
    EXPECT_EQ(held.cell(2, 3), "202");

    // Sent as a load file of its own, it puts 1 and 2 back as they were; 3 keeps the load's record.
    rig.setup.snapshotFolder.clear();
    fs::copy_file(snapshots[0], rig.dir / "back.pl6");
    ASSERT_EQ(rig.loadProducts(row, "back.pl6").line, LoadLine::ProductsLoaded);
    const auto after = rig.scale().state().plu;
    EXPECT_EQ(after.at(1), before.at(1));
    EXPECT_EQ(after.at(2), before.at(2));
    EXPECT_EQ(after.at(4), before.at(4));
    EXPECT_EQ(after.size(), 4u);
}

TEST(LoadSnapshot, UnwritableFolderKeepsTheFileAndWritesOneLine)
{
    AutoRig rig;
    const int row = rig.addRow("Мясо 1", 1, "COM1", "meat.pl6");
    rig.put("snapshots", "a file where the folder should be");
    rig.setup.snapshotFolder = rig.dir / "snapshots";
    rig.put("meat.pl6", qmtest::pl6({1, 2}));
    const LoadOutcome out = rig.loadProducts(row, "meat.pl6");
    EXPECT_EQ(out.line, LoadLine::SnapshotFailed);
    EXPECT_TRUE(rig.has("meat.pl6"));
    EXPECT_TRUE(rig.scale().state().plu.empty()) << "no record went out";
    const std::regex one("Не сохранен снимок ячеек весов Мясо 1 перед загрузкой, загрузка не начата  -  "
                         R"(\d\d\.\d\d\.\d{4}  \d\d:\d\d:\d\d\r\n)");
    EXPECT_TRUE(std::regex_match(cp1251ToUtf8(rig.protocol()), one)) << cp1251ToUtf8(rig.protocol());
}
