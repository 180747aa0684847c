// The tab "Авторежим" end to end: the switch and its period, a cycle on the worker against an
// emulated scale with the two lists, its turns with manual operations, switching off during a
// cycle, the protocol buttons, and auto mode at start-up.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <thread>

#include "AppTestSupport.h"
#include "AutoLoadScale.h"
#include "app/ScaleRunner.h"
#include "app/ScaleTab.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/AutoModeTab.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/ProductsTab.h"
#include "autoload/AutoloadTexts.h"
#include "common/Cp1251.h"
#include "files/SettingsFile.h"
#include "support/EmuProcess.h"

using namespace qm::app;
using apptest::find;
namespace fs = std::filesystem;

namespace
{

class AutoModeTabTest : public apptest::AutoLoadRig
{
  protected:
    void configure(TForm1& form) { apptest::configureAutoLoadScale(form); }
    QString caption(TForm1& form) { return find<QPushButton>(&form, "Button11")->text(); }
};

} // namespace

TEST_F(AutoModeTabTest, SwitchRefusesNoPeriodAndDisablesTheOptionsWhileOn)
{
    TForm1 form(&dialogs);
    configure(form);
    AutoModeTab* tab = form.autoModeTab();
    auto* period = find<QLineEdit>(&form, "Edit33");
    for (const char* bad : {"", "0", "86401"}) {
        period->setText(QString::fromLatin1(bad));
        tab->Button11Click();
        EXPECT_EQ(caption(form), QStringLiteral("Включить")) << bad;
        EXPECT_FALSE(form.context().state().autoMode);
        EXPECT_FALSE(tab->timer()->isActive());
    }
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0], qm::autoloadtext::kBadPeriod);

    period->setText(QStringLiteral("60"));
    tab->Button11Click();
    EXPECT_EQ(caption(form), QStringLiteral("Выключить"));
    EXPECT_TRUE(form.context().state().autoMode);
    EXPECT_TRUE(tab->timer()->isActive());
    EXPECT_EQ(tab->timer()->interval(), 60000);
    for (const char* name : {"Edit33", "CheckBox19", "CheckBox23", "CheckBox24", "CheckBox25"})
        EXPECT_FALSE(find<QWidget>(&form, name)->isEnabled()) << name;

    tab->Button11Click();
    EXPECT_EQ(caption(form), QStringLiteral("Включить"));
    EXPECT_FALSE(form.context().state().autoMode);
    EXPECT_FALSE(tab->timer()->isActive());
    for (const char* name : {"Edit33", "CheckBox19", "CheckBox23", "CheckBox24", "CheckBox25"})
        EXPECT_TRUE(find<QWidget>(&form, name)->isEnabled()) << name;
}

TEST_F(AutoModeTabTest, CycleLoadsListsAndLeavesTheWindowsTablesAlone)
{
    qmtest::EmuProcess scale;
    scale.writePortsCfg(dir.path().string());
    TForm1 form(&dialogs);
    configure(form);
    // An unsaved edit of the product table survives the load.
    qm::Table products = form.productsTab()->grid()->tableModel()->table();
    products.setRow(1, {"77", "unsaved"});
    form.productsTab()->grid()->tableModel()->setTable(products);
    putLoad(3);
    form.autoModeTab()->Button11Click();
    runCycle(form);

    EXPECT_FALSE(fs::exists(dir / "load.pl6"));
    EXPECT_EQ(scale.state().plu.size(), 3u);
    ASSERT_TRUE(apptest::waitFor([&] { return find<QListWidget>(&form, "ListBox3")->count() == 1; }));
    EXPECT_TRUE(std::regex_match(find<QListWidget>(&form, "ListBox3")->item(0)->text().toStdString(),
                                 std::regex(R"(Весы  -  \d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")));
    EXPECT_EQ(find<QListWidget>(&form, "ListBox2")->count(), 0);
    EXPECT_EQ(form.productsTab()->grid()->tableModel()->table().cell(1, 1), "unsaved");
    // The next cycle comes one period after this one ended.
    EXPECT_TRUE(form.autoModeTab()->timer()->isActive());

    // A failed load: the scale stays in the not-loaded list, once. COM1 then names a device that
    // is gone, not the stopped scale's pseudo-terminal, whose number the system gives to the next
    // one opened (another test's scale, perhaps).
    scale.stop();
    std::filesystem::remove(dir.path() / "ports.cfg");
    std::ofstream(dir.path() / "ports.cfg") << "COM1=" << (dir.path() / "ttyUSB0-unplugged").string() << "\n";
    putLoad(1);
    runCycle(form);
    runCycle(form);
    ASSERT_TRUE(apptest::waitFor([&] { return find<QListWidget>(&form, "ListBox2")->count() == 1; }));
    EXPECT_EQ(find<QListWidget>(&form, "ListBox2")->item(0)->text(), QStringLiteral("Весы"));
    EXPECT_TRUE(fs::exists(dir / "load.pl6"));
    find<QPushButton>(&form, "Button9")->click();
    find<QPushButton>(&form, "Button10")->click();
    EXPECT_EQ(find<QListWidget>(&form, "ListBox2")->count(), 0);
    EXPECT_EQ(find<QListWidget>(&form, "ListBox3")->count(), 0);
}

TEST_F(AutoModeTabTest, CycleAndManualOperationsTakeTurns)
{
    qmtest::EmuOptions slow;
    slow.baud = 2400;
    qmtest::EmuProcess scale(slow);
    scale.writePortsCfg(dir.path().string());
    TForm1 form(&dialogs);
    configure(form);
    putLoad(40);
    AutoModeTab* tab = form.autoModeTab();
    tab->Button11Click();

    // A manual operation holds the worker: the tick waits for it.
    std::atomic<bool> release{false};
    ASSERT_TRUE(form.context().runner().run({}, [&](qm::ScaleSession&, qm::Feedback&) {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }));
    QSignalSpy ended(tab, &AutoModeTab::cycleFinished);
    tab->Timer1Timer();
    EXPECT_FALSE(tab->cycleRunning());
    release = true;
    ASSERT_TRUE(apptest::waitFor([&] { return tab->cycleRunning(); }));

    // During the cycle a manual operation is refused with a message.
    ASSERT_TRUE(apptest::waitFor([&] { return scale.state().plu.size() >= 2; }, 20000));
    QWidget otherTab;
    ScaleTab other(form.context(), &otherTab);
    EXPECT_FALSE(other.runOnScale([](const qm::ScaleLink&) {}));
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back(), qm::autoloadtext::kCycleRunning);

    // Switching off ends the cycle after its record; the file stays and no cycle follows.
    tab->Button11Click();
    ASSERT_TRUE(apptest::waitFor([&] { return ended.count() > 0; }, 20000));
    EXPECT_TRUE(fs::exists(dir / "load.pl6"));
    EXPECT_LT(scale.state().plu.size(), 40u);
    EXPECT_FALSE(tab->timer()->isActive());
    EXPECT_NE(qm::cp1251ToUtf8(apptest::readFile(dir / "protocol.txt")).find("Загрузка весов Весы прервана  -  "),
              std::string::npos);
}

TEST_F(AutoModeTabTest, ProtocolShownThroughTheDesktopAndCleared)
{
    TForm1 form(&dialogs);
    AutoModeTab* tab = form.autoModeTab();
    std::vector<QUrl> opened;
    tab->setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    fs::remove(dir / "protocol.txt");
    find<QToolButton>(&form, "SpeedButton90")->click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString((dir / "protocol.txt").string())));
    EXPECT_TRUE(fs::exists(dir / "protocol.txt"));

    apptest::writeFile(dir / "protocol.txt", "line\r\n");
    dialogs.answers = {qm::Answer::No};
    find<QToolButton>(&form, "SpeedButton91")->click();
    EXPECT_EQ(apptest::readFile(dir / "protocol.txt"), "line\r\n");
    dialogs.answers = {qm::Answer::Yes};
    find<QToolButton>(&form, "SpeedButton91")->click();
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[1], qm::autoloadtext::kClearProtocolQuestion);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{qm::autoloadtext::kProtocolDeleted}));
    EXPECT_TRUE(fs::exists(dir / "protocol.txt"));
    EXPECT_EQ(apptest::readFile(dir / "protocol.txt"), "");

    // A protocol that cannot be deleted is not said to be.
    fs::remove(dir / "protocol.txt");
    fs::create_directories(dir / "protocol.txt" / "inside");
    dialogs.answers = {qm::Answer::Yes};
    find<QToolButton>(&form, "SpeedButton91")->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].rfind(qm::autoloadtext::kProtocolNotDeleted, 0), 0u) << dialogs.messages[1];
}

TEST_F(AutoModeTabTest, StartUpSwitchesOnOnlyWithAPeriod)
{
    qm::AppSettings settings;
    settings.autoMode = true;
    settings.minimizeInAutoMode = false;
    settings.autoPeriod = "0";
    ASSERT_FALSE(qm::SaveFormFile(dir.path(), settings));
    {
        TForm1 form(&dialogs);
        EXPECT_FALSE(form.context().state().autoMode);
        EXPECT_EQ(caption(form), QStringLiteral("Включить"));
        EXPECT_TRUE(dialogs.messages.empty());
    }
    settings.autoPeriod = "5";
    ASSERT_FALSE(qm::SaveFormFile(dir.path(), settings));
    TForm1 form(&dialogs);
    EXPECT_TRUE(form.context().state().autoMode);
    EXPECT_EQ(caption(form), QStringLiteral("Выключить"));
    EXPECT_EQ(form.autoModeTab()->timer()->interval(), 5000);
    EXPECT_TRUE(form.autoModeTab()->timer()->isActive());
}
