#include "files/LogoFile.h"

#include "files/FileIo.h"

namespace qm
{

namespace fs = std::filesystem;

LogoFileLoad loadLogoFile(const fs::path& path)
{
    LogoFileLoad load;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        load.error = kLogoOpenFailed + pathText(path);
        return load;
    }
    // Anything but a regular file of 512 bytes is refused before a byte is read.
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) != kLogoFileSize && !ec) {
        load.error = kLogoWrongFormat;
        return load;
    }
    FileRead read = readFileBytes(path, kLogoFileSize);
    if (read.error) {
        load.error = read.error;
        return load;
    }
    if (read.bytes.size() != kLogoFileSize) {
        load.error = kLogoWrongFormat;
        return load;
    }
    load.bytes = std::move(read.bytes);
    return load;
}

std::optional<std::string> saveLogoFile(const fs::path& path, const std::string& bytes)
{
    if (bytes.size() != kLogoFileSize)
        return std::string(kLogoWrongFormat);
    return saveFileAtomically(path, bytes);
}

} // namespace qm
