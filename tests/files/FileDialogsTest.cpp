// The file dialogs as data: their filters as a dialog shows them, and the name a typed file
// gets from the selected filter and then from the save command.

#include <gtest/gtest.h>

#include "files/FileDialogs.h"
#include "files/TableFiles.h"

namespace qm
{
namespace
{

std::vector<std::string> shownFilters(const FileDialogSetup& setup)
{
    std::vector<std::string> shown;
    for (const auto& f : setup.filters())
        shown.push_back(nameFilterText(f));
    return shown;
}

TEST(FileDialogFilters, EveryDialogShowsItsFilterTextsOnce)
{
    using Shown = std::vector<std::string>;
    EXPECT_EQ(shownFilters(PluSaveDialog()), (Shown{"товары(*.pl6)", "товары(*.plu)"}));
    EXPECT_EQ(shownFilters(PluOpenDialog()), (Shown{"товары(*.pl6)", "товары(*.plu)"}));
    EXPECT_EQ(shownFilters(PluMsgOpenDialog()), (Shown{"товары(*.pl6)", "товары(*.plu)", "сообщения(*.msg)"}));
    EXPECT_EQ(shownFilters(MsgSaveDialog()), (Shown{"сообщения(*.msg)"}));
    EXPECT_EQ(shownFilters(CfgOpenDialog()), (Shown{"конфигурация(*.cfl)"}));
    EXPECT_EQ(shownFilters(AccSaveDialog()), (Shown{"отчеты(*.acc)"}));
}

TEST(FileDialogFilters, ADescriptionWithoutItsPatternGetsItAppended)
{
    // The dialog reads the patterns from the parentheses at the end of the text.
    EXPECT_EQ(nameFilterText({"все файлы", "*.*"}), "все файлы (*.*)");
    EXPECT_EQ(nameFilterText({"товары(*.pl6)", "*.plu"}), "товары(*.pl6) (*.plu)");
}

TEST(FileDialogFilters, TheSelectedFilterGivesTheExtension)
{
    const FileDialogSetup plu = PluSaveDialog();
    EXPECT_EQ(plu.extensionFor(1), "pl6");
    EXPECT_EQ(plu.extensionFor(2), "plu");
    EXPECT_EQ(PluMsgOpenDialog().extensionFor(3), "msg");
    // No such entry, or an entry of several patterns: the dialog's default extension.
    EXPECT_EQ(plu.extensionFor(0), "pl6");
    EXPECT_EQ(plu.extensionFor(3), "pl6");
    FileDialogSetup any = plu;
    any.filter = "всё|*.*|товары|*.pl6;*.plu";
    EXPECT_EQ(any.extensionFor(1), "pl6");
    EXPECT_EQ(any.extensionFor(2), "pl6");
}

// What ends up on disk when the product list is saved: the dialog's name, then the save rule.
std::string productFile(const std::string& typed, int filterIndex)
{
    return productSaveName(dialogFileName(PluSaveDialog(), "/d/" + typed, filterIndex), filterIndex).string();
}

TEST(FileDialogNames, ProductSaveNamesFollowTheChosenFilter)
{
    EXPECT_EQ(productFile("old", 2), "/d/old.plu");
    EXPECT_EQ(productFile("old", 1), "/d/old.pl6");
    EXPECT_EQ(productFile("old.plu", 2), "/d/old.plu") << "never doubled";
    EXPECT_EQ(productFile("old.pl6", 2), "/d/old.pl6.plu") << "a typed extension stays; .plu is appended";
    EXPECT_EQ(productFile("old.PLU", 2), "/d/old.PLU.plu") << "the extension test is case-sensitive";
    EXPECT_EQ(productFile("old.", 2), "/d/old..plu");
}

TEST(FileDialogNames, ANameWithADotGetsNoExtension)
{
    const FileDialogSetup msg = MsgSaveDialog();
    EXPECT_EQ(dialogFileName(msg, "/d/list", 1), "/d/list.msg");
    EXPECT_EQ(dialogFileName(msg, "/d/list.txt", 1), "/d/list.txt");
    EXPECT_EQ(dialogFileName(msg, "/d/.hidden", 1), "/d/.hidden");
    EXPECT_EQ(dialogFileName(msg, "/d.x/list", 1), "/d.x/list.msg") << "only the file name counts";
    EXPECT_EQ(dialogFileName(msg, "/d/", 1), "/d/") << "no file name, nothing to add";
}

} // namespace
} // namespace qm
