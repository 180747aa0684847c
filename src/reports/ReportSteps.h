#pragma once
// The opening that the report operations on one PLU share.

#include <string>

#include "operation/ScaleFrame.h"

namespace qm
{

// The frame, then the PLU number of `Edit37` "№ PLU" (1..4000, or the field's message).
OpenedScale openWithPlu(const ScaleLink& link, const std::string& noScaleMessage, const std::string& numberText,
                        int& number);

} // namespace qm
