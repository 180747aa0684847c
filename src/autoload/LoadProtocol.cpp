#include "autoload/LoadProtocol.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "autoload/AutoloadTexts.h"
#include "common/Cp1251.h"
#include "common/LocalTime.h"
#include "common/PosixFiles.h"
#include "common/RegularFile.h"

namespace qm
{

namespace
{

std::mutex g_protocolMutex;

std::string appendFailed(const std::filesystem::path& path, const std::error_code& ec)
{
    return "Не удалось дописать строку в файл протокола \"" + pathText(path) + "\":\r\n" + fileErrorText(ec) +
           ".\r\nПрежние строки протокола не изменены.";
}

std::string createFailed(const std::filesystem::path& path, const std::error_code& ec)
{
    return "Не удалось создать файл протокола \"" + pathText(path) + "\":\r\n" + fileErrorText(ec) + ".";
}

} // namespace

Stamp stampNow()
{
    const std::tm local = localTimeNow();
    // Numeric fields only: the same text under every locale.
    return {timeText(local, "%d.%m.%Y"), timeText(local, "%H:%M:%S")};
}

std::string protocolLine(LoadLine line, LoadKind kind, const std::string& name, int row, const Stamp& stamp)
{
    namespace t = autoloadtext;
    const std::string file = cp(kind == LoadKind::Products ? t::kProductFile : t::kMessageFile);
    std::string out;
    switch (line) {
    case LoadLine::BadConfig:
        out = cp(t::kBadConfigBefore) + name;
        break;
    case LoadLine::PortUnavailable:
        out = cp(t::kPortBefore) + name + cp(t::kPortAfter);
        break;
    case LoadLine::NoLink:
        out = cp(t::kNoLinkBefore) + name + cp(t::kNoLinkAfter);
        break;
    case LoadLine::NoAck:
        out = cp(t::kNoAckBefore) + name;
        break;
    case LoadLine::ExchangeFailed:
        out = cp(t::kExchangeBefore) + name;
        break;
    case LoadLine::ProductsLoaded:
        out = cp(t::kLoadedBefore) + name + cp(t::kProductsLoadedAfter);
        break;
    case LoadLine::MessagesLoaded:
        out = cp(t::kLoadedBefore) + name + cp(t::kMessagesLoadedAfter);
        break;
    case LoadLine::BadRow:
        out = cp(t::kBadRowBefore) + std::to_string(row) + cp(t::kBadRowFile) + file + cp(t::kForScale) + name;
        break;
    case LoadLine::EmptyFile:
        out = cp(t::kFileBefore) + file + cp(t::kForScale) + name + cp(t::kEmptyAfter);
        break;
    case LoadLine::UnreadableFile:
        out = cp(t::kFileBefore) + file + cp(t::kForScale) + name + cp(t::kUnreadableAfter);
        break;
    case LoadLine::Stopped:
        out = cp(t::kStoppedBefore) + name + cp(t::kStoppedAfter);
        break;
    case LoadLine::Broken:
        out = cp(t::kBrokenBefore) + name;
        break;
    case LoadLine::SnapshotFailed:
        out = cp(t::kSnapshotBefore) + name + cp(t::kSnapshotAfter);
        break;
    }
    return out + t::kDash + stamp.date + t::kStampGap + stamp.time;
}

std::string keptFileLine(const std::filesystem::path& file, const std::filesystem::path& kept, const Stamp& stamp)
{
    namespace t = autoloadtext;
    // A name code page 1251 cannot hold is written as the platform spells it.
    const auto named = [](const std::filesystem::path& path) {
        const std::string text = pathText(path);
        return utf8ToCp1251(text).value_or(text);
    };
    return cp(t::kKeptBefore) + named(file) + cp(t::kKeptMiddle) + named(kept.filename()) + t::kDash + stamp.date +
           t::kStampGap + stamp.time;
}

std::string loadedEntry(const std::string& name, const Stamp& stamp)
{
    return name + autoloadtext::kDash + stamp.date + autoloadtext::kEntryGap + stamp.time;
}

bool appendProtocolLine(const std::filesystem::path& startDirectory, const std::string& line)
{
    return !appendToProtocol(startDirectory, line);
}

std::optional<std::string> appendToProtocol(const std::filesystem::path& startDirectory, const std::string& line)
{
    const std::filesystem::path path = startDirectory / kProtocolFileName;
    const std::string bytes = line + "\r\n";
    const std::lock_guard<std::mutex> lock(g_protocolMutex);
    if (const std::error_code ec = regularFileKind(path); ec && ec != std::errc::no_such_file_or_directory)
        return appendFailed(path, ec);
#ifdef QM_POSIX_FILES
    // One write in append mode: another program appending at the same time (the window and the
    // service side by side) cannot split the line.
    struct stat st {
    };
    std::error_code error;
    const int fd = openRegularFile(path, O_WRONLY | O_APPEND | O_CREAT, st, error);
    if (fd < 0)
        return appendFailed(path, error);
    const auto before = st.st_size;
    ssize_t written = 0;
    errno = 0;
    do
        written = ::write(fd, bytes.data(), bytes.size());
    while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(bytes.size())) {
        error = written < 0 || errno != 0 ? lastSystemError() : std::make_error_code(std::errc::no_space_on_device);
        // A part of the line would run into the next line: taken back, unless another program
        // appended after it meanwhile.
        struct stat now {
        };
        if (written > 0 && ::fstat(fd, &now) == 0 && now.st_size == before + written)
            (void)::ftruncate(fd, before);
    }
    if (::close(fd) != 0 && !error)
        error = lastSystemError();
    if (error)
        return appendFailed(path, error);
    return std::nullopt;
#else
    std::FILE* file = ::_wfopen(path.c_str(), L"ab");
    if (!file)
        return appendFailed(path, lastSystemError());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written)
        return appendFailed(path, std::make_error_code(std::errc::io_error));
    return std::nullopt;
#endif
}

std::optional<std::string> createProtocolFile(const std::filesystem::path& startDirectory)
{
    const std::filesystem::path path = startDirectory / kProtocolFileName;
    const std::lock_guard<std::mutex> lock(g_protocolMutex);
    const std::error_code kind = regularFileKind(path);
    if (!kind)
        return std::nullopt;
    if (kind != std::errc::no_such_file_or_directory)
        return createFailed(path, kind);
#ifdef QM_POSIX_FILES
    errno = 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return createFailed(path, lastSystemError());
    if (::close(fd) != 0)
        return createFailed(path, lastSystemError());
#else
    std::FILE* file = ::_wfopen(path.c_str(), L"ab");
    if (!file || std::fclose(file) != 0)
        return createFailed(path, lastSystemError());
#endif
    return std::nullopt;
}

} // namespace qm
