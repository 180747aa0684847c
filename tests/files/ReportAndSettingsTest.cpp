// The report file .acc and the settings file "qm1_6.cfg".

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/ReportFile.h"
#include "files/SettingsFile.h"

namespace qm
{
namespace
{

ReportTotals someTotals()
{
    ReportTotals totals;
    for (size_t i = 0; i < totals.size(); ++i)
        totals[i] = "t" + std::to_string(i + 21);
    return totals;
}

TEST(ReportFile, TotalsFirstThenRowsAndBack)
{
    Table report = makeTable(reportLayout());
    report.setRow(1, {"7", "a", "b", "01.02.03", "10:11", "12,34", "1,500", "3"});
    const std::string bytes = reportFileBytes(someTotals(), report);
    EXPECT_EQ(bytes.rfind("t21\r\nt22\r\n", 0), 0u);
    EXPECT_EQ(bytes, "t21\r\nt22\r\nt23\r\nt24\r\nt25\r\nt26\r\nt27\r\nt28\r\nt29\r\nt30\r\nt31\r\nt32\r\n"
                     "7\r\na\r\nb\r\n01.02.03\r\n10:11\r\n12,34\r\n1,500\r\n3\r\n");
    const ReportFile back = readReportBytes(bytes);
    EXPECT_EQ(back.totals, someTotals());
    EXPECT_EQ(back.table, report);
}

TEST(ReportFile, ShortFiles)
{
    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += "x\r\n";
    const ReportFile header = readReportBytes(twelve);
    EXPECT_EQ(header.totals[11], "x");
    EXPECT_EQ(header.table, makeTable(reportLayout()));

    const ReportFile five = readReportBytes("1\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(five.totals[4], "5");
    for (size_t i = 5; i < 12; ++i)
        EXPECT_EQ(five.totals[i], "") << i;
    EXPECT_EQ(five.table, makeTable(reportLayout()));
}

std::string defaultFileText()
{
    std::string s = "0\r\n";
    for (int i = 0; i < 5; ++i)
        s += "MS Sans Serif\r\n";
    s += "wsNormal\r\n0\r\n46\r\n10\r\n20\r\n4\r\n10\r\n";
    s += "TRUE\r\nTRUE\r\nFALSE\r\nFALSE\r\nTRUE\r\nTRUE\r\n";                  // 14..19
    s += "TRUE\r\nTRUE\r\nFALSE\r\nTRUE\r\nTRUE\r\nTRUE\r\nFALSE\r\nFALSE\r\n"; // 20..27
    s += "\xD1\xEF\xE0\xF1\xE8\xE1\xEE\r\n\xE7\xE0 \xEF\xEE\xEA\xF3\xEF\xEA\xF3 !\r\n"; // "Спасибо", "за покупку !"
    s += "TRUE\r\nTRUE\r\n127\r\nTRUE\r\nTRUE\r\nFALSE\r\n60\r\nTRUE\r\n";              // 30..37
    for (int i = 0; i < 9; ++i)                                                         // one empty configuration row
        s += "\r\n";
    return s;
}

TEST(Settings, DefaultFileHas46ExactLines)
{
    const std::string bytes = serializeSettings(AppSettings());
    EXPECT_EQ(bytes, defaultFileText());
    EXPECT_EQ(textLines(bytes).size(), 46u);
    EXPECT_EQ(parseSettings(bytes), AppSettings());
}

TEST(Settings, RoundTripOfEveryLineAndTheKeptRows)
{
    AppSettings s;
    s.activeTab = 9;
    s.productFont = "Arial";
    s.windowState = WindowState::Minimized;
    s.logoIndex = -1;
    s.labelFormatIndex = 36;
    s.checkMessages = false;
    s.printPackTime = true;
    s.shopName2 = cp("Магазин");
    s.logoThreshold = 20;
    s.autoMode = true;
    s.autoPeriod = "5";
    s.configTable.setRowCount(3);
    s.configTable.setRow(1, {"1", "Весы", "", "1", "COM1", "9600", "/a.pl6", "", ""});
    s.configTable.setCell(2, 8, "note");
    const std::string bytes = serializeSettings(s);
    EXPECT_EQ(textLines(bytes).size(), 37u + 18u);
    const AppSettings back = parseSettings(bytes);
    EXPECT_EQ(back, s);
    EXPECT_EQ(back.configTable, s.configTable);
    EXPECT_EQ(back.windowState, WindowState::Minimized);
}

TEST(Settings, ConfigRowsOnlyWhenKept)
{
    AppSettings s;
    s.keepConfig = false;
    s.configTable.setCell(1, 1, "x");
    const std::string bytes = serializeSettings(s);
    EXPECT_EQ(textLines(bytes).size(), 37u);
    const AppSettings back = parseSettings(bytes);
    EXPECT_FALSE(back.keepConfig);
    EXPECT_EQ(back.configTable, makeTable(configLayout()));
    // Rows after a FALSE line 37 are not read as the configuration; a later version's lines there
    // go back into the file unchanged.
    const AppSettings later = parseSettings(bytes + "1\r\nname\r\n");
    EXPECT_EQ(later.configTable, makeTable(configLayout()));
    EXPECT_EQ(serializeSettings(later), bytes + "1\r\nname\r\n");
}

TEST(Settings, DamagedAndShortFilesFallBackLineByLine)
{
    auto lines = textLines(defaultFileText());
    lines[0] = "12";      // tab out of 0..9
    lines[1] = "Courier"; // a text line takes any text
    lines[6] = "wsHuge";  // unknown window state reads as normal
    lines[7] = "abc";     // logo index: no number
    lines[10] = "$10";    // an integer text in hexadecimal: 16
    lines[13] = "true";   // lower case is not TRUE
    lines[16] = "TRUE";
    lines[31] = "500"; // threshold out of 20..220
    lines[35] = "";
    std::string bytes;
    for (size_t i = 0; i < 36; ++i) // line 37 and the rows missing
        bytes += lines[i] + "\r\n";
    const AppSettings s = parseSettings(bytes);
    const AppSettings d;
    EXPECT_EQ(s.activeTab, d.activeTab);
    EXPECT_EQ(s.productFont, "Courier");
    EXPECT_EQ(s.windowState, WindowState::Normal);
    EXPECT_EQ(s.logoIndex, d.logoIndex);
    EXPECT_EQ(s.labelFormatIndex, 16);
    EXPECT_FALSE(s.checkProducts);
    EXPECT_TRUE(s.autoVirtualSync);
    EXPECT_EQ(s.logoThreshold, 127);
    EXPECT_EQ(s.autoPeriod, "");
    EXPECT_TRUE(s.keepConfig);
    EXPECT_EQ(s.configTable, makeTable(configLayout()));

    EXPECT_EQ(parseSettings(""), AppSettings());
    EXPECT_EQ(parseSettings(std::string("\0\xFF\x1A", 3)).activeTab, 0);
    EXPECT_EQ(parseSettings("3\r\n").activeTab, 3);
}

TEST(Settings, WindowStateStoredMinimizedOnlyInAutoMode)
{
    EXPECT_EQ(storedWindowState(true, false, false), WindowState::Maximized);
    EXPECT_EQ(storedWindowState(false, true, true), WindowState::Minimized);
    EXPECT_EQ(storedWindowState(false, true, false), WindowState::Normal);
    EXPECT_EQ(storedWindowState(false, false, true), WindowState::Normal);
    // Minimised from maximised, the window is both.
    EXPECT_EQ(storedWindowState(true, true, true), WindowState::Minimized);
    EXPECT_EQ(storedWindowState(true, true, false), WindowState::Normal);
}

TEST(SettingsFile, MissingFileIsWrittenWithDefaultsThenRead)
{
    test::TempDir dir;
    const SettingsLoad first = OpenFormFile(dir.path());
    EXPECT_TRUE(first.createdDefault);
    EXPECT_FALSE(first.error);
    EXPECT_EQ(first.settings, AppSettings());
    EXPECT_EQ(test::readAll(dir / "qm1_6.cfg"), defaultFileText());

    AppSettings changed;
    changed.autoMode = true;
    changed.windowState = WindowState::Maximized;
    ASSERT_FALSE(SaveFormFile(dir.path(), changed));
    const SettingsLoad second = OpenFormFile(dir.path());
    EXPECT_FALSE(second.createdDefault);
    EXPECT_EQ(second.settings, changed);
    EXPECT_EQ(test::entries(dir.path()), std::vector<std::string>{"qm1_6.cfg"}); // no temporary left
}

TEST(SettingsFile, UnwritableStartDirectoryReportsAndKeepsDefaults)
{
    test::TempDir dir;
    test::writeAll(dir / "plain", "x");
    const auto notADirectory = dir / "plain"; // writing inside a regular file fails, even for root
    const auto error = SaveFormFile(notADirectory, AppSettings());
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("qm1_6.cfg"), std::string::npos);

    const SettingsLoad load = OpenFormFile(notADirectory);
    EXPECT_TRUE(load.error);
    EXPECT_FALSE(load.createdDefault);
    EXPECT_EQ(load.settings, AppSettings());
}

} // namespace
} // namespace qm
