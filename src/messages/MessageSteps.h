#pragma once
// Steps the message transfer operations share (internal to messages/). The steps every subject
// shares are in operation/.

#include <cstdint>

#include "common/Feedback.h"
#include "common/Table.h"
#include "messages/MessageTransfer.h"

namespace qm::messagesteps
{

// The number bytes of a row about to be sent. Fails with the row message and the cursor on the
// row when column 0 is no integer text or does not fit the two wire bytes.
OperationResult rowWireNumber(Feedback& feedback, const Table& messages, int row, std::uint16_t& number);

} // namespace qm::messagesteps
