// backup and restore of qmscales-cli, run as real processes against emulated scales: a scale
// backed up and restored into an empty scale holds the same things; a damaged or foreign file
// is refused before a byte is sent; a failure midway names what was written and what was not.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "StateBuilder.h"
#include "StateFile.h"
#include "backup/BackupArchive.h"
#include "backup/BackupManifest.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace
{

constexpr int kScale = 4;

// A scale that differs from an empty one in everything a backup keeps: products with every field
// used (a shelf-life date, a message number, names in Cyrillic), messages, settings and a shop
// name other than the defaults, price keys, a logo.
emu::ScaleState fullScale()
{
    emu::StateBuilder builder(kScale);
    for (std::uint32_t n : {1u, 2u, 17u, 4000u}) {
        emu::PluRecord r;
        r.code = 100000 + n;
        r.name1 = emu::scaleName("Колбаса докторская " + std::to_string(n));
        r.name2 = emu::scaleName("в/у");
        r.price = 45990 + n;
        r.shelf = n == 2 ? 10525 : 5;
        r.tare = 20;
        r.group = 7;
        r.message = n == 17 ? 3 : 0;
        builder.plu(n, r);
    }
    builder.message(3, {"Хранить при температуре", "от +2 до +6"}).message(1000, {"Последнее"});
    emu::LogoBytes logo{};
    for (size_t i = 0; i < logo.size(); i += 3)
        logo[i] = static_cast<std::uint8_t>(i * 7);
    builder.logo(logo);
    emu::ScaleState state = builder.state();
    state.user = {123, 12, 3, 15, 0xA5, 250};
    state.shop1 = emu::scaleName("Магазин \"У дома\"");
    state.shop2 = emu::scaleName("ул. Ленина, 5");
    for (size_t k = 0; k < state.priceKeys.size(); ++k)
        state.priceKeys[k] = k % 3 == 0 ? 0 : static_cast<std::uint32_t>(k * 70);
    return state;
}

qmtest::EmuOptions scaleWith(const std::string& stateJson, std::vector<std::string> faults = {})
{
    qmtest::EmuOptions o;
    o.number = kScale;
    o.stateJson = stateJson;
    o.faults = std::move(faults);
    return o;
}

struct StartDir : qmtest::CliStartDir {
    explicit StartDir(const qmtest::EmuProcess& emu) : CliStartDir(&emu, kScale, "Весы") {}
};

// What the scale keeps that a backup takes, from two states.
void expectSameScale(const emu::ScaleState& got, const emu::ScaleState& want)
{
    EXPECT_EQ(got.plu, want.plu);
    EXPECT_EQ(got.messages, want.messages);
    EXPECT_EQ(got.user, want.user);
    EXPECT_EQ(got.shop1, want.shop1);
    EXPECT_EQ(got.shop2, want.shop2);
    EXPECT_EQ(got.priceKeys, want.priceKeys);
    EXPECT_EQ(got.logo, want.logo);
}

// The archive of the full scale, made by the real command (it reads all 4000 product cells and
// 1000 messages). A backup only reads: the scale is left as it was.
std::string backupOfFullScale()
{
    qmtest::EmuProcess source(scaleWith(emu::stateToJson(fullScale())));
    StartDir dir(source);
    const qmtest::CliRun run = dir.cli({"backup", "--scale", "Весы", "--out", "copy.zip"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    expectSameScale(source.state(), fullScale());
    return dir.read("copy.zip");
}

std::map<std::string, std::string> partsOf(const std::string& archive)
{
    std::map<std::string, std::string> out;
    for (const qm::ArchivePart& p : qm::unzipArchive(archive, 16, 1 << 24).parts)
        out[p.name] = p.bytes;
    return out;
}

std::string zipped(const std::map<std::string, std::string>& parts)
{
    std::vector<qm::ArchivePart> list;
    for (const auto& [name, bytes] : parts)
        list.push_back({name, bytes});
    std::string error;
    return qm::zipArchive(list, error).value();
}

// The manifest with the sum of `part` made to match its bytes again.
std::map<std::string, std::string> resummed(std::map<std::string, std::string> parts, const std::string& part)
{
    std::string error;
    qm::BackupManifest manifest = qm::parseManifest(parts["manifest.json"], error).value();
    manifest.sums[part] = qm::sha256Hex(parts[part]);
    parts["manifest.json"] = qm::manifestJson(manifest);
    return parts;
}

qmtest::CliRun restore(const StartDir& dir, const std::string& bytes, bool yes = true)
{
    dir.write("copy.zip", bytes);
    std::vector<std::string> args{"restore", "--scale", "Весы", "copy.zip"};
    if (yes)
        args.push_back("--yes");
    return dir.cli(args);
}

TEST(BackupRestore, ABackupRestoredIntoAnEmptyScaleGivesTheSameScale)
{
    const std::string archive = backupOfFullScale();
    const auto parts = partsOf(archive);
    ASSERT_EQ(parts.size(), 6u);
    std::string error;
    const auto manifest = qm::parseManifest(parts.at("manifest.json"), error);
    ASSERT_TRUE(manifest) << error;
    EXPECT_EQ(manifest->scale, "Весы");
    EXPECT_EQ(manifest->number, kScale);
    for (const char* name : {"products.pl6", "messages.msg", "keys.txt", "settings.txt", "logo.qmi"})
        EXPECT_EQ(manifest->sums.at(name), qm::sha256Hex(parts.at(name))) << name;
    // The program's own files: cell per line as the tabs save, the key lines, the 512-byte logo.
    EXPECT_EQ(parts.at("products.pl6").substr(0, 3), "1\r\n");
    EXPECT_EQ(parts.at("keys.txt").substr(0, 10), "1\t0\n2\t70\n3");
    EXPECT_EQ(parts.at("logo.qmi").size(), 512u);

    qmtest::EmuProcess target(scaleWith(""));
    StartDir dir(target);
    // Without --yes and without a terminal the question is not answered: nothing is sent.
    const qmtest::CliRun refused = restore(dir, archive, false);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--yes"), std::string::npos) << refused.err;
    EXPECT_TRUE(target.received().empty());

    const qmtest::CliRun run = restore(dir, archive);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    expectSameScale(target.state(), fullScale());
}

TEST(BackupRestore, ADamagedFileSendsNothingAndAFailureMidwayNamesWhatWasWritten)
{
    const std::string archive = backupOfFullScale();
    std::map<std::string, std::string> flipped = partsOf(archive);
    flipped["products.pl6"][5] ^= 0x01;
    std::map<std::string, std::string> missing = partsOf(archive);
    missing.erase("keys.txt");
    std::map<std::string, std::string> badRow = partsOf(archive);
    badRow["products.pl6"].replace(badRow["products.pl6"].find("46"), 2, "4x");
    std::string corrupt = archive;
    corrupt[corrupt.size() / 3] = static_cast<char>(corrupt[corrupt.size() / 3] ^ 0x40);
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"a flipped byte in a part", zipped(flipped), "products.pl6"},
        {"a missing part", zipped(missing), "keys.txt"},
        {"a row that fails its check, sum matching", zipped(resummed(badRow, "products.pl6")), "products.pl6"},
        {"a flipped byte in the archive", corrupt, "Файл не принят"},
        {"a foreign archive", zipped({{"readme.txt", "hello"}}), "manifest.json"},
        {"no archive at all", "1\r\nМолоко\r\n", "ZIP"},
    };
    {
        qmtest::EmuProcess target(scaleWith(""));
        StartDir dir(target);
        for (const auto& c : cases) {
            const qmtest::CliRun run = restore(dir, c.bytes);
            const std::string said = run.out + run.err;
            EXPECT_EQ(run.status, 1) << c.name;
            EXPECT_NE(said.find("Файл не принят"), std::string::npos) << c.name << said;
            EXPECT_NE(said.find(c.says), std::string::npos) << c.name << said;
            EXPECT_TRUE(target.received().empty()) << c.name;
        }
    }

    // The scale refuses the first message: settings, shop name and products are written, the
    // keys and the logo never are.
    qmtest::EmuProcess target(scaleWith("", {"nak@0x84#1"}));
    StartDir dir(target);
    const qmtest::CliRun run = restore(dir, archive);
    EXPECT_EQ(run.status, 1);
    const std::string said = run.out + run.err;
    EXPECT_NE(said.find("Записано в весы: настройки пользователя, название магазина, товары."), std::string::npos)
        << said;
    EXPECT_NE(said.find("Не завершено: сообщения."), std::string::npos) << said;
    EXPECT_NE(said.find("Не записано: клавиши цен, логотип."), std::string::npos) << said;
    const emu::ScaleState got = target.state();
    EXPECT_EQ(got.plu, fullScale().plu);
    EXPECT_EQ(got.user, fullScale().user);
    EXPECT_EQ(got.priceKeys, emu::ScaleState{}.priceKeys);
    EXPECT_EQ(got.logo, emu::ScaleState{}.logo);
}

} // namespace
