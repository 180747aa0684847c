#pragma once
// The ZIP archive of a backup, in memory: its parts (a name and the bytes) written into the
// bytes of one archive, and read back within limits, so that a damaged or hostile file costs
// neither the memory nor the time of a huge one. The archive is written to disk by the caller
// with saveFileAtomically, like every file of the program.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm
{

struct ArchivePart {
    std::string name;
    std::string bytes;
};

// The bytes of a ZIP archive of the parts in their order, each compressed; nullopt with `error`
// (the library's text) when the archive could not be made.
std::optional<std::string> zipArchive(const std::vector<ArchivePart>& parts, std::string& error);

struct ArchiveRead {
    std::vector<ArchivePart> parts;
    std::optional<std::string> error; // UTF-8, for the user; no parts then
};

// The parts of the archive in `bytes`. Refused: bytes that are no ZIP archive (or whose central
// directory does not match its entries), more than `maxParts` entries, an entry whose content
// exceeds `maxPartBytes` once unpacked, an entry that fails its CRC or cannot be unpacked.
ArchiveRead unzipArchive(std::string_view bytes, size_t maxParts, size_t maxPartBytes);

} // namespace qm
