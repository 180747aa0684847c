#pragma once
// The user-settings commands on an open, addressed link: read and write the settings and the
// shop name, write the date and the time. The reads ask a lost answer again (ScaleSession::ask);
// the writes are never repeated. None shows a message or empties the input queue first; the
// operations do, and address the scale before each.

#include "settings/UserSettingsCodec.h"

namespace qm
{

class ScaleSession;

// 0x95; true with the decoded record when exactly 10 bytes arrive within 200 ms and they are a
// settings record (isUserSetRecord).
bool GetUserSet(ScaleSession& session, UserSettings& settings);
// 0x8A and the record; true when exactly one byte, 0xAA, answers within 500 ms. Values that
// would wrap are not sent at all (false).
bool SendUserSet(ScaleSession& session, const UserSettings& settings);

// 0x98; true with both lines when exactly 57 bytes arrive within 200 ms (free text: nothing to
// check, see decodeShop).
bool GetShop(ScaleSession& session, ShopName& shop);
// 0x94 and both lines; true on exactly one byte, 0xAA, within 500 ms.
bool SendShop(ScaleSession& session, const ShopName& shop);

// 0x99 / 0x9A and six digit bytes; true on exactly one byte, 0xAA, within 500 ms.
bool SendDate(ScaleSession& session, const ScaleDate& date);
bool SendTime(ScaleSession& session, const ScaleTime& time);

} // namespace qm
