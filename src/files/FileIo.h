#pragma once
// Whole-file reads and atomic saves. Every save writes a temporary file beside the target and
// renames it into place, so a failed save leaves the old file whole and never a half file.
// Failures come back as a message for the user (UTF-8, naming the file), never as an exception.
//
// Reads take regular files only (common/RegularFile.h): a FIFO, a device or a directory is
// refused at once, and no read goes past its limit of bytes.
//
// Saves write through a symbolic link to its target, keep the old file's permissions (and its
// owner where the system permits), refuse a target that is a directory, a FIFO or a device, and
// write each temporary file under a name of its own: ".NAME.qmsave-XXXXXX" beside the target
// (six random letters and digits). A temporary of that pattern left by a save that never ended
// (the program was killed, the machine lost power) is removed by a later save of the same name
// once it is older than kStaleTemporaryAge, and only when it is a regular file of the same
// owner: a save in progress is never that old, and nothing of another pattern is touched.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "common/RegularFile.h"

namespace qm
{

struct FileRead {
    std::string bytes;
    std::optional<std::string> error; // set when the file could not be read
};

// The bytes a whole-file read takes unless its caller says otherwise.
inline constexpr size_t kMaxReadBytes = size_t{16} << 20;

// A file larger than maxBytes is refused with the message, before its bytes are read.
FileRead readFileBytes(const std::filesystem::path& path, size_t maxBytes = kMaxReadBytes);

// nullopt on success, else the message for the user.
std::optional<std::string> saveFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The message of a failed save: "Не удалось сохранить файл \"PATH\":\r\nREASON.\r\nПрежний файл
// не изменен."
std::string saveFailedText(const std::filesystem::path& path, const std::error_code& ec);

inline constexpr std::chrono::minutes kStaleTemporaryAge{10};

// True when the file name has the pattern of the temporary files of a save of `target`'s name.
bool isSaveTemporaryOf(const std::string& fileName, const std::string& targetName);

// pathText (the path as UTF-8 text for messages) is declared in common/RegularFile.h.

} // namespace qm
