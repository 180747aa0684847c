#pragma once
// The opening of every scale operation: find the scale row named by the tab's chooser, check
// it, and open its port. Each failing step shows its message and ends the operation.

#include <optional>
#include <string>

#include "common/Table.h"
#include "link/ScaleSession.h"

namespace qm
{

struct ScaleTarget {
    int row = -1;     // row of the configuration table
    int number = 0;   // scale number on the line, 1..99
    std::string name; // code page 1251, as in the table
    std::string port;
    std::string speed;
};

// Steps 1 and 2: the scale row by name, checked. Shows noScaleMessage or the check message.
std::optional<ScaleTarget> findScale(Feedback& feedback, const Table& config, const std::string& chooserText,
                                     const std::string& noScaleMessage);

// Steps 1 to 3: the above, then Connection with the row's port and speed. A port that cannot be
// opened shows msg::kPortBusy.
std::optional<ScaleTarget> openScale(ScaleSession& session, const Table& config, const std::string& chooserText,
                                     const std::string& noScaleMessage);

// Addresses the scale; a scale that does not answer shows msg::kNoLink, one that answers but is
// not ready msg::kNotReady. False ends the operation.
bool addressScale(ScaleSession& session, int scaleNumber, bool emptyQueueFirst = true, int windowMs = kAddressWindowMs);

} // namespace qm
