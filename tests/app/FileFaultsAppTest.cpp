// What the window shows when a file of its own cannot be made or read: a protocol that cannot be
// created at start or appended to during auto mode, a ports.cfg that is no regular file, a PDF
// that cannot be saved. Each message names the file; nothing waits on a FIFO.

#include <sys/stat.h>

#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "AutoLoadScale.h"
#include "app/AppContext.h"
#include "app/PrintPreview.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/TableModel.h"
#include "app/tabs/AutoModeTab.h"
#include "app/tabs/ConfigTab.h"
#include "common/Cp1251.h"
#include "print/PageLayout.h"

using namespace qm::app;
using apptest::find;
namespace fs = std::filesystem;

namespace
{

bool holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(FileFaultsApp, AProtocolThatCannotBeCreatedIsNamedAtStart)
{
    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
    fs::create_directories(dir / "protocol.txt" / "inside");
    TForm1 form(&dialogs);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(
        holds(dialogs.errors[0], "Не удалось создать файл протокола \"" + (dir / "protocol.txt").string() + "\""))
        << dialogs.errors[0];
    EXPECT_TRUE(holds(dialogs.errors[0], "это папка, а не файл")) << dialogs.errors[0];
}

class AutoProtocol : public apptest::AutoLoadRig
{
  protected:
    void configure(TForm1& form)
    {
        apptest::configureAutoLoadScale(form);
        // A port that leads nowhere: every load ends at once with its protocol line.
        apptest::writeFile(dir / "ports.cfg", "COM1=" + (dir / "no-such-port").string() + "\n");
        putLoad(1);
    }
};

TEST_F(AutoProtocol, AFailedAppendIsShownOnceUntilALineGoesInAgain)
{
    TForm1 form(&dialogs);
    configure(form);
    form.autoModeTab()->Button11Click();
    fs::remove(dir / "protocol.txt");
    fs::create_directories(dir / "protocol.txt" / "inside");
    runCycle(form);
    runCycle(form);
    ASSERT_TRUE(apptest::waitFor([&] { return !dialogs.errors.empty(); }));
    ASSERT_EQ(dialogs.errors.size(), 1u) << "not at every load";
    EXPECT_TRUE(holds(dialogs.errors[0],
                      "Не удалось дописать строку в файл протокола \"" + (dir / "protocol.txt").string() + "\""))
        << dialogs.errors[0];
    EXPECT_TRUE(holds(dialogs.errors[0], "это папка, а не файл")) << dialogs.errors[0];

    fs::remove_all(dir / "protocol.txt");
    runCycle(form);
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_FALSE(apptest::readFile(dir / "protocol.txt").empty());
    fs::remove(dir / "protocol.txt");
    fs::create_directory(dir / "protocol.txt");
    runCycle(form);
    ASSERT_TRUE(apptest::waitFor([&] { return dialogs.errors.size() == 2; }));
    form.autoModeTab()->Button11Click();
}

TEST_F(AutoProtocol, APortsFileThatIsAFifoStopsNoCycleAndNoOperation)
{
    TForm1 form(&dialogs);
    configure(form);
    fs::remove(dir / "ports.cfg");
    ASSERT_EQ(::mkfifo((dir / "ports.cfg").c_str(), 0644), 0);

    // A scale operation: refused with the message, its job never runs.
    bool ran = false;
    ASSERT_TRUE(form.context().runner().run({}, [&](qm::ScaleSession&, qm::Feedback&) { ran = true; }));
    ASSERT_TRUE(apptest::waitFor([&] { return !dialogs.errors.empty(); }));
    EXPECT_FALSE(ran);
    EXPECT_TRUE(holds(dialogs.errors[0], (dir / "ports.cfg").string() + "\":\r\nэто канал, а не файл."))
        << dialogs.errors[0];

    // Auto mode: the cycle says why it does not run and comes again after the period.
    ASSERT_TRUE(apptest::waitFor([&] { return !form.context().runner().busy(); }));
    AutoModeTab* tab = form.autoModeTab();
    tab->Button11Click();
    tab->Timer1Timer();
    EXPECT_FALSE(tab->cycleRunning());
    EXPECT_TRUE(find<QLabel>(&form, "LabelAutoState")->text().contains(QStringLiteral("это канал, а не файл")));
    EXPECT_TRUE(tab->timer()->isActive());
    EXPECT_TRUE(fs::exists(dir / "load.pl6"));
    tab->Button11Click();
}

TEST(FileFaultsApp, APdfThatCannotBeSavedIsNamed)
{
    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
    TForm1 form(&dialogs);
    PrintPreview* preview = openPrintPreview(
        form.context(), [](const qm::PageGeometry&, const qm::TextMeasure&) { return std::vector<qm::PrintPage>(1); },
        nullptr);
    ASSERT_NE(preview, nullptr);
    fs::create_directories(dir / "out.pdf" / "inside");
    dialogs.files = {qm::ChosenFile{dir / "out.pdf", 1}};
    EXPECT_FALSE(preview->saveAsPdf());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(holds(dialogs.messages.back(), "Не удалось сохранить файл \"" + (dir / "out.pdf").string() + "\""))
        << dialogs.messages.back();
    EXPECT_TRUE(holds(dialogs.messages.back(), "это папка, а не файл"));
    EXPECT_TRUE(fs::is_directory(dir / "out.pdf" / "inside"));
    preview->reject();
}

} // namespace
