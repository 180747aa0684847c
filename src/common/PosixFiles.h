#pragma once
// The POSIX file calls, where the system has them (QM_POSIX_FILES): the file code takes them
// there, and std::filesystem with C stdio elsewhere (Windows).

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define QM_POSIX_FILES 1

#include <filesystem>
#include <system_error>

namespace qm
{

// Opens a file with `flags` (O_NONBLOCK, O_NOCTTY and O_CLOEXEC added; a file O_CREAT makes gets
// 0666 less the umask) and looks at the opened file again: opening never blocks, and a path
// swapped for a FIFO, a device or a directory since an earlier look is refused with its reason.
// The descriptor with its status in `st`, or -1 with `error` set (nothing left open).
int openRegularFile(const std::filesystem::path& path, int flags, struct stat& st, std::error_code& error);

} // namespace qm
#endif
