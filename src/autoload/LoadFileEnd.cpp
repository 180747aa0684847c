#include "autoload/LoadFileEnd.h"

#include <cstdio>

#include "autoload/LoadQueue.h"
#include "common/LocalTime.h"
#include "files/FileIo.h"
#include "files/TableFiles.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

bool present(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// "MEAT.kept-20260107-150405.pl6", then "-2", "-3" ... while a name is taken: the extension
// stays, so the file still opens as what it is.
fs::path keptName(const fs::path& loadFile, const std::string& when, int attempt)
{
    const std::string name = loadFile.filename().string();
    const std::string extension = extensionOf(loadFile);
    const std::string base = name.substr(0, name.size() - extension.size());
    const std::string suffix = attempt > 1 ? "-" + std::to_string(attempt) : std::string();
    return loadFile.parent_path() / (base + ".kept-" + when + suffix + extension);
}

// The file at the private name goes back under the load name; a newer file there wins the name
// and the private one is kept beside it. When even that cannot be renamed, it waits at the
// private name for the next cycle's start.
FileEnd putBack(const fs::path& loadFile, const fs::path& taken)
{
    FileEnd end;
    if (renameNoReplace(taken, loadFile) || !present(taken))
        return end;
    const std::string when = timeText(localTimeNow(), "%Y%m%d-%H%M%S");
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const fs::path kept = keptName(loadFile, when, attempt);
        if (renameNoReplace(taken, kept)) {
            end.keptAs = kept;
            return end;
        }
    }
    return end;
}

} // namespace

fs::path takenName(const fs::path& loadFile)
{
    return loadFile.parent_path() / ("." + loadFile.filename().string() + ".qmscales-taken");
}

FileEnd deleteIfLoaded(const fs::path& loadFile, const std::string& loaded)
{
    const fs::path taken = takenName(loadFile);
    if (!renameNoReplace(loadFile, taken))
        return {};
    // One byte more than was loaded tells a longer file without reading all of it.
    const FileRead now = readFileBytes(taken, loaded.size() + 1);
    if (!now.error && now.bytes == loaded) {
        std::error_code ec;
        if (fs::remove(taken, ec)) {
            FileEnd end;
            end.deleted = true;
            return end;
        }
    }
    return putBack(loadFile, taken);
}

FileEnd takeBackLeftover(const fs::path& loadFile)
{
    const fs::path taken = takenName(loadFile);
    if (!present(taken))
        return {};
    return putBack(loadFile, taken);
}

} // namespace qm
