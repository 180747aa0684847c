#pragma once
// The settings file "qm1_6.cfg" in the start directory: written with defaults when missing,
// read once at start-up, written again at every allowed shutdown.

#include <filesystem>
#include <optional>
#include <string>

#include "files/AppSettings.h"

namespace qm
{

// `NewFormFile`: writes the default file (46 lines). nullopt on success, else the message.
std::optional<std::string> NewFormFile(const std::filesystem::path& startDirectory);

struct SettingsLoad {
    AppSettings settings;
    bool createdDefault = false;      // the file was missing and the default file was written
    std::optional<std::string> error; // UTF-8; the settings are then the defaults
    // The file is there but could not be read whole (no access, too large, a FIFO, a device, a
    // directory): what it keeps, the configuration rows above all, is known only to the file, so
    // the close must leave it as it is rather than write the defaults over it.
    bool leaveFile = false;
};

// Reads the settings file of the directory and writes nothing: a missing file, one that is no
// regular file or cannot be read gives the defaults and the message. A file longer than the
// settings and the most configuration rows (kMaxConfigRows), or with a line too long, gives what
// was read before and the message.
SettingsLoad readFormFile(const std::filesystem::path& startDirectory);

// `OpenFormFile`: writes the default file first when the file is missing, then reads it. A
// directory that cannot be written or a file that cannot be read gives the defaults and the
// message, never a failed start.
SettingsLoad OpenFormFile(const std::filesystem::path& startDirectory);

// `SaveFormFile`: nullopt on success, else the message. A failure must not keep the program
// from closing: the caller shows it once and closes.
std::optional<std::string> SaveFormFile(const std::filesystem::path& startDirectory, const AppSettings& settings);

} // namespace qm
