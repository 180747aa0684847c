#pragma once
// The factory-settings command on an open, addressed link. The read asks a lost answer again
// (ScaleSession::askRecord); it shows no message and does not empty the input queue first: the
// operation does, and addresses the scale before it.

#include "settings/FactoryCodec.h"

namespace qm
{

class ScaleSession;

// 0x9B; true with the decoded record when exactly 14 bytes arrive within 200 ms. Its 14 bytes are
// taken as they come: nothing in the record can be checked (see decodeFactory). A false return
// leaves the record as it was.
bool ReadFactorySettings(ScaleSession& session, FactorySettings& settings);

} // namespace qm
