// Every save of the program against a full disk, a read-only directory and a directory in place
// of the file: the save fails, the old file stays whole, no temporary file stays behind, and the
// message names the file and the reason in Russian. The saves of the window and the command line
// all end in these functions; the PDF is in tests/print, the command line's in tests/cli, the
// window's messages in tests/app.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "autoload/LoadProtocol.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CsvFile.h"
#include "files/FileIo.h"
#include "files/LogoFile.h"
#include "files/PluFile.h"
#include "files/ReportFile.h"
#include "files/SettingsFile.h"
#include "files/TableFiles.h"
#include "settings/PriceKeyLines.h"
#include "support/SaveFaults.h"

namespace qm
{
namespace
{

namespace fs = std::filesystem;
using qmtest::SaveFault;
using qmtest::SaveFaultScope;

Table products()
{
    Table t = makeTable(productLayout());
    t.setDataRows({{"1", cp("Хлеб"), "", "100", "5", "0", "1", "2", "0", "0", ""},
                   {"2", cp("Молоко"), "", "200", "7", "0", "3", "4", "0", "0", ""}});
    return t;
}

Table messages()
{
    Table t = makeTable(messageLayout());
    t.setDataRows({{"1", cp("Свежий"), cp("товар"), "", "", "", "", "", ""}});
    return t;
}

Table config()
{
    Table t = makeTable(configLayout());
    t.setDataRows({{"1", cp("Мясо"), "", "1", "COM1", "9600", "", "", ""}});
    return t;
}

struct SaveCase {
    const char* what;
    const char* file; // the target's name in the test's directory
    std::function<std::optional<std::string>(const fs::path& dir, const fs::path& target)> save;
};

// Every kind of file the program saves, by the function its window and its command line use.
std::vector<SaveCase> saveCases()
{
    return {
        {"product table .pl6", "t.pl6", [](const fs::path&, const fs::path& f) { return saveCellFile(f, products()); }},
        {"product table .plu", "t.plu", [](const fs::path&, const fs::path& f) { return SaveFile1_5(f, products()); }},
        {"message table .msg", "t.msg", [](const fs::path&, const fs::path& f) { return saveCellFile(f, messages()); }},
        {"configuration .cfl", "t.cfl", [](const fs::path&, const fs::path& f) { return saveCellFile(f, config()); }},
        {"settings qm1_6.cfg at close", kSettingsFileName,
         [](const fs::path& dir, const fs::path&) {
             AppSettings settings;
             settings.configTable = config();
             return SaveFormFile(dir, settings);
         }},
        {"settings qm1_6.cfg by default", kSettingsFileName,
         [](const fs::path& dir, const fs::path&) { return NewFormFile(dir); }},
        {"report .acc", "t.acc",
         [](const fs::path&, const fs::path& f) {
             ReportTotals totals;
             totals.fill("1");
             Table report = makeTable(reportLayout());
             report.setDataRows({{"1", "a", "b", "01.01.24", "10:00", "1,00", "0,500", "1"}});
             return saveReportFile(f, totals, report);
         }},
        {"CSV export", "t.csv", [](const fs::path&, const fs::path& f) { return saveCsvFile(f, products()); }},
        {"logo .qmi", "t.qmi",
         [](const fs::path&, const fs::path& f) { return saveLogoFile(f, std::string(kLogoFileSize, '\x55')); }},
        {"price keys (read-keys --out)", "keys.txt",
         [](const fs::path&, const fs::path& f) {
             return saveFileAtomically(f, formatPriceKeyLines(std::vector<std::string>(54, "12")));
         }},
    };
}

const std::string kOld = "old content\r\n";

class SaveFaults : public ::testing::TestWithParam<SaveFault>
{
};

TEST_P(SaveFaults, EverySaveLeavesTheOldFileWholeAndNamesIt)
{
    const SaveFault fault = GetParam();
    for (const SaveCase& c : saveCases()) {
        SCOPED_TRACE(c.what);
        test::TempDir top;
        const fs::path dir = top / "d";
        fs::create_directory(dir);
        const fs::path target = dir / c.file;
        test::writeAll(target, kOld);
        const auto before = test::entries(dir);

        std::optional<std::string> error;
        {
            SaveFaultScope scope(fault, target);
            if (!scope.skipReason().empty())
                GTEST_SKIP() << scope.skipReason();
            error = c.save(dir, target);
        }
        ASSERT_TRUE(error) << "the save reported success";
        EXPECT_NE(error->find("Не удалось сохранить файл \"" + pathText(target) + "\""), std::string::npos) << *error;
        EXPECT_NE(error->find(qmtest::faultReason(fault)), std::string::npos) << *error;
        EXPECT_NE(error->find("Прежний файл не изменен."), std::string::npos) << *error;
        if (fault == SaveFault::DirectoryInPlace) {
            ASSERT_TRUE(fs::is_directory(target));
            EXPECT_EQ(test::readAll(target / qmtest::kInPlaceFile), qmtest::kInPlaceText);
            EXPECT_EQ(test::entries(target), std::vector<std::string>{qmtest::kInPlaceFile});
        } else {
            EXPECT_EQ(test::readAll(target), kOld);
        }
        EXPECT_EQ(test::entries(dir), before) << "a temporary file stayed behind";
        // The same save goes through once the fault is gone (not for a directory in place).
        if (fault != SaveFault::DirectoryInPlace) {
            EXPECT_FALSE(c.save(dir, target));
            EXPECT_NE(test::readAll(target), kOld);
            EXPECT_EQ(test::entries(dir), before);
        }
    }
}

TEST_P(SaveFaults, AFailedProtocolAppendKeepsTheEarlierLinesAndSaysWhy)
{
    const SaveFault fault = GetParam();
    test::TempDir top;
    const fs::path dir = top / "d";
    fs::create_directory(dir);
    const fs::path protocol = dir / kProtocolFileName;
    const std::string earlier = "line one\r\nline two\r\n";
    test::writeAll(protocol, earlier);

    std::optional<std::string> error;
    bool appended = true;
    {
        SaveFaultScope scope(fault, protocol);
        if (!scope.skipReason().empty())
            GTEST_SKIP() << scope.skipReason();
        error = appendToProtocol(dir, "line three");
        appended = appendProtocolLine(dir, "line four");
    }
    EXPECT_FALSE(appended);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("\"" + pathText(protocol) + "\""), std::string::npos) << *error;
    EXPECT_NE(error->find(qmtest::faultReason(fault)), std::string::npos) << *error;
    EXPECT_NE(error->find("Прежние строки протокола не изменены."), std::string::npos) << *error;
    if (fault == SaveFault::DirectoryInPlace)
        EXPECT_EQ(test::readAll(protocol / qmtest::kInPlaceFile), qmtest::kInPlaceText);
    else
        EXPECT_EQ(test::readAll(protocol), earlier);
    EXPECT_EQ(test::entries(dir), std::vector<std::string>{kProtocolFileName});
    if (fault != SaveFault::DirectoryInPlace) {
        EXPECT_FALSE(appendToProtocol(dir, "line three"));
        EXPECT_EQ(test::readAll(protocol), earlier + "line three\r\n");
    }
}

TEST_P(SaveFaults, ProtocolCreationSaysWhyItFailed)
{
    const SaveFault fault = GetParam();
    if (fault == SaveFault::DiskFull)
        GTEST_SKIP() << "creating an empty protocol writes no byte: a full disk cannot stop it but for want of an "
                        "inode, which no test can bring about";
    test::TempDir top;
    const fs::path dir = top / "d";
    fs::create_directory(dir);
    const fs::path protocol = dir / kProtocolFileName;
    std::optional<std::string> error;
    {
        SaveFaultScope scope(fault, protocol);
        if (!scope.skipReason().empty())
            GTEST_SKIP() << scope.skipReason();
        error = createProtocolFile(dir);
    }
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("Не удалось создать файл протокола \"" + pathText(protocol) + "\""), std::string::npos)
        << *error;
    EXPECT_NE(error->find(qmtest::faultReason(fault)), std::string::npos) << *error;
    if (fault == SaveFault::DirectoryInPlace)
        EXPECT_EQ(test::readAll(protocol / qmtest::kInPlaceFile), qmtest::kInPlaceText);
    else
        EXPECT_FALSE(fs::exists(protocol));
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveFaults, ::testing::ValuesIn(qmtest::allSaveFaults()),
                         [](const ::testing::TestParamInfo<SaveFault>& param) {
                             return qmtest::faultName(param.param);
                         });

TEST(SaveFaultsProtocol, ALineWrittenOnlyInPartIsTakenBack)
{
    test::TempDir dir;
    const fs::path protocol = dir / kProtocolFileName;
    const std::string earlier = "line one\r\n";
    test::writeAll(protocol, earlier);
    std::optional<std::string> error;
    {
        // Room for five more bytes: the line is cut there by the limit.
        qmtest::SaveFaultScope scope(SaveFault::DiskFull, protocol, earlier.size() + 5);
        error = appendToProtocol(dir.path(), "a line longer than five bytes");
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(test::readAll(protocol), earlier);
    EXPECT_FALSE(appendToProtocol(dir.path(), "next"));
    EXPECT_EQ(test::readAll(protocol), earlier + "next\r\n");
}

TEST(SaveFaultsProtocol, AProtocolThatIsAFifoIsNeverOpened)
{
    test::TempDir dir;
    const fs::path protocol = dir / kProtocolFileName;
    ASSERT_EQ(::mkfifo(protocol.c_str(), 0644), 0);
    const auto appended = appendToProtocol(dir.path(), "line");
    ASSERT_TRUE(appended);
    EXPECT_NE(appended->find("это канал, а не файл"), std::string::npos) << *appended;
    const auto created = createProtocolFile(dir.path());
    ASSERT_TRUE(created);
    EXPECT_NE(created->find("это канал, а не файл"), std::string::npos) << *created;
}

// The window's and the command line's file commands show the save's message as it is.
TEST(SaveFaultsCommands, TheFileCommandsShowTheMessage)
{
    test::TempDir dir;
    qmtest::ScriptedFeedback feedback;
    test::ScriptedChooser chooser;
    FileCommandContext ctx{feedback, chooser, dir.path()};
    const fs::path target = dir / "t.pl6";
    test::writeAll(target, kOld);
    {
        SaveFaultScope scope(SaveFault::DirectoryInPlace, target);
    }
    bool modified = true;
    chooser.files.push_back(ChosenFile{"t.pl6", 1});
    EXPECT_EQ(saveProductList(ctx, products(), modified), Outcome::Failed);
    EXPECT_TRUE(modified);
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_NE(feedback.messages[0].find(pathText(target)), std::string::npos);
    EXPECT_NE(feedback.messages[0].find("это папка, а не файл"), std::string::npos);

    chooser.files.push_back(ChosenFile{"t.pl6", 1});
    EXPECT_EQ(exportCsv(ctx, products()), Outcome::Failed);
    ASSERT_EQ(feedback.messages.size(), 2u);
    EXPECT_NE(feedback.messages[1].find("это папка, а не файл"), std::string::npos);
}

} // namespace
} // namespace qm
