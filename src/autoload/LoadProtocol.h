#pragma once
// The protocol file of automatic loading, "protocol.txt" in the start directory: one line per
// load outcome in code page 1251, each ended by CR LF, only ever appended. Every line ends with
// "  -  " DD.MM.YYYY "  " HH:MM:SS, the time the line was written, whatever the machine's locale.

#include <filesystem>
#include <optional>
#include <string>

namespace qm
{

inline constexpr const char* kProtocolFileName = "protocol.txt";

// The moment a line or list entry is written: "07.12.2026" and "15:04:05".
struct Stamp {
    std::string date;
    std::string time;
};
Stamp stampNow();

// What a load ended with; each kind has its protocol line.
enum class LoadLine {
    BadConfig,       // P1: the scale row fails the configuration check
    PortUnavailable, // P2: the port cannot be opened
    NoLink,          // P3: the scale does not answer its addressing (or the line failed)
    NoAck,           // P4: a record was not acknowledged
    ExchangeFailed,  // P5: the virtual range refused, or the paced transfer gave up
    ProductsLoaded,  // P6
    MessagesLoaded,  // P7
    BadRow,          // a row of the load file fails its check or holds no number
    EmptyFile,       // the load file holds no row
    UnreadableFile,  // the load file cannot be read
    Stopped,         // auto mode was switched off or the service stopped during the load
    Broken,          // an unexpected fault of the program ended the load
    SnapshotFailed,  // the cells the load would overwrite could not be read or saved: no load
};

enum class LoadKind { Products, Messages };

// The protocol line without its CR LF, in code page 1251. `name` is the scale name as the
// configuration table holds it (code page 1251); `row` is the data row of BadRow.
std::string protocolLine(LoadLine line, LoadKind kind, const std::string& name, int row, const Stamp& stamp);

// The line of a load file that was set aside to be deleted and found its name taken by a newer
// file: the newer one keeps the name, the other is kept as `kept`.
std::string keptFileLine(const std::filesystem::path& file, const std::filesystem::path& kept, const Stamp& stamp);

// The entry of the list of loaded scales: name "  -  " date " " time.
std::string loadedEntry(const std::string& name, const Stamp& stamp);

// Appends the line and CR LF to "protocol.txt" of the directory, creating the file when another
// program removed it. Lines written from several threads at once never mix. False when the file
// cannot be written.
bool appendProtocolLine(const std::filesystem::path& startDirectory, const std::string& line);

// The same, with the message for the person when the line cannot be written (UTF-8, naming the
// file): a full disk, a folder that cannot be written, a protocol that is a folder, a FIFO or a
// device (never opened to wait on). The lines already in the file stay as they were: a line
// written only in part is taken back when nothing else was appended after it.
std::optional<std::string> appendToProtocol(const std::filesystem::path& startDirectory, const std::string& line);

// Creates an empty "protocol.txt" in the directory when there is none (the window's start and
// its protocol buttons); nullopt when the file is there or was created, else the message.
std::optional<std::string> createProtocolFile(const std::filesystem::path& startDirectory);

} // namespace qm
