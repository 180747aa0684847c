#pragma once
// Whole-file reads and atomic saves. Every save writes a temporary file beside the target and
// renames it into place, so a failed save leaves the old file whole and never a half file.
// Failures come back as a message for the user (UTF-8, naming the file), never as an exception.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qm
{

struct FileRead {
    std::string bytes;
    std::optional<std::string> error; // set when the file could not be read
};

FileRead readFileBytes(const std::filesystem::path& path);

// nullopt on success, else the message for the user.
std::optional<std::string> saveFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The path as UTF-8 text for messages.
std::string pathText(const std::filesystem::path& path);

} // namespace qm
