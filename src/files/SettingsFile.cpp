#include "files/SettingsFile.h"

#include "common/TableColumns.h"
#include "files/CellFile.h"
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
    return readFormFile(startDirectory);
}

SettingsLoad readFormFile(const fs::path& startDirectory)
{
    SettingsLoad load;
    TableLines read = readTableLines(settingsPath(startDirectory), static_cast<size_t>(kSettingsLines), kConfigColumns,
                                     static_cast<size_t>(kMaxConfigRows));
    if (!read.lines.empty())
        load.settings = parseSettingsLines(read.lines);
    load.error = std::move(read.error);
    std::error_code ec;
    load.leaveFile = load.error && fs::exists(fs::symlink_status(settingsPath(startDirectory), ec));
    return load;
}

std::optional<std::string> SaveFormFile(const fs::path& startDirectory, const AppSettings& settings)
{
    return saveFileAtomically(settingsPath(startDirectory), serializeSettings(settings));
}

} // namespace qm
