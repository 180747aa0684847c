#include "autoload/LoadQueue.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/TableFiles.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The queue extension, or empty for a load file without a queue.
std::string queueExtension(const std::string& extension)
{
    if (extension == ".plu")
        return ".que";
    if (extension == ".pl6")
        return ".qu6";
    if (extension == ".msg")
        return ".qum";
    return {};
}

bool present(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

} // namespace

std::vector<fs::path> FileList(const fs::path& loadFile)
{
    std::vector<fs::path> slots(kQueueSlots);
    const std::string extension = extensionOf(loadFile);
    const std::string queue = queueExtension(extension);
    if (queue.empty())
        return slots;
    const std::string name = loadFile.filename().string();
    const std::string base = name.substr(0, name.size() - extension.size());
    for (int k = 0; k < kQueueSlots; ++k) {
        const char digits[] = {'_', static_cast<char>('0' + k / 10), static_cast<char>('0' + k % 10), '\0'};
        slots[static_cast<size_t>(k)] = loadFile.parent_path() / (base + digits + queue);
    }
    return slots;
}

bool renameNoReplace(const fs::path& from, const fs::path& to)
{
#ifdef _WIN32
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists, in one call: a
    // look first and std::filesystem::rename after would replace a file made in between.
    return ::MoveFileExW(from.c_str(), to.c_str(), 0) != 0;
#else
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // A file system without the no-replace rename: a hard link fails when the target exists,
    // and the old name goes only once the new one is in place.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
#endif
}

void QuePlu(const fs::path& loadFile)
{
    if (present(loadFile))
        return;
    const std::vector<fs::path> slots = FileList(loadFile);
    if (slots.front().empty())
        return;
    if (present(slots[0]))
        renameNoReplace(slots[0], loadFile);
    for (int k = 1; k < kQueueSlots; ++k)
        if (present(slots[static_cast<size_t>(k)]))
            renameNoReplace(slots[static_cast<size_t>(k)], slots[static_cast<size_t>(k - 1)]);
}

} // namespace qm
