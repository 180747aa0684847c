#pragma once
// The snapshot before an unattended product load: the cells the load file will overwrite, read
// from the scale before the first record goes out and saved in the snapshot folder as
// "<scale>-<YYYYMMDD-HHMMSS>.pl6", the program's own product file, so that sending that file puts
// the cells back as they were. A cell the scale did not hold is not in the snapshot (nothing to
// put back there: the load's record stays in it). The file is saved atomically and never over an
// earlier snapshot: a second one within the same second gets "-2", "-3" … before the extension.

#include <filesystem>
#include <optional>
#include <string>

#include "common/Failure.h"
#include "common/Table.h"
#include "operation/ScaleOperation.h"

namespace qm
{

struct LoadSnapshot {
    enum class Kind {
        Saved,      // `file` holds the cells
        NotNeeded,  // a row of the load file fails its check: the load refuses it before any byte
        ReadFailed, // `read` says why (the frame's failures, a refused read, a stop)
        SaveFailed, // `error` says why (UTF-8)
    };
    Kind kind = Kind::NotNeeded;
    OperationResult read;
    std::filesystem::path file;
    std::string error;
};

// Reads the PLU cells the rows of `products` name from the scale of the link (through the frame,
// as a read does) and saves them in `folder`, made when it is missing.
LoadSnapshot takeLoadSnapshot(const ScaleLink& link, const Table& products, const std::filesystem::path& folder);

// "<scale>-20261207-150405.pl6" in the folder: the scale name (code page 1251) in UTF-8, with the
// characters a file name cannot hold made "_"; the local time `stamp`.
std::filesystem::path snapshotPath(const std::filesystem::path& folder, const std::string& scaleName,
                                   const std::tm& stamp);

} // namespace qm
