#pragma once
// Reading a file that must be a regular file. A FIFO, a device, a socket or a directory named
// as a table file, a configuration file, "ports.cfg" or "qm1_6.cfg" is refused at once with its
// own reason, before and after opening: opening never blocks (a FIFO without a writer, a serial
// port waiting for its carrier) and nothing but a regular file is ever read. A file larger than
// its reader allows is refused without reading it whole.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace qm
{

// Reasons of the program's own beside the system's error codes.
enum class FileProblem {
    Fifo = 1,  // a named pipe
    Device,    // a character or block device
    Socket,    // a local socket
    OtherKind, // anything else that is not a regular file
    TooLarge,  // more bytes than the reader allows
};
const std::error_category& fileProblemCategory();
std::error_code make_error_code(FileProblem problem);

} // namespace qm

namespace std
{
template <> struct is_error_code_enum<qm::FileProblem> : true_type {
};
} // namespace std

namespace qm
{

// The path as UTF-8 text for messages.
std::string pathText(const std::filesystem::path& path);

// The reason of a failed read or save for the person, UTF-8, without a full stop ("нет доступа",
// "это канал, а не файл").
std::string fileErrorText(const std::error_code& ec);

// "Не удалось прочитать файл \"PATH\":\r\nREASON."
std::string readFailedText(const std::filesystem::path& path, const std::error_code& ec);

// errno as an error code (EIO when errno says nothing), right after a failed system call.
std::error_code lastSystemError();

// Empty when the path (symbolic links followed) names a regular file; else why it cannot be read
// as one: no_such_file_or_directory, is_a_directory, FileProblem::Fifo …
std::error_code regularFileKind(const std::filesystem::path& path);

// Reads a regular file in pieces handed to `piece` in order; `piece` returns false to stop
// reading there (no error). A file of more than `maxBytes` bytes fails with FileProblem::TooLarge:
// at once when its size says so, else as soon as the bytes read pass the limit (a file that grows
// while it is read). Returns the error, empty on success.
std::error_code readRegularFile(const std::filesystem::path& path, size_t maxBytes,
                                const std::function<bool(std::string_view)>& piece);

} // namespace qm
