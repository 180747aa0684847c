#include "files/SettingsFile.h"

#include "files/FileIo.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{
fs::path settingsPath(const fs::path& startDirectory)
{
    return startDirectory / kSettingsFileName;
}
} // namespace

std::optional<std::string> NewFormFile(const fs::path& startDirectory)
{
    return saveFileAtomically(settingsPath(startDirectory), serializeSettings(AppSettings()));
}

SettingsLoad OpenFormFile(const fs::path& startDirectory)
{
    SettingsLoad load;
    const fs::path path = settingsPath(startDirectory);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        load.error = NewFormFile(startDirectory);
        load.createdDefault = !load.error;
        return load; // the defaults are exactly what the new file holds
    }
    const FileRead file = readFileBytes(path);
    if (file.error) {
        load.error = file.error;
        return load;
    }
    load.settings = parseSettings(file.bytes);
    return load;
}

std::optional<std::string> SaveFormFile(const fs::path& startDirectory, const AppSettings& settings)
{
    return saveFileAtomically(settingsPath(startDirectory), serializeSettings(settings));
}

} // namespace qm
