// The tab "Тесты" end to end: the chosen scale's row or every row of the configuration, the
// number detection, the port named through ports.cfg, the worker thread, the answers in the test
// table, and the list of ports present.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ChooserBox.h"
#include "app/PortsPanel.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/TestsTab.h"
#include "common/Cp1251.h"
#include "support/EmuProcess.h"

using namespace qm::app;
using apptest::find;

namespace
{

class LinkTestButton : public ::testing::Test
{
  protected:
    // The configuration of one scale "Весы 1" and the chooser of the tests tab on it.
    void configure(TForm1& form, const std::string& number, const std::string& port)
    {
        qm::Table config = form.configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы 1"), "", number, port, "9600"});
        form.configTab()->grid()->tableModel()->setTable(config);
        form.configTab()->SpeedButton85Click();
        find<ChooserBox>(&form, "ComboBox11")->setText("Весы 1");
    }
    std::vector<std::string> testRow(TForm1& form, int r = 1)
    {
        const qm::Table& t = form.testsTab()->grid()->tableModel()->table();
        std::vector<std::string> row;
        for (int c = 0; c < t.columnCount(); ++c)
            row.push_back(qm::cp1251ToUtf8(t.cell(r, c)));
        return row;
    }
    void click(TForm1& form, const char* name)
    {
        if (auto* tool = find<QToolButton>(&form, name))
            QTest::mouseClick(tool, Qt::LeftButton);
        else
            QTest::mouseClick(find<QPushButton>(&form, name), Qt::LeftButton);
    }
    void runTest(TForm1& form)
    {
        QTest::mouseClick(find<QToolButton>(&form, "SpeedButton80"), Qt::LeftButton);
        ASSERT_TRUE(form.context().runner().waitIdle(10000));
    }

    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
};

TEST_F(LinkTestButton, PortThatCannotBeOpenedIsReportedInTheTable)
{
    apptest::writeFile(dir / "ports.cfg", "COM3=" + (dir / "no-such-tty").string() + "\n");
    qputenv("QMSCALES_TRACE", "trace.log");
    TForm1 form(&dialogs);
    qunsetenv("QMSCALES_TRACE");
    configure(form, "5", "COM3");
    runTest(form);
    EXPECT_EQ(testRow(form),
              (std::vector<std::string>{"1", "Весы 1", "COM3", "порт не подключен", "неизвестно", "неизвестно"}));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.errors.empty());
    // The byte trace names the device the port map gave COM3.
    EXPECT_NE(apptest::readFile(dir / "trace.log").find("no-such-tty"), std::string::npos);
}

TEST_F(LinkTestButton, UnknownScaleOrWrongRowGivesTheMessages)
{
    TForm1 form(&dialogs);
    configure(form, "100", "COM3");
    find<ChooserBox>(&form, "ComboBox11")->setText("Другие");
    runTest(form);
    find<ChooserBox>(&form, "ComboBox11")->setText("Весы 1");
    runTest(form);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{
                                    "Для тестирования выберите весы из списка.",
                                    "Проверьте правильность заполнения таблицы конфигурации для выбранных весов."}));
    EXPECT_EQ(form.configTab()->grid()->currentRow(), 1);
    EXPECT_EQ(form.configTab()->grid()->currentCol(), 3) << "the cursor goes to the wrong cell";
}

TEST_F(LinkTestButton, WorkingScaleAnswersWithItsNumber)
{
    qmtest::EmuOptions options;
    options.number = 5;
    qmtest::EmuProcess scale(options);
    scale.writePortsCfg(dir.path().string(), 3);
    TForm1 form(&dialogs);
    configure(form, "5", "COM3");
    runTest(form);
    const auto row = testRow(form);
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[2], "COM3");
    EXPECT_EQ(row[3], "порт подключен");
    EXPECT_EQ(row[5], "рабочее");
    const int answerTime = std::stoi(row[4]);
    EXPECT_GE(answerTime, 1);
    EXPECT_EQ(scale.received(), std::vector<std::uint8_t>{5});
    EXPECT_TRUE(dialogs.messages.empty());

    // The port stays open between operations; a second test of the same scale works as well.
    runTest(form);
    EXPECT_EQ(testRow(form)[5], "рабочее");
}

TEST_F(LinkTestButton, EveryScaleOfTheConfigurationWithProgressAndStop)
{
    qmtest::EmuProcess scale({5});
    scale.writePortsCfg(dir.path().string(), 3);
    apptest::writeFile(dir / "ports.cfg",
                       apptest::readFile(dir / "ports.cfg") + "COM4=" + (dir / "no-such-tty").string() + "\n");
    TForm1 form(&dialogs);
    qm::Table config = form.configTab()->grid()->tableModel()->table();
    config.setRow(1, {"1", qm::cp("Весы 1"), "", "5", "COM3", "9600"});
    config.appendRow();
    config.setRow(2, {"2", qm::cp("Весы 2"), "", "5", "COM4", "9600"});
    config.appendRow();
    config.setRow(3, {"3", qm::cp("Весы 3"), "", "5", "COM3", "9600"});
    form.configTab()->grid()->tableModel()->setTable(config);

    auto* bar = find<QProgressBar>(&form, "ProgressBar3");
    auto* stop = find<QPushButton>(&form, "Button14");
    click(form, "SpeedButton81");
    ASSERT_TRUE(apptest::waitFor([&] { return !bar->isHidden(); }));
    EXPECT_EQ(bar->maximum(), 3);
    EXPECT_TRUE(stop->isEnabled()) << "the walk can be stopped";
    EXPECT_FALSE(find<QPushButton>(&form, "Button13")->isEnabled()) << "no detection meanwhile";
    ASSERT_TRUE(form.context().runner().waitIdle(10000));
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(stop->isHidden()) << "disabled, never hidden";
    ASSERT_EQ(form.testsTab()->grid()->tableModel()->table().lastRow(), 3);
    EXPECT_EQ(testRow(form, 1)[5], "рабочее");
    EXPECT_EQ(testRow(form, 2),
              (std::vector<std::string>{"2", "Весы 2", "COM4", "порт не подключен", "неизвестно", "неизвестно"}));
    EXPECT_EQ(testRow(form, 3)[5], "рабочее");
    EXPECT_TRUE(dialogs.messages.empty());

    // "Стоп" during the walk ends it before the next row, and says so.
    scale.clearLog();
    click(form, "SpeedButton81");
    ASSERT_TRUE(apptest::waitFor([&] { return bar->value() == 1 && stop->isEnabled(); }));
    click(form, "Button14");
    ASSERT_TRUE(form.context().runner().waitIdle(10000));
    EXPECT_EQ(form.testsTab()->grid()->tableModel()->table().lastRow(), 1);
    EXPECT_EQ(scale.received(), std::vector<std::uint8_t>{5});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Действие прервано."});
}

TEST_F(LinkTestButton, NumberDetectionShowsTheNumberAndCanBeStopped)
{
    qmtest::EmuProcess scale({3});
    scale.writePortsCfg(dir.path().string(), 6);
    TForm1 form(&dialogs);
    find<ChooserBox>(&form, "ComboBox12")->setText("COM6");
    auto* number = find<QLineEdit>(&form, "Edit34");
    auto* probe = find<QLabel>(&form, "Label62");
    click(form, "Button13");
    ASSERT_TRUE(apptest::waitFor([&] { return !probe->isHidden(); }));
    EXPECT_TRUE(find<QPushButton>(&form, "Button14")->isEnabled());
    ASSERT_TRUE(form.context().runner().waitIdle(10000));
    EXPECT_EQ(number->text(), "3");
    EXPECT_EQ(probe->text(), "3");
    EXPECT_TRUE(probe->isHidden());
    EXPECT_TRUE(find<QProgressBar>(&form, "ProgressBar3")->isHidden());
    EXPECT_FALSE(find<QPushButton>(&form, "Button14")->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());

    // No scale 1 or 2 on COM7: "Стоп" at the third probe, the field back to "не определен".
    qmtest::EmuProcess farScale({80});
    farScale.writePortsCfg(dir.path().string(), 7);
    find<ChooserBox>(&form, "ComboBox12")->setText("COM7");
    click(form, "Button13");
    ASSERT_TRUE(apptest::waitFor([&] { return probe->text() == "1"; }));
    ASSERT_TRUE(apptest::waitFor([&] { return probe->text() == "3"; }));
    click(form, "Button14");
    ASSERT_TRUE(form.context().runner().waitIdle(10000));
    EXPECT_EQ(number->text(), "не определен");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_LE(farScale.received().size(), 4u);

    // A port that cannot be opened: its message, and the field keeps what it showed.
    number->setText("3");
    find<ChooserBox>(&form, "ComboBox12")->setText("COM9");
    apptest::writeFile(dir / "ports.cfg", "COM9=" + (dir / "no-such-tty").string() + "\n");
    click(form, "Button13");
    ASSERT_TRUE(form.context().runner().waitIdle(10000));
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Выбранный СОМ-порт не существует или занят другим приложением."});
    EXPECT_EQ(number->text(), "3");
}

TEST_F(LinkTestButton, PortsListShowsWhichComNamesLeadToADevice)
{
    qmtest::EmuProcess scale;
    std::string cfg;
    for (int com = 1; com <= 16; ++com)
        cfg += "COM" + std::to_string(com) + "=" + (dir / ("missing" + std::to_string(com))).string() + "\n";
    apptest::writeFile(dir / "ports.cfg", cfg);
    scale.writePortsCfg(dir.path().string(), 2);
    TForm1 form(&dialogs);
    PortsPanel* panel = form.testsTab()->ports();
    panel->refresh();
    ASSERT_TRUE(apptest::waitFor([&] { return !panel->reading(); }));
    auto* list = find<QListWidget>(&form, "PortsList");
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QString::fromStdString("COM2  " + scale.device()));
    // The port chooser hints at the device behind each name; COM2 is chosen at start.
    auto* port = find<ChooserBox>(&form, "ComboBox12");
    EXPECT_EQ(port->toolTip(), QString::fromStdString("COM2: " + scale.device()));
    EXPECT_EQ(port->itemData(2, Qt::ToolTipRole).toString(),
              QString::fromStdString("COM3: " + (dir / "missing3").string() + ", устройства нет"));

    // The list follows ports.cfg when read again.
    apptest::writeFile(dir / "ports.cfg", cfg);
    QTest::mouseClick(find<QPushButton>(&form, "PortsRefresh"), Qt::LeftButton);
    ASSERT_TRUE(apptest::waitFor([&] { return !panel->reading(); }));
    EXPECT_EQ(list->item(0)->text(), "Ни одно COM-имя не ведет к устройству");
}

// A network port whose connection neither opens nor fails (a listener whose queue is full drops
// the request) keeps its probe for a second: the window goes on meanwhile, and the list follows.
TEST_F(LinkTestButton, PortsListProbesNetworkPortsOffTheWindowsThread)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    std::vector<int> fillers;
    for (int i = 0; i < 3; ++i) {
        fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), size);
    }
    apptest::writeFile(dir / "ports.cfg", "COM3=tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "\n");
    TForm1 form(&dialogs);
    PortsPanel* panel = form.testsTab()->ports();
    QElapsedTimer clock;
    clock.start();
    panel->refresh();
    EXPECT_LT(clock.elapsed(), 300) << "the window waited for the probe";
    EXPECT_TRUE(panel->reading());
    ASSERT_TRUE(apptest::waitFor([&] { return !panel->reading(); }));
    EXPECT_GE(clock.elapsed(), 900) << "the probe did not wait: the listener let the connection open";
    const auto lines = find<QListWidget>(&form, "PortsList")->findItems("COM3  tcp://127.0.0.1:", Qt::MatchStartsWith);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0]->text().endsWith("соединение не открывается")) << lines[0]->text().toStdString();
    for (int fd : fillers)
        ::close(fd);
    ::close(listener);
}

} // namespace
