#pragma once
// The backup of a whole scale into one file and its restore: "Резервная копия весов…" and
// "Восстановить из копии…" of the menu "Подключения", `backup` and `restore` of the command line.
// Both run the subjects' own operations one after another on an inner session over the same
// line (PartFeedback.h), so every record is read and written exactly as the tabs do it.
//
// A backup reads the user settings and shop name, all product cells, all messages, the 54 price
// keys and the logo, and only when all of them came saves the archive (BackupParts.h,
// BackupManifest.h) atomically: a failed or stopped backup leaves an older file whole.
//
// A restore first checks the whole file: the archive, the manifest, the sum of every part and
// every part through its reader and row check; a damaged or foreign file is refused before the
// scale is addressed. Then it asks its one question, naming what will be overwritten, and
// writes the user settings, the shop name, the products, the messages, the price keys and the
// logo in that order. A failure or a stop ends it at once, and its message names the parts
// written, the part cut short and the parts not written.

#include <filesystem>
#include <optional>
#include <string>

#include "backup/BackupManifest.h"
#include "backup/BackupParts.h"
#include "operation/ScaleOperation.h"

namespace qm
{

// The most bytes a backup file may have: the largest product and message tables compress to a
// fraction of this.
inline constexpr size_t kMaxBackupBytes = size_t{16} << 20;

OperationResult backupScale(const ScaleLink& link, const std::filesystem::path& path);

struct CheckedBackup {
    BackupManifest manifest;
    ScaleContents contents;
};
// The whole check of a backup file; nullopt with `error` (UTF-8, for the user) when refused.
std::optional<CheckedBackup> checkBackupFile(const std::filesystem::path& path, std::string& error);

OperationResult restoreScale(const ScaleLink& link, const std::filesystem::path& path);

} // namespace qm
