// Start-up and shutdown: the settings file written and read back, the protocol file, the close
// questions in their order, a settings file that cannot be written, and one that cannot be read.

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/ChooserBox.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/ProductsTab.h"
#include "common/Cp1251.h"
#include "common/TableColumns.h"

using namespace qm::app;
using apptest::find;
namespace fs = std::filesystem;

namespace
{

const char* const kCloseProducts = "Программа будет закрыта.\r\nСписок товаров был изменен.\r\nСохранить изменения?";
const char* const kCloseMessages = "Программа будет закрыта.\r\nСписок сообщений был изменен.\r\nСохранить изменения?";
const char* const kCloseReports = "Программа будет закрыта.\r\nВ процессе ее работы была создана таблица отчетов по "
                                  "товарам PLU и общих итогов.\r\nСохранить изменения?";

std::string crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// A settings file unlike the defaults in every line the window has a control for.
std::vector<std::string> customLines()
{
    return {"4", "Courier", "DejaVu Sans", "Courier", "Courier", "Courier", "wsNormal", "2", "123", "5", "3", "7",
            "250", "FALSE", "FALSE", "TRUE", "TRUE", "FALSE", "FALSE", "FALSE", "FALSE", "TRUE", "FALSE", "FALSE",
            "FALSE", "FALSE", "TRUE", qm::cp("Магазин"), qm::cp("№1"), "FALSE", "FALSE", "200", "FALSE", "FALSE",
            "FALSE", "30", "TRUE",
            // two kept scale rows
            "1", qm::cp("Весы 1"), qm::cp("Отдел"), "1", "COM1", "9600", "a.pl6", "a.msg", "", "2", "B", "", "2",
            "COM2", "19200", "", "", qm::cp("прим.")};
}

TEST(StartUp, FirstStartWritesTheDefaultsAndShowsTheProductTab)
{
    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
    TForm1 form(&dialogs);
    ASSERT_TRUE(fs::exists(dir / "protocol.txt"));
    EXPECT_EQ(fs::file_size(dir / "protocol.txt"), 0u);
    const auto lines = apptest::fileLines(dir / "qm1_6.cfg");
    ASSERT_EQ(lines.size(), 46u);
    EXPECT_EQ(lines[0], "0");
    EXPECT_EQ(lines[1], "MS Sans Serif");
    EXPECT_EQ(lines[6], "wsNormal");
    EXPECT_EQ(lines[10], "20");
    EXPECT_EQ(lines[27], qm::cp("Спасибо"));
    EXPECT_EQ(lines[28], qm::cp("за покупку !"));
    EXPECT_EQ(lines[34], "FALSE");
    EXPECT_EQ(lines[36], "TRUE");
    for (size_t i = 37; i < 46; ++i)
        EXPECT_EQ(lines[i], "") << i;

    EXPECT_EQ(form.pageControl()->currentIndex(), 0);
    EXPECT_EQ(find<QLineEdit>(&form, "Edit1")->text(), "Спасибо");
    EXPECT_EQ(find<QLineEdit>(&form, "Edit2")->text(), "за покупку !");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox3")->text(), "41");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox4")->text(), "4");
    EXPECT_EQ(find<StringGrid>(&form, "StringGrid1")->fontName(), "MS Sans Serif");
    EXPECT_EQ(form.configTab()->grid()->tableModel()->rowCount(), 1);
    EXPECT_FALSE(form.context().state().autoMode);
    // "Ввести текущую дату и время" is checked: the date and time fields hold the clock.
    EXPECT_EQ(find<QLineEdit>(&form, "Edit6")->text().size(), 8);
    EXPECT_EQ(find<QLineEdit>(&form, "Edit7")->text().size(), 8);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST(StartUp, SettingsFileComesBackWhole)
{
    apptest::StartDirectory dir;
    const std::string original = crlf(customLines());
    apptest::writeFile(dir / "qm1_6.cfg", original);
    apptest::writeFile(dir / "protocol.txt", "kept");
    apptest::ScriptedDialogs dialogs;
    {
        TForm1 form(&dialogs);
        EXPECT_EQ(apptest::readFile(dir / "protocol.txt"), "kept");
        EXPECT_EQ(form.pageControl()->currentIndex(), 4);
        EXPECT_EQ(find<StringGrid>(&form, "StringGrid2")->fontName(), "DejaVu Sans");
        EXPECT_EQ(find<ChooserBox>(&form, "ComboBox9")->text(), "Индивидуальный");
        EXPECT_EQ(find<QLineEdit>(&form, "Edit3")->text(), "123");
        EXPECT_EQ(find<ChooserBox>(&form, "ComboBox3")->text(), "4");
        EXPECT_FALSE(find<QCheckBox>(&form, "CheckBox20")->isChecked());
        EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox22")->isChecked());
        EXPECT_EQ(find<QLineEdit>(&form, "Edit2")->text(), "№1");
        EXPECT_EQ(find<QSlider>(&form, "TrackBar1")->value(), 200);
        EXPECT_EQ(find<QLineEdit>(&form, "Edit33")->text(), "30");
        const qm::Table& config = form.configTab()->grid()->tableModel()->table();
        ASSERT_EQ(config.rowCount(), 3);
        EXPECT_EQ(config.cell(2, 8), qm::cp("прим."));
        // The choosers list the kept scales right after start-up.
        auto* chooser = find<ChooserBox>(&form, "ComboBox8");
        ASSERT_EQ(chooser->count(), 2);
        EXPECT_EQ(chooser->itemText(0), "Весы 1");

        fs::remove(dir / "qm1_6.cfg");
        EXPECT_TRUE(form.close());
    }
    EXPECT_EQ(apptest::readFile(dir / "qm1_6.cfg"), original);
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST(StartUp, LowerCaseTrueReadsAsUncheckedAndDamagedLinesFallBack)
{
    apptest::StartDirectory dir;
    auto lines = customLines();
    lines[13] = "true"; // CheckBox20
    lines[10] = "x";    // ComboBox3: no number
    lines[31] = "999";  // TrackBar1: out of range
    lines.resize(20);   // a short file
    apptest::writeFile(dir / "qm1_6.cfg", crlf(lines));
    apptest::ScriptedDialogs dialogs;
    TForm1 form(&dialogs);
    EXPECT_FALSE(find<QCheckBox>(&form, "CheckBox20")->isChecked());
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox3")->text(), "41");
    EXPECT_EQ(find<QSlider>(&form, "TrackBar1")->value(), 127);
    EXPECT_EQ(find<QLineEdit>(&form, "Edit1")->text(), "Спасибо");
    EXPECT_EQ(form.pageControl()->currentIndex(), 4);
}

class Shutdown : public apptest::WindowRig
{
  protected:
    bool settingsWritten() { return fs::exists(dir / "qm1_6.cfg"); }

    AppState& state = form.context().state();

    void SetUp() override { fs::remove(dir / "qm1_6.cfg"); }
};

TEST_F(Shutdown, NothingModifiedAsksNothingAndWritesTheSettings)
{
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(settingsWritten());
}

TEST_F(Shutdown, CancelKeepsTheWindowAndWritesNothing)
{
    state.productsModified = true;
    state.messagesModified = true;
    dialogs.answers = {qm::Answer::No, qm::Answer::Cancel};
    EXPECT_FALSE(form.close());
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{kCloseProducts, kCloseMessages}));
    EXPECT_FALSE(settingsWritten());
}

TEST_F(Shutdown, YesSavesTheTableThenCloses)
{
    state.productsModified = true;
    form.productsTab()->grid()->tableModel()->setCell(1, 0, "7");
    form.productsTab()->grid()->tableModel()->setCell(1, 1, qm::cp("Сыр"));
    dialogs.answers = {qm::Answer::Yes};
    dialogs.files.push_back(qm::ChosenFile{dir / "list.pl6", 1});
    EXPECT_TRUE(form.close());
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"PluSaveDialog"});
    std::string expected = "7\r\n" + qm::cp("Сыр") + "\r\n";
    for (int c = 2; c < 11; ++c)
        expected += "\r\n";
    EXPECT_EQ(apptest::readFile(dir / "list.pl6"), expected);
    EXPECT_FALSE(state.productsModified);
    EXPECT_TRUE(settingsWritten());
}

TEST_F(Shutdown, YesWithTheSaveDialogCancelledKeepsTheWindowAndTheTable)
{
    state.productsModified = true;
    dialogs.answers = {qm::Answer::Yes};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(state.productsModified);
    EXPECT_FALSE(settingsWritten());
}

TEST_F(Shutdown, ReportQuestionNoStillWritesTheSettings)
{
    state.reportsModified = true;
    dialogs.answers = {qm::Answer::No};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kCloseReports});
    EXPECT_TRUE(settingsWritten());
}

TEST_F(Shutdown, UncheckedKeepConfigurationEndsTheFileAfterLine37)
{
    find<QCheckBox>(&form, "CheckBox16")->setChecked(false);
    form.configTab()->grid()->tableModel()->setCell(1, 1, "A");
    EXPECT_TRUE(form.close());
    const auto lines = apptest::fileLines(dir / "qm1_6.cfg");
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[36], "FALSE");
}

TEST_F(Shutdown, SettingsThatCannotBeWrittenAreReportedOnceAndTheWindowCloses)
{
    // A directory where the file should go: the write fails every time.
    fs::create_directory(dir / "qm1_6.cfg");
    EXPECT_TRUE(form.close());
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(fs::is_directory(dir / "qm1_6.cfg"));
}

// A settings file that is there but cannot be read keeps what it holds: the start says so once,
// the window runs on the defaults, and the close asks nothing and leaves the file as it was.
TEST(StartUp, SettingsThatCannotBeReadAreToldOnceAndLeftAsTheyAre)
{
    std::vector<std::string> tooLong = customLines();
    tooLong.resize(tooLong.size() + size_t(qm::kConfigColumns) * (qm::kMaxConfigRows + 1), "1");
    const std::pair<const char*, std::function<void(const fs::path&)>> cases[] = {
        {"a FIFO", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); }},
        {"a directory", [](const fs::path& f) { fs::create_directories(f / "kept"); }},
        {"more rows than a table holds", [&](const fs::path& f) { apptest::writeFile(f, crlf(tooLong)); }},
    };
    for (const auto& [kind, make] : cases) {
        SCOPED_TRACE(kind);
        apptest::StartDirectory dir;
        const fs::path file = dir / "qm1_6.cfg";
        make(file);
        const fs::file_type type = fs::symlink_status(file).type();
        const std::string bytes = type == fs::file_type::regular ? apptest::readFile(file) : "";
        apptest::ScriptedDialogs dialogs;
        {
            TForm1 form(&dialogs);
            ASSERT_EQ(dialogs.errors.size(), 1u);
            EXPECT_NE(dialogs.errors[0].find("qm1_6.cfg"), std::string::npos) << dialogs.errors[0];
            EXPECT_NE(dialogs.errors[0].find("этот файл не будет изменен"), std::string::npos) << dialogs.errors[0];
            find<QLineEdit>(&form, "Edit3")->setText("99");
            EXPECT_TRUE(form.close());
        }
        EXPECT_EQ(dialogs.errors.size(), 1u) << "the close adds no message";
        EXPECT_TRUE(dialogs.questions.empty());
        EXPECT_EQ(fs::symlink_status(file).type(), type);
        EXPECT_EQ(type == fs::file_type::regular ? apptest::readFile(file) : "", bytes) << "byte for byte";
        EXPECT_EQ(type == fs::file_type::directory, fs::is_directory(file / "kept"));
    }
}

} // namespace
