#include "files/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace qm
{

namespace fs = std::filesystem;

namespace
{

std::string reasonText(const std::error_code& ec)
{
    if (ec == std::errc::no_such_file_or_directory)
        return "файл или папка не найдены";
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return "нет доступа";
    if (ec == std::errc::no_space_on_device)
        return "нет места на диске";
    if (ec == std::errc::read_only_file_system)
        return "диск доступен только для чтения";
    if (ec == std::errc::is_a_directory)
        return "это папка, а не файл";
    return ec.message();
}

std::string openFailed(const fs::path& path, const std::error_code& ec)
{
    return "Не удалось прочитать файл \"" + pathText(path) + "\":\r\n" + reasonText(ec) + ".";
}

std::string saveFailed(const fs::path& path, const std::error_code& ec)
{
    return "Не удалось сохранить файл \"" + pathText(path) + "\":\r\n" + reasonText(ec) +
           ".\r\nПрежний файл не изменен.";
}

std::FILE* openFile(const fs::path& path, const char* mode)
{
#ifdef _WIN32
    const std::string m(mode);
    return ::_wfopen(path.c_str(), std::wstring(m.begin(), m.end()).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::error_code lastError()
{
    return {errno ? errno : EIO, std::generic_category()};
}

// Flushes the stream and, where the system offers it, the file's data to the disk, so that the
// rename never puts a file in place whose bytes are still only in memory.
bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#if defined(__unix__) || defined(__APPLE__)
    if (::fsync(::fileno(file)) != 0)
        return false;
#endif
    return true;
}

} // namespace

std::string pathText(const fs::path& path)
{
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

FileRead readFileBytes(const fs::path& path)
{
    FileRead result;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        result.error = openFailed(path, std::make_error_code(std::errc::is_a_directory));
        return result;
    }
    errno = 0;
    std::FILE* file = openFile(path, "rb");
    if (!file) {
        result.error = openFailed(path, lastError());
        return result;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        result.bytes.append(buffer, n);
    if (std::ferror(file))
        result.error = openFailed(path, lastError());
    std::fclose(file);
    return result;
}

std::optional<std::string> saveFileAtomically(const fs::path& path, std::string_view bytes)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return saveFailed(path, std::make_error_code(std::errc::is_a_directory));

    // A fresh temporary name beside the target: "x" opens only a file that does not exist yet.
    std::FILE* file = nullptr;
    fs::path temp;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temp = path;
        temp += ".tmp" + std::to_string(attempt);
        errno = 0;
        file = openFile(temp, "wbx");
        if (!file && errno != EEXIST)
            break;
    }
    if (!file)
        return saveFailed(path, lastError());

    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
    const std::error_code writeError = lastError();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        fs::remove(temp, ec);
        return saveFailed(path, written ? lastError() : writeError);
    }
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return saveFailed(path, ec);
    }
    return std::nullopt;
}

} // namespace qm
