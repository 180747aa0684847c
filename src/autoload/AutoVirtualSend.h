#pragma once
// The product load with virtual synchronisation: every row checked, the rows sorted by PLU
// number, the scale told the range (0x87) and left to pace the transfer, then the range
// cancelled again, silently, whatever ended the transfer.

#include "common/Failure.h"
#include "common/Table.h"
#include "operation/ScaleOperation.h"

namespace qm
{

// Opens the scale through the frame. Fails with the row's failure (BadRow, at the file's row)
// before any byte; NoLink when the addressing fails; ExchangeFailed when the range is refused or
// the paced transfer spends its error budget or its budget of requests and failed passes (see
// products/VirtualLoop.h); Stopped when the stop flag is seen before a pass.
OperationResult sendVirtualLoad(const ScaleLink& link, const Table& products);

} // namespace qm
