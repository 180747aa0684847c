#pragma once
// What a backup keeps of a scale, and its parts in the program's own file formats, so that a
// person can open each one in its tab:
//   products.pl6  the product records (the .pl6 cell-per-line file)
//   messages.msg  the messages (the .msg file)
//   keys.txt      the 54 price keys as "KEY<TAB>CELL" lines
//   settings.txt  the user settings and the shop name (settings/ lines below)
//   logo.qmi      the logo (the 512-byte .qmi file)
// Read back, each part goes through its own reader and its row check, so that a restore knows
// every record will be taken before the first byte is sent.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "backup/BackupArchive.h"
#include "common/Table.h"
#include "logo/LogoPicture.h"
#include "settings/UserSettingsCodec.h"

namespace qm
{

inline constexpr const char* kProductsPart = "products.pl6";
inline constexpr const char* kMessagesPart = "messages.msg";
inline constexpr const char* kKeysPart = "keys.txt";
inline constexpr const char* kSettingsPart = "settings.txt";
inline constexpr const char* kLogoPart = "logo.qmi";
inline constexpr const char* kManifestPart = "manifest.json";

// The five data parts in the order the archive holds them.
const std::vector<std::string>& backupPartNames();

struct ScaleContents {
    Table products;                // the records read, product layout; no data row when the scale holds none
    Table messages;                // message layout, likewise
    std::vector<std::string> keys; // cells of keys 1..54, code page 1251
    UserSettings settings;
    ShopName shop;
    LogoPicture logo;

    int productCount() const;
    int messageCount() const;
};

// The records of a read table: its data rows that hold a number (a read leaves one empty row
// when the scale holds nothing).
std::vector<Row> recordRows(const Table& table);

// The five parts of the contents, in the order of backupPartNames().
std::vector<ArchivePart> contentParts(const ScaleContents& contents);

// The contents from the parts (by name), each through its reader and its check; nullopt with
// `error` naming the part (and the row) that would not be taken.
std::optional<ScaleContents> contentsFromParts(const std::map<std::string, std::string>& parts, std::string& error);

// settings.txt: one "NAME<TAB>VALUE" line each for department, label_format, barcode_format,
// print_offset, options, min_weight (decimal) and shop1, shop2 (the 28 characters as the scale
// holds them, code page 1251 like every text file of the program).
std::string settingsLines(const UserSettings& settings, const ShopName& shop);
// Every name given once, numbers that the settings tab would send; nullopt with `error` otherwise.
bool parseSettingsLines(const std::string& text, UserSettings& settings, ShopName& shop, std::string& error);

} // namespace qm
