#pragma once
// The load queue of a load file: up to 100 numbered files beside it that another program places
// there ahead of time. Slot k of the load file D/B.E is D/B_kk.Q, the queue extension Q chosen
// by the exact (case-sensitive) extension: ".plu" ".que", ".pl6" ".qu6", ".msg" ".qum"; any
// other extension has no queue. Slot 0 is loaded next; slots may have gaps.

#include <filesystem>
#include <vector>

namespace qm
{

inline constexpr int kQueueSlots = 100;

// The 100 slot names, slot 0 first; every one empty for a load file without a queue.
std::vector<std::filesystem::path> FileList(const std::filesystem::path& loadFile);

// Advances the queue while the load file is absent: slot 0 becomes the load file, every other
// slot k moves to k - 1. A rename never replaces a file that exists: such a rename, or one that
// fails for any other reason, leaves both files as they were and is not reported.
void QuePlu(const std::filesystem::path& loadFile);

// Renames `from` to `to` unless `to` exists, atomically where the file system can. False when
// nothing was renamed.
bool renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace qm
