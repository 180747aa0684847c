#pragma once
// The logo file (.qmi): exactly the 512 bytes of the packed logo, with no header and no trailer
// (the packing is in logo/LogoCodec.h). A file of any other size is refused.

#include <filesystem>
#include <optional>
#include <string>

namespace qm
{

inline constexpr std::size_t kLogoFileSize = 512;

inline const char* const kLogoOpenFailed = "Ошибка открытия файла ";
inline const char* const kLogoWrongFormat = "Формат выбранного файла не соответствует нужному формату.";

struct LogoFileLoad {
    std::string bytes;                // the 512 bytes
    std::optional<std::string> error; // set when the file is missing, unreadable or of another size
};

// A missing file: "Ошибка открытия файла " and its name; another size: the format message.
LogoFileLoad loadLogoFile(const std::filesystem::path& path);

// Saved atomically: a failed save leaves an older file whole. `bytes` must be 512 bytes.
std::optional<std::string> saveLogoFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace qm
