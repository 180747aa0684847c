// One load against an emulated scale: each protocol line with what the scale and the load file
// hold afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "AutoRig.h"
#include "files/PluFile.h"

using namespace qm;
using qmtest::AutoRig;
using qmtest::EmuOptions;

namespace
{

EmuOptions faulty(std::vector<std::string> faults, std::string pace = {})
{
    EmuOptions o;
    o.faults = std::move(faults);
    o.pace = std::move(pace);
    return o;
}

// The protocol's lines without their stamps, in UTF-8.
std::vector<std::string> lines(const AutoRig& rig)
{
    std::vector<std::string> out;
    const std::string text = rig.protocol();
    const std::regex stamped(R"((.*)  -  \d\d\.\d\d\.\d{4}  \d\d:\d\d:\d\d)");
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            out.push_back("unterminated: " + text.substr(at));
            break;
        }
        std::smatch m;
        const std::string line = text.substr(at, end - at);
        out.push_back(std::regex_match(line, m, stamped) ? cp1251ToUtf8(m[1].str()) : "unstamped: " + line);
        at = end + 2;
    }
    return out;
}

} // namespace

TEST(LoadFile, ProductsLoadedFileDeletedAndListed)
{
    AutoRig rig;
    const int row = rig.addRow("Мясо", 1, "COM1", "meat.pl6");
    rig.put("meat.pl6", qmtest::pl6({3, 1, 2}));
    const LoadOutcome out = rig.loadProducts(row, "meat.pl6");
    EXPECT_EQ(out.line, LoadLine::ProductsLoaded);
    EXPECT_FALSE(rig.has("meat.pl6"));
    EXPECT_EQ(rig.scale().state().plu.size(), 3u);
    EXPECT_EQ(lines(rig), (std::vector<std::string>{"Весы Мясо прогружены списком товаров"}));
    ASSERT_EQ(rig.report.calls.size(), 2u);
    EXPECT_TRUE(rig.report.calls[0].begins);
    EXPECT_EQ(rig.report.calls[0].name, cp("Мясо"));
    EXPECT_TRUE(std::regex_match(cp1251ToUtf8(loadedEntry(out.scaleName, out.stamp)),
                                 std::regex(R"(Мясо  -  \d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")));
}

TEST(LoadFile, MessagesLoadedAndProtocolOffWritesNothing)
{
    AutoRig rig;
    const int row = rig.addRow("Касса", 1, "COM1", "", "news.msg");
    rig.put("news.msg", qmtest::msg({7, 9}));
    rig.setup.options.protocol = false;
    const LoadOutcome out = rig.loadMessages(row, "news.msg");
    EXPECT_EQ(out.line, LoadLine::MessagesLoaded);
    EXPECT_EQ(cp1251ToUtf8(out.protocolText).rfind("Весы Касса прогружены списком сообщений  -  ", 0), 0u);
    EXPECT_FALSE(rig.has("news.msg"));
    EXPECT_FALSE(rig.has("protocol.txt"));
    const auto state = rig.scale().state();
    ASSERT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(state.messages.count(9), 1u);
}

TEST(LoadFile, ConfigurationPortAndLinkFailuresKeepTheFile)
{
    AutoRig rig(std::vector<EmuOptions>{faulty({"silent@addr"})});
    const int badRow = rig.addRow("Плохие", 100, "COM1", "a.pl6");
    const int noPort = rig.addRow("Нет порта", 1, "COM9", "a.pl6");
    const int silent = rig.addRow("Молчат", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({1}));
    EXPECT_EQ(rig.loadProducts(badRow, "a.pl6").line, LoadLine::BadConfig);
    // COM9 maps to /dev/ttyS8 here, which a test machine does not have or cannot open.
    rig.put("ports.cfg", qmtest::fileText(rig.dir / "ports.cfg") + "COM9=" + (rig.dir / "no-such-tty").string() + "\n");
    EXPECT_EQ(rig.loadProducts(noPort, "a.pl6").line, LoadLine::PortUnavailable);
    EXPECT_EQ(rig.loadProducts(silent, "a.pl6").line, LoadLine::NoLink);
    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_EQ(lines(rig), (std::vector<std::string>{
                              "Ошибка заполнения таблицы конфигурации для весов  Плохие",
                              "Выбранный СОМ-порт для весов Нет порта не существует или занят другим приложением",
                              "Неисправность весов Молчат или линии связи",
                          }));
    EXPECT_TRUE(rig.scale().state().plu.empty());
}

TEST(LoadFile, UnacknowledgedRecordEndsThePlainLoad)
{
    AutoRig rig(std::vector<EmuOptions>{faulty({"nak@0x82#2"})});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({1, 2, 3}));
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::NoAck);
    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_EQ(rig.scale().state().plu.size(), 1u);
    EXPECT_EQ(lines(rig), (std::vector<std::string>{"Ошибка обмена с весами Весы"}));

    // A message not acknowledged: the same line.
    AutoRig msgRig(std::vector<EmuOptions>{faulty({"nak@0x84"})});
    const int msgRow = msgRig.addRow("Весы", 1, "COM1", "", "n.msg");
    msgRig.put("n.msg", qmtest::msg({1}));
    EXPECT_EQ(msgRig.loadMessages(msgRow, "n.msg").line, LoadLine::NoAck);
    EXPECT_TRUE(msgRig.has("n.msg"));
}

TEST(LoadFile, BadEmptyAndUnreadableFilesSendNothing)
{
    AutoRig rig;
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6", "n.msg");
    // Row 2 holds a price that is no number: nothing at all goes to the scale.
    std::string bad = qmtest::pl6({1, 2, 3});
    bad.replace(bad.find("102"), 3, "1x2");
    rig.put("a.pl6", bad);
    const LoadOutcome badOut = rig.loadProducts(row, "a.pl6");
    EXPECT_EQ(badOut.line, LoadLine::BadRow);
    EXPECT_EQ(badOut.row, 2);
    rig.put("empty.pl6", "");
    EXPECT_EQ(rig.loadProducts(row, "empty.pl6").line, LoadLine::EmptyFile);
    rig.put("n.msg", "x\r\n");
    const LoadOutcome badMessage = rig.loadMessages(row, "n.msg");
    EXPECT_EQ(badMessage.line, LoadLine::BadRow);
    EXPECT_EQ(badMessage.row, 1);
    // A directory where the file should be cannot be read.
    std::filesystem::create_directory(rig.dir / "dir.pl6");
    EXPECT_EQ(rig.loadProducts(row, "dir.pl6").line, LoadLine::UnreadableFile);

    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_TRUE(rig.has("empty.pl6"));
    EXPECT_TRUE(rig.has("n.msg"));
    EXPECT_EQ(rig.scale().received().size(), 0u);
    EXPECT_EQ(lines(rig), (std::vector<std::string>{
                              "Ошибка в строке 2 файла товаров для весов Весы",
                              "Файл товаров для весов Весы пуст",
                              "Ошибка в строке 1 файла сообщений для весов Весы",
                              "Файл товаров для весов Весы не читается",
                          }));
}

TEST(LoadFile, VirtualLoadFollowsRequestsAndCancelsTheRange)
{
    // D4 asks for a later row: it goes at once, then sending resumes at the last row sent. D1
    // was sent already and is not in the rows from the last sent on: that row goes instead.
    AutoRig rig(std::vector<EmuOptions>{faulty({}, "R,R,D4,R,D1,R,R")});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({4, 2, 1, 3}));
    rig.setup.options.virtualSync = true;
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::ProductsLoaded);
    std::vector<int> written;
    const std::regex re("PLU ([0-9]+) written");
    std::smatch m;
    for (const auto& e : rig.scale().log())
        if (e.kind == qmtest::EmuLogEntry::Kind::Event && std::regex_match(e.event, m, re))
            written.push_back(std::stoi(m[1]));
    EXPECT_EQ(written, (std::vector<int>{1, 2, 4, 2, 2, 3, 4}));
    const auto state = rig.scale().state();
    EXPECT_EQ(state.plu.size(), 4u);
    EXPECT_FALSE(state.range);
    EXPECT_FALSE(rig.has("a.pl6"));
}

TEST(LoadFile, VirtualRangeLeftSetEarlierIsCancelledFirst)
{
    // A load that died with the range set: the scale answers its number with a request.
    EmuOptions left = faulty({}, "D7");
    left.stateJson = R"({"number": 1, "range": [1, 9]})";
    AutoRig rig(std::vector<EmuOptions>{left});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({1, 2}));
    rig.setup.options.virtualSync = true;
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::ProductsLoaded);
    const auto state = rig.scale().state();
    EXPECT_EQ(state.plu.size(), 2u);
    EXPECT_FALSE(state.range);
}

TEST(LoadFile, VirtualRangeRefusedAndBudgetSpent)
{
    AutoRig refused(std::vector<EmuOptions>{faulty({"nak@0x87"})});
    const int row = refused.addRow("Весы", 1, "COM1", "a.pl6");
    refused.put("a.pl6", qmtest::pl6({1, 2}));
    refused.setup.options.virtualSync = true;
    EXPECT_EQ(refused.loadProducts(row, "a.pl6").line, LoadLine::ExchangeFailed);
    EXPECT_TRUE(refused.has("a.pl6"));
    EXPECT_EQ(lines(refused), (std::vector<std::string>{"Ошибка обмена данными с весами  Весы"}));

    // 101 polls answered by another scale: the next turn gives up, and the range is cancelled.
    AutoRig spent(std::vector<EmuOptions>{faulty({"wrong-number@poll#1-101"})});
    spent.addRow("Весы", 1, "COM1", "a.pl6");
    spent.put("a.pl6", qmtest::pl6({1, 2}));
    spent.setup.options.virtualSync = true;
    EXPECT_EQ(spent.loadProducts(1, "a.pl6").line, LoadLine::ExchangeFailed);
    EXPECT_TRUE(spent.has("a.pl6"));
    EXPECT_FALSE(spent.scale().state().range);
}

TEST(LoadFile, VirtualLoadOfAScaleThatAsksForEverEndsAndCancelsTheRange)
{
    // Every poll answered with a request for PLU 1, which is acknowledged every time: no pass
    // fails, and only the transfer's budget (2 records + 100 passes off the sequence) ends it.
    AutoRig rig(std::vector<EmuOptions>{faulty({"request@poll"})});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({1, 2}));
    rig.setup.options.virtualSync = true;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::ExchangeFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_EQ(lines(rig), (std::vector<std::string>{"Ошибка обмена данными с весами  Весы"}));
    int polls = 0;
    for (const auto& e : rig.scale().log())
        if (e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.rfind("poll", 0) == 0)
            ++polls;
    EXPECT_EQ(polls, 103 + 1) << "103 passes, then the number byte ahead of the closing cancel";
    const auto state = rig.scale().state();
    EXPECT_FALSE(state.range);
    EXPECT_EQ(state.plu.size(), 1u) << "PLU 2 never went";
}

TEST(LoadFile, VirtualLoadTakesABurstOfRequestsWithinItsBudget)
{
    AutoRig rig(std::vector<EmuOptions>{faulty({"request=2@poll#1-60"})});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({1, 2}));
    rig.setup.options.virtualSync = true;
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::ProductsLoaded);
    EXPECT_EQ(rig.scale().state().plu.size(), 2u);
    EXPECT_FALSE(rig.scale().state().range);
    EXPECT_FALSE(rig.has("a.pl6"));
}

TEST(LoadFile, VirtualUnacknowledgedLastRowIsSentAgain)
{
    // The scale keeps nothing it did not acknowledge: the last row counts as sent only once
    // acknowledged, so the file is deleted only when the scale holds every record.
    AutoRig rig(std::vector<EmuOptions>{faulty({"nak@0x82#3"})});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6({1, 2, 3}));
    rig.setup.options.virtualSync = true;
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::ProductsLoaded);
    EXPECT_EQ(rig.scale().state().plu.size(), 3u);
    EXPECT_FALSE(rig.has("a.pl6"));
}

TEST(LoadFile, FileWrittenAnewDuringTheLoadStays)
{
    EmuOptions slow;
    slow.baud = 9600;
    AutoRig rig(std::vector<EmuOptions>{slow});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    rig.put("a.pl6", qmtest::pl6Count(20));
    std::thread writer([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline && rig.scale().state().plu.size() < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        rig.put("a.pl6", qmtest::pl6({99}), false);
    });
    const LoadOutcome out = rig.loadProducts(row, "a.pl6");
    writer.join();
    EXPECT_EQ(out.line, LoadLine::ProductsLoaded);
    EXPECT_EQ(qmtest::fileText(rig.dir / "a.pl6"), qmtest::pl6({99}));
}

// Found by the soak (AutoloadSoakTest): a writer that renames a new version into place with only
// the prices changed makes a file of the same size, and on a file system with a coarse clock
// (FAT, ext3, many network shares) of the same time stamp. It was taken for the file just loaded
// and deleted, unloaded.
TEST(LoadFile, NewVersionOfTheSameSizeAndTimeDuringTheLoadStays)
{
    EmuOptions slow;
    slow.baud = 9600;
    AutoRig rig(std::vector<EmuOptions>{slow});
    const int row = rig.addRow("Весы", 1, "COM1", "a.pl6");
    const std::string first = qmtest::pl6Count(20);
    std::string second;
    for (int plu = 1; plu <= 20; ++plu) {
        const std::string n = std::to_string(plu);
        // The prices 101..120 become 201..220.
        for (const std::string& cell :
             {n, "name " + n, std::string("line 2"), std::to_string(200 + plu), std::string("5"), std::string("0"),
              std::string("0"), std::string("0"), std::string("0"), std::string("0"), std::string("")})
            second += cell + "\r\n";
    }
    ASSERT_EQ(second.size(), first.size());
    ASSERT_NE(second, first);
    rig.put("a.pl6", first);
    std::thread writer([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline && rig.scale().state().plu.size() < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto stamp = std::filesystem::last_write_time(rig.dir / "a.pl6");
        rig.put("a.new", second, false);
        std::filesystem::last_write_time(rig.dir / "a.new", stamp);
        std::filesystem::rename(rig.dir / "a.new", rig.dir / "a.pl6");
    });
    const LoadOutcome out = rig.loadProducts(row, "a.pl6");
    writer.join();
    EXPECT_EQ(out.line, LoadLine::ProductsLoaded);
    EXPECT_EQ(qmtest::fileText(rig.dir / "a.pl6"), second);
    // The next load sends the new prices, and then the file goes.
    EXPECT_EQ(rig.loadProducts(row, "a.pl6").line, LoadLine::ProductsLoaded);
    EXPECT_EQ(rig.scale().state().plu.at(20).price, 220u);
    EXPECT_FALSE(rig.has("a.pl6"));
}

TEST(LoadFile, PluFilesAndADamagedOne)
{
    AutoRig rig;
    const int row = rig.addRow("Весы", 1, "COM1", "a.plu");
    Table products = makeTable(productLayout());
    products.setDataRows({{"5", "five", "", "500", "5", "0", "0", "0", "0"}, {"6", "six", "", "600", "5"}});
    const std::string bytes = pluFileBytes(products);
    // Any extension but exactly ".pl6" is read as .plu.
    rig.put("a.PL6", bytes);
    EXPECT_EQ(rig.loadProducts(row, "a.PL6").line, LoadLine::ProductsLoaded);
    EXPECT_EQ(rig.scale().state().plu.size(), 2u);
    // A record cut short: another program has not finished it, or it is damaged.
    rig.put("cut.plu", bytes.substr(0, kPluRecordSize + 40));
    EXPECT_EQ(rig.loadProducts(row, "cut.plu").line, LoadLine::UnreadableFile);
    EXPECT_TRUE(rig.has("cut.plu"));
}
