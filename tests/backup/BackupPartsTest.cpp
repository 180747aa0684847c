// The pieces of a backup file without a scale: settings.txt byte for byte, the archive within its
// limits, the manifest, and the check of every part that a restore runs before it sends anything.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "backup/BackupArchive.h"
#include "backup/BackupManifest.h"
#include "backup/BackupParts.h"
#include "common/Cp1251.h"

namespace
{

const char* const kSettings = "department\t46\n"
                              "label_format\t41\n"
                              "barcode_format\t4\n"
                              "print_offset\t10\n"
                              "options\t59\n"
                              "min_weight\t10\n"
                              "shop1\tA B\n"
                              "shop2\t\n";

TEST(BackupSettingsLines, AreWrittenAndReadBackByteForByte)
{
    const qm::UserSettings settings{46, 41, 4, 10, 59, 10};
    // A TAB or a line break in a shop line read from the scale would break the line: a blank.
    EXPECT_EQ(qm::settingsLines(settings, {"A\tB", ""}), kSettings);
    qm::UserSettings read;
    qm::ShopName shop;
    std::string error;
    ASSERT_TRUE(qm::parseSettingsLines(qm::settingsLines({999, 255, 0, 99, 255, 6000}, {qm::cp("Ёлка  "), "x"}), read,
                                       shop, error))
        << error;
    EXPECT_EQ(read, (qm::UserSettings{999, 255, 0, 99, 255, 6000}));
    EXPECT_EQ(shop.line1, qm::cp("Ёлка  ")); // trailing blanks are the scale's and stay
    EXPECT_EQ(shop.line2, "x");
}

TEST(BackupSettingsLines, ThatTheSettingsTabWouldNotSendAreRefused)
{
    const auto with = [](const std::string& from, const std::string& to) {
        std::string text = kSettings;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        const char* says;
    } cases[] = {
        {with("min_weight\t10\n", ""), "min_weight"},
        {with("options\t59\n", "options\t59\noptions\t59\n"), "options"},
        {with("options\t59\n", "colour\tred\n"), "colour"},
        {with("options\t59\n", "options 59\n"), "options 59"},
        {with("department\t46", "department\t1000"), ""},
        {with("print_offset\t10", "print_offset\t0"), ""},
        {with("options\t59", "options\t256"), "255"},
        {with("label_format\t41", "label_format\t300"), "255"},
        {with("department\t46", "department\tсорок"), ""},
    };
    for (const auto& c : cases) {
        qm::UserSettings settings;
        qm::ShopName shop;
        std::string error;
        EXPECT_FALSE(qm::parseSettingsLines(c.text, settings, shop, error)) << c.text;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_FALSE(error.empty()) << c.text;
    }
}

TEST(BackupArchive, GivesBackItsPartsAndRefusesWhatExceedsItsLimits)
{
    const std::string zeros(size_t{1} << 20, '\0');
    std::string error;
    const auto bytes = qm::zipArchive({{"a.txt", "first"}, {"empty", ""}, {"zeros", zeros}}, error);
    ASSERT_TRUE(bytes) << error;
    // A megabyte of zeros packs small: the limit is on what the part unpacks to.
    EXPECT_LT(bytes->size(), 8192u);
    const qm::ArchiveRead read = qm::unzipArchive(*bytes, 3, zeros.size());
    ASSERT_FALSE(read.error) << *read.error;
    ASSERT_EQ(read.parts.size(), 3u);
    EXPECT_EQ(read.parts[0].name, "a.txt");
    EXPECT_EQ(read.parts[0].bytes, "first");
    EXPECT_EQ(read.parts[1].bytes, "");
    EXPECT_EQ(read.parts[2].bytes, zeros);

    EXPECT_TRUE(qm::unzipArchive(*bytes, 2, zeros.size()).error);     // too many entries
    EXPECT_TRUE(qm::unzipArchive(*bytes, 3, zeros.size() - 1).error); // a part too large
    EXPECT_TRUE(qm::unzipArchive("PK\x03\x04 not really", 3, 100).error);
    EXPECT_TRUE(qm::unzipArchive(bytes->substr(0, bytes->size() - 1), 3, zeros.size()).error);
}

TEST(BackupManifest, ReadsBackWhatItWroteAndRefusesAnotherFormat)
{
    qm::BackupManifest m;
    m.scale = "Весы 1";
    m.number = 12;
    m.date = "2026-12-08 14:05:31";
    m.programVersion = "1.6";
    m.sums["keys.txt"] = qm::sha256Hex("");
    EXPECT_EQ(m.sums["keys.txt"], "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    std::string error;
    const auto read = qm::parseManifest(qm::manifestJson(m), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->scale, m.scale);
    EXPECT_EQ(read->number, 12);
    EXPECT_EQ(read->date, m.date);
    EXPECT_EQ(read->sums, m.sums);

    const auto with = [&m](const std::string& from, const std::string& to) {
        std::string text = qm::manifestJson(m);
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    for (const std::string& foreign :
         {with("qmscales-backup", "other"), with("\"format_version\": 1", "\"format_version\": 2"),
          with("e3b0c4", "E3B0C4"), with("\"number\": 12", "\"number\": \"12\""), std::string("[]"), std::string()})
        EXPECT_FALSE(qm::parseManifest(foreign, error)) << foreign;
}

TEST(BackupParts, EveryPartGoesThroughItsReaderAndCheck)
{
    const std::map<std::string, std::string> good = {
        {"products.pl6", ""},
        {"messages.msg", ""},
        {"keys.txt", "1\t0\n54\t4000\n"},
        {"settings.txt", kSettings},
        {"logo.qmi", std::string(512, '\xF0')},
    };
    std::string error;
    const auto contents = qm::contentsFromParts(good, error);
    ASSERT_TRUE(contents) << error;
    // Empty tables are a scale without records, not a record without a number.
    EXPECT_EQ(contents->productCount(), 0);
    EXPECT_EQ(contents->keys[53], "4000");
    EXPECT_EQ(contents->keys[1], ""); // a key left out keeps what the scale holds
    EXPECT_TRUE(contents->logo.dot(0, 0));
    EXPECT_FALSE(contents->logo.dot(4, 0));

    const struct {
        const char* part;
        std::string bytes;
    } bad[] = {
        {"keys.txt", "1\t4001\n"},
        {"keys.txt", "55\t1\n"},
        {"logo.qmi", std::string(511, '\0')},
        {"products.pl6", "1\r\nName\r\n\r\nprice\r\n"},
        {"messages.msg", "0\r\n"},
    };
    for (const auto& b : bad) {
        auto parts = good;
        parts[b.part] = b.bytes;
        EXPECT_FALSE(qm::contentsFromParts(parts, error)) << b.part << " " << b.bytes;
        EXPECT_NE(error.find(b.part), std::string::npos) << error;
    }
    auto missing = good;
    missing.erase("logo.qmi");
    EXPECT_FALSE(qm::contentsFromParts(missing, error));
    EXPECT_NE(error.find("logo.qmi"), std::string::npos) << error;
}

} // namespace
