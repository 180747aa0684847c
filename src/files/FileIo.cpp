#include "files/FileIo.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>

#include "common/PosixFiles.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

constexpr const char* kTemporaryInfix = ".qmsave-";
constexpr size_t kTemporaryRandom = 6;
constexpr const char kRandomLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string sizeText(size_t bytes)
{
    if (bytes >= (size_t{1} << 20) && bytes % (size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + " МБ";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return std::to_string(bytes >> 10) + " КБ";
    return std::to_string(bytes) + " байт";
}

std::string randomPart()
{
    thread_local std::mt19937_64 generator{[] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
               static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kRandomLetters - 2);
    std::string part;
    for (size_t i = 0; i < kTemporaryRandom; ++i)
        part += kRandomLetters[pick(generator)];
    return part;
}

fs::path temporaryName(const fs::path& target)
{
    return target.parent_path() / ("." + target.filename().string() + kTemporaryInfix + randomPart());
}

// Removes what a save of the target's name left behind long enough ago (see FileIo.h).
void removeStaleTemporaries(const fs::path& target)
{
    const std::string name = target.filename().string();
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    const auto now = fs::file_time_type::clock::now();
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path entry = it->path();
        if (!isSaveTemporaryOf(entry.filename().string(), name))
            continue;
        std::error_code e;
        if (!fs::is_regular_file(fs::symlink_status(entry, e)) || e)
            continue;
        const auto written = fs::last_write_time(entry, e);
        if (e || now - written < kStaleTemporaryAge)
            continue;
#ifdef QM_POSIX_FILES
        struct stat st {
        };
        if (::lstat(entry.c_str(), &st) != 0 || st.st_uid != ::geteuid())
            continue;
#endif
        fs::remove(entry, e);
    }
}

#ifdef QM_POSIX_FILES

// The file a save of `path` writes: a symbolic link is followed to its target (a relative
// target belongs to the link's folder), which need not exist yet.
fs::path resolvedTarget(const fs::path& path, std::error_code& ec)
{
    fs::path target = path;
    for (int depth = 0;; ++depth) {
        struct stat st {
        };
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno != ENOENT)
                ec = lastSystemError();
            return target;
        }
        if (!S_ISLNK(st.st_mode))
            return target;
        if (depth == 40) {
            ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
            return target;
        }
        const fs::path link = fs::read_symlink(target, ec);
        if (ec)
            return target;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        errno = 0;
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Writes the bytes to a new temporary file beside the target and renames it onto the target.
std::error_code replaceFile(const fs::path& target, std::string_view bytes)
{
    // Only a regular file is replaced: never a directory, a FIFO or a device.
    const std::error_code kind = regularFileKind(target);
    if (kind && kind != std::errc::no_such_file_or_directory)
        return kind;
    struct stat old {
    };
    const bool exists = !kind && ::stat(target.c_str(), &old) == 0;
    removeStaleTemporaries(target);

    // A name no other file has: O_EXCL creates only a file that does not exist yet. A new file
    // gets the permissions the umask leaves of 0666, as any file the program creates.
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(target);
        errno = 0;
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return lastSystemError();
    if (exists) {
        // The owner first: a change of owner clears the set-user-ID bits the mode then restores.
        // Only a privileged program may give a file away; otherwise the saving user owns it.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }
    std::error_code error;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        error = lastSystemError();
    if (::close(fd) != 0 && !error)
        error = lastSystemError();
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0)
        error = lastSystemError();
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    // The rename itself on the disk, so that a power loss does not bring the old file back.
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

#else

fs::path resolvedTarget(const fs::path& path, std::error_code&)
{
    return path;
}

std::error_code replaceFile(const fs::path& target, std::string_view bytes)
{
    std::error_code ec;
    const std::error_code kind = regularFileKind(target);
    if (kind && kind != std::errc::no_such_file_or_directory)
        return kind;
    removeStaleTemporaries(target);
    std::FILE* file = nullptr;
    fs::path temp;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temp = temporaryName(target);
        errno = 0;
        file = ::_wfopen(temp.c_str(), L"wbx");
        if (!file && errno != EEXIST)
            break;
    }
    if (!file)
        return lastSystemError();
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    std::error_code error = written ? std::error_code() : lastSystemError();
    if (std::fclose(file) != 0 && !error)
        error = std::make_error_code(std::errc::io_error);
    if (!error)
        fs::rename(temp, target, error);
    if (error)
        fs::remove(temp, ec);
    return error;
}

#endif

} // namespace

std::string saveFailedText(const fs::path& path, const std::error_code& ec)
{
    return "Не удалось сохранить файл \"" + pathText(path) + "\":\r\n" + fileErrorText(ec) +
           ".\r\nПрежний файл не изменен.";
}

bool isSaveTemporaryOf(const std::string& fileName, const std::string& targetName)
{
    const std::string prefix = "." + targetName + kTemporaryInfix;
    if (fileName.size() != prefix.size() + kTemporaryRandom || fileName.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < fileName.size(); ++i)
        if (std::string_view(kRandomLetters).find(fileName[i]) == std::string_view::npos)
            return false;
    return true;
}

FileRead readFileBytes(const fs::path& path, size_t maxBytes)
{
    FileRead result;
    const std::error_code ec = readRegularFile(path, maxBytes, [&result](std::string_view piece) {
        result.bytes.append(piece);
        return true;
    });
    if (ec) {
        result.bytes.clear();
        result.error = ec == FileProblem::TooLarge
                           ? "Не удалось прочитать файл \"" + pathText(path) + "\":\r\nфайл больше " +
                                 sizeText(maxBytes) + ", а файл этого вида не бывает таким большим."
                           : readFailedText(path, ec);
    }
    return result;
}

std::optional<std::string> saveFileAtomically(const fs::path& path, std::string_view bytes)
{
    std::error_code ec;
    const fs::path target = resolvedTarget(path, ec);
    if (!ec)
        ec = replaceFile(target, bytes);
    if (ec)
        return saveFailedText(path, ec);
    return std::nullopt;
}

} // namespace qm
