#pragma once
// The end of a load file once its scales are loaded. The file is deleted only while it holds the
// very bytes that were loaded, and it is first moved to a private name beside it, so that a new
// version another program writes under the load name in that moment is a file of its own: it
// stays and is loaded next cycle. Nothing moved aside is ever left there: it goes back under its
// name, or, when a newer file has taken the name meanwhile, it is kept beside it under a name that
// tells when.

#include <filesystem>
#include <optional>
#include <string>

namespace qm
{

// The private name of a load file while it is compared and deleted: in its own directory (the
// move is a rename on one file system), hidden, and ending in no load or queue extension, so that
// neither a cycle, a queue nor another program takes it for a file of theirs.
std::filesystem::path takenName(const std::filesystem::path& loadFile);

struct FileEnd {
    bool deleted = false; // the loaded bytes are gone from the load name
    // A file set aside that found its name taken by a newer one: kept under this name.
    std::optional<std::filesystem::path> keptAs;
};

// Deletes the load file if it still holds `loaded`, the bytes every scale that names it was
// loaded from. A file that cannot be moved aside (gone, or another run holds the private name)
// is left as it is; one that holds other bytes goes back.
FileEnd deleteIfLoaded(const std::filesystem::path& loadFile, const std::string& loaded);

// A private file that a run killed between the move and the delete left behind goes back under
// its name (it is loaded again: a repeated write is harmless), or is kept beside a newer file.
FileEnd takeBackLeftover(const std::filesystem::path& loadFile);

} // namespace qm
