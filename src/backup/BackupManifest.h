#pragma once
// manifest.json of a backup: which scale it is of (the chooser's name and the scale number),
// when and by which version of the program it was made, and the SHA-256 sum of every part, so
// that a restore can tell a whole copy from a damaged or foreign one before it sends anything.
//
//   {"format": "qmscales-backup", "format_version": 1, "scale": "Касса 1", "number": 3,
//    "date": "2026-12-08 14:05:31", "program_version": "1.6",
//    "parts": {"products.pl6": "<64 hex digits>", ...}}

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qm
{

inline constexpr const char* kBackupFormat = "qmscales-backup";
inline constexpr int kBackupFormatVersion = 1;

struct BackupManifest {
    std::string scale; // UTF-8
    int number = 0;
    std::string date;                        // "YYYY-MM-DD HH:MM:SS", local time
    std::string programVersion;              // of the program that made the copy
    std::map<std::string, std::string> sums; // part name -> SHA-256 in lower-case hex
};

// The SHA-256 of the bytes in lower-case hex.
std::string sha256Hex(std::string_view bytes);

// The version of this program, as the manifests it writes give it.
std::string programVersion();

std::string manifestJson(const BackupManifest& manifest);

// nullopt with `error` (UTF-8) for text that is no manifest of this format: no JSON object,
// another format name or a later format version, a field missing or of another type.
std::optional<BackupManifest> parseManifest(std::string_view json, std::string& error);

} // namespace qm
