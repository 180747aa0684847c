// qmscales-cli read-settings, write-settings, read-status, read-keys, write-keys and
// read-factory, run as a real process against an emulated scale.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "StateBuilder.h"
#include "StateFile.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/TableFiles.h"
#include "settings/SettingsTexts.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;
namespace settingstext = qm::settingstext;

namespace
{

constexpr int kScale = 3;

struct StartDir : qmtest::CliStartDir {
    explicit StartDir(const qmtest::EmuProcess& emu) : CliStartDir(&emu, kScale, "Весы") {}
};

qmtest::CliRun cli(const StartDir& dir, std::vector<std::string> args)
{
    return dir.cli(std::move(args));
}

qmtest::EmuOptions scaleWith(const emu::ScaleState& state, std::vector<std::string> faults = {})
{
    qmtest::EmuOptions o;
    o.number = kScale;
    o.stateJson = emu::stateToJson(state);
    o.faults = std::move(faults);
    return o;
}

std::string line(const std::string& text)
{
    return text + "\n";
}

} // namespace

TEST(CliSettings, ReadSettingsAsJsonAndAsLines)
{
    emu::ScaleState state;
    state.shop1 = emu::scaleName("Магазин \"Ёлка\"");
    qmtest::EmuProcess emu(scaleWith(state));
    StartDir dir(emu);
    auto r = cli(dir, {"read-settings", "--scale", "Весы", "--json"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "{\"department\":46,\"label_format\":41,\"barcode_format\":4,\"print_offset\":10,"
                     "\"min_weight\":10,\"options\":59,\"shop1\":\"Магазин \\\"Ёлка\\\"              \",\"shop2\":\"" +
                         std::string(28, ' ') + "\"}\n");
    r = cli(dir, {"read-settings", "--scale", "Весы"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), line(settingstext::kReadDone));
    EXPECT_NE(r.out.find("\nНомер отдела: 46\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nОсобенности печати: 59\n"), std::string::npos);
}

TEST(CliSettings, WriteSettingsKeepsWhatIsNotGiven)
{
    emu::ScaleState state;
    state.user.labelFormat = 50;
    state.shop1 = emu::scaleName("Первая");
    qmtest::EmuProcess emu(scaleWith(state));
    StartDir dir(emu);
    auto r = cli(dir, {"write-settings", "--scale", "Весы", "--department", "7", "--shop2", "Ёж", "--yes"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, line(settingstext::kChanged));
    const emu::ScaleState held = emu.state();
    EXPECT_EQ(held.user.department, 7);
    EXPECT_EQ(held.user.labelFormat, 50);
    EXPECT_EQ(held.user.options, 59);
    EXPECT_EQ(held.shop1, emu::scaleName("Первая"));
    EXPECT_EQ(held.shop2, emu::scaleName("Ёж"));
    EXPECT_EQ(held.date, (emu::ClockFields{1, 1, 0})); // the clock stage was not asked for

    r = cli(dir, {"write-settings", "--scale", "Весы", "--date", "05.03.04", "--time", "14:07:09", "--yes"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(emu.state().date, (emu::ClockFields{5, 3, 4}));
    EXPECT_EQ(emu.state().time, (emu::ClockFields{14, 7, 9}));
}

TEST(CliSettings, WriteSettingsRefusals)
{
    qmtest::EmuProcess emu(scaleWith(emu::ScaleState{}));
    StartDir dir(emu);
    // Not confirmed: no terminal, no --yes.
    auto r = cli(dir, {"write-settings", "--scale", "Весы", "--offset", "20"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1), line(settingstext::kUnchanged));
    r = cli(dir, {"write-settings", "--scale", "Весы", "--department", "1000", "--yes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, line(settingstext::kBadDepartment));
    r = cli(dir, {"write-settings", "--scale", "Весы", "--date", "31.02.05", "--time", "10:00:00", "--yes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, line(settingstext::kBadDate));
    EXPECT_EQ(emu.state().user, emu::UserSettings{});
    EXPECT_EQ(cli(dir, {"write-settings", "--scale", "Весы", "--date", "05.03.04", "--yes"}).status, 2);
    EXPECT_EQ(cli(dir, {"write-settings", "--scale", "Весы", "--now", "--time", "10:00:00"}).status, 2);
    EXPECT_EQ(cli(dir, {"write-settings", "--scale", "Весы"}).status, 2);
}

TEST(CliSettings, ReadStatusAndFactoryAsJson)
{
    emu::ScaleState state;
    state.status.flags = 0x40;
    state.status.weight = -1000;
    state.factory.capacity = 30000;
    state.factory.weightPoint = 3;
    state.factory.pricePoint = 7;
    state.factory.totalPoint = 3;
    state.factory.tareLimit = 10000;
    qmtest::EmuProcess emu(scaleWith(state));
    StartDir dir(emu);
    auto r = cli(dir, {"read-status", "--scale", "Весы", "--json"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "{\"overload\":false,\"tare\":false,\"zero\":false,\"dual_range\":false,\"stable\":true,"
                     "\"weight\":-1000,\"price\":0,\"total\":0,\"plu\":0}\n");
    r = cli(dir, {"read-factory", "--scale", "Весы", "--json"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "{\"capacity\":30000,\"weight_point\":\"0,00\",\"price_point\":null,\"total_point\":\"0,00\","
                     "\"dual_range\":true,\"division_upper\":5,\"division_lower\":2,\"price_weight\":1000,"
                     "\"rounding\":1,\"tare_limit\":10000}\n");
}

TEST(CliSettings, KeysReadIntoAFileAndWrittenToAnotherScale)
{
    emu::ScaleState state;
    state.priceKeys[0] = 4000;
    state.priceKeys[11] = 300;
    qmtest::EmuProcess first(scaleWith(state));
    StartDir from(first);
    auto r = cli(from, {"read-keys", "--scale", "Весы", "--out", "keys.txt"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string lines = qmtest::fileText(from.path / "keys.txt");
    EXPECT_EQ(lines.substr(0, 15), "1\t4000\n2\t0\n3\t0\n");
    EXPECT_NE(lines.find("\n12\t300\n"), std::string::npos);
    // "--out -" is standard output for these text lines.
    r = cli(from, {"read-keys", "--scale", "Весы", "--out", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, lines);
    EXPECT_FALSE(fs::exists(from.path / "-"));

    emu::ScaleState other;
    other.priceKeys.fill(9);
    qmtest::EmuProcess second(scaleWith(other));
    StartDir to(second);
    fs::copy_file(from.path / "keys.txt", to.path / "keys.txt");
    r = cli(to, {"write-keys", "--scale", "Весы", "keys.txt"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, line(settingstext::kKeysWritten));
    EXPECT_EQ(second.state().priceKeys, state.priceKeys);
}

TEST(CliSettings, WriteKeysChangesOnlyTheKeysItsFileLists)
{
    emu::ScaleState full;
    full.priceKeys.fill(9);
    qmtest::EmuProcess emu(scaleWith(full));
    StartDir dir(emu);
    std::ofstream(dir.path / "one.txt") << "12\t300\n";
    const auto r = cli(dir, {"write-keys", "--scale", "Весы", "one.txt"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    auto expected = full.priceKeys;
    expected[11] = 300;
    EXPECT_EQ(emu.state().priceKeys, expected);
    EXPECT_EQ(emu.received().size(), 54u + 6u) << "every key addressed, one key written";
}

TEST(CliSettings, WriteKeysRefusesABadFileOrCellBeforeSending)
{
    qmtest::EmuProcess emu(scaleWith(emu::ScaleState{}));
    StartDir dir(emu);
    std::ofstream(dir.path / "bad-line.txt") << "1\t5\n55\t6\n";
    auto r = cli(dir, {"write-keys", "--scale", "Весы", "bad-line.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 2"), std::string::npos);
    std::ofstream(dir.path / "bad-cell.txt") << "1\t5\r\n7\t4001\r\n";
    r = cli(dir, {"write-keys", "--scale", "Весы", "bad-cell.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 7, столбец «Номер ячейки»: " + line(settingstext::kBadKeyCell));
    EXPECT_TRUE(emu.received().empty());
}
