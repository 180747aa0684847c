#include "common/RegularFile.h"

#include <cerrno>
#include <cstdio>

#include "common/PosixFiles.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

class FileProblemCategory : public std::error_category
{
  public:
    const char* name() const noexcept override { return "qm.file"; }
    std::string message(int value) const override
    {
        switch (static_cast<FileProblem>(value)) {
        case FileProblem::Fifo:
            return "a named pipe, not a regular file";
        case FileProblem::Device:
            return "a device, not a regular file";
        case FileProblem::Socket:
            return "a socket, not a regular file";
        case FileProblem::OtherKind:
            return "not a regular file";
        case FileProblem::TooLarge:
            return "file too large";
        }
        return "file problem";
    }
};

#ifdef QM_POSIX_FILES
std::error_code kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (S_ISFIFO(mode))
        return FileProblem::Fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileProblem::Device;
    if (S_ISSOCK(mode))
        return FileProblem::Socket;
    return FileProblem::OtherKind;
}
#endif

} // namespace

std::error_code lastSystemError()
{
    return {errno ? errno : EIO, std::generic_category()};
}

const std::error_category& fileProblemCategory()
{
    static const FileProblemCategory category;
    return category;
}

std::error_code make_error_code(FileProblem problem)
{
    return {static_cast<int>(problem), fileProblemCategory()};
}

std::string pathText(const fs::path& path)
{
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

std::string fileErrorText(const std::error_code& ec)
{
    if (ec == FileProblem::Fifo)
        return "это канал, а не файл";
    if (ec == FileProblem::Device)
        return "это устройство, а не файл";
    if (ec == FileProblem::Socket)
        return "это сокет, а не файл";
    if (ec == FileProblem::OtherKind)
        return "это не обычный файл";
    if (ec == FileProblem::TooLarge)
        return "файл слишком большой";
    if (ec == std::errc::no_such_file_or_directory)
        return "файл или папка не найдены";
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return "нет доступа";
    if (ec == std::errc::no_space_on_device)
        return "нет места на диске";
    if (ec == std::errc::file_too_large)
        return "превышен допустимый размер файла";
#ifdef EDQUOT
    if (ec.category() == std::generic_category() && ec.value() == EDQUOT)
        return "исчерпана квота диска";
#endif
    if (ec == std::errc::read_only_file_system)
        return "диск доступен только для чтения";
    if (ec == std::errc::is_a_directory)
        return "это папка, а не файл";
    if (ec == std::errc::not_a_directory)
        return "часть пути к файлу не является папкой";
    if (ec == std::errc::too_many_symbolic_link_levels)
        return "слишком много символических ссылок";
    if (ec == std::errc::filename_too_long)
        return "слишком длинное имя файла";
    if (ec == std::errc::io_error)
        return "ошибка ввода-вывода";
    return ec.message();
}

std::string readFailedText(const fs::path& path, const std::error_code& ec)
{
    return "Не удалось прочитать файл \"" + pathText(path) + "\":\r\n" + fileErrorText(ec) + ".";
}

std::error_code regularFileKind(const fs::path& path)
{
#ifdef QM_POSIX_FILES
    struct stat st {
    };
    if (::stat(path.c_str(), &st) != 0)
        return lastSystemError();
    return kindOf(st.st_mode);
#else
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return ec;
    if (fs::is_regular_file(status))
        return {};
    if (fs::is_directory(status))
        return std::make_error_code(std::errc::is_a_directory);
    if (fs::is_fifo(status))
        return FileProblem::Fifo;
    if (fs::is_character_file(status) || fs::is_block_file(status))
        return FileProblem::Device;
    if (fs::is_socket(status))
        return FileProblem::Socket;
    return FileProblem::OtherKind;
#endif
}

#ifdef QM_POSIX_FILES
int openRegularFile(const fs::path& path, int flags, struct stat& st, std::error_code& error)
{
    errno = 0;
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = lastSystemError();
        return -1;
    }
    if (::fstat(fd, &st) != 0)
        error = lastSystemError();
    else
        error = kindOf(st.st_mode);
    if (!error)
        return fd;
    ::close(fd);
    return -1;
}
#endif

std::error_code readRegularFile(const fs::path& path, size_t maxBytes,
                                const std::function<bool(std::string_view)>& piece)
{
    // Looked at before opening: opening a device may already act on it.
    if (const std::error_code kind = regularFileKind(path))
        return kind;
    char buffer[65536];
    size_t total = 0;
#ifdef QM_POSIX_FILES
    struct stat st {
    };
    std::error_code error;
    const int fd = openRegularFile(path, O_RDONLY, st, error);
    if (fd < 0)
        return error;
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        error = FileProblem::TooLarge;
    else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0)
        error = lastSystemError();
    while (!error) {
        errno = 0;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = lastSystemError();
            break;
        }
        if (n == 0)
            break;
        total += static_cast<size_t>(n);
        if (total > maxBytes) {
            error = FileProblem::TooLarge;
            break;
        }
        if (!piece(std::string_view(buffer, static_cast<size_t>(n))))
            break;
    }
    ::close(fd);
    return error;
#else
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec && size > maxBytes)
        return FileProblem::TooLarge;
    errno = 0;
    std::FILE* file = ::_wfopen(path.c_str(), L"rb");
    if (!file)
        return lastSystemError();
    std::error_code error;
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        total += n;
        if (total > maxBytes) {
            error = FileProblem::TooLarge;
            break;
        }
        if (!piece(std::string_view(buffer, n)))
            break;
    }
    if (!error && std::ferror(file))
        error = std::make_error_code(std::errc::io_error);
    std::fclose(file);
    return error;
#endif
}

} // namespace qm
