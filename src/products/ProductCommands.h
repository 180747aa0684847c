#pragma once
// The product commands on an open, addressed link: write, read and delete one record, set and
// cancel the virtual range, and the poll of virtual synchronisation. Only the read asks a lost
// answer again (ScaleSession::ask); none shows a message or empties the input queue first; the
// operations do.

#include <cstdint>

#include "products/PluRecord.h"

namespace qm
{

class ScaleSession;

// 0x82 and the record; true when the scale answers 0xAA within 900 ms. A record whose values
// do not fit their fields is not sent at all (false).
bool SendPlu(ScaleSession& session, const PluRecord& record);

// 0x81 and the PLU number. True with the decoded record, whose PLU number is the one asked for.
// False otherwise, with record.price -1 when the scale answered 0xEE (no such record: not asked
// again) and 0 when the answer was missing, incomplete or no record of that PLU (isPluRecordOf)
// at the first ask and at both asked again.
bool GetPlu(ScaleSession& session, std::int64_t plu, PluRecord& record);

// 0x8D and the PLU number; true when exactly one byte, 0xAA, answers. A missing record and a
// lost answer look the same.
bool DeletePlu(ScaleSession& session, std::int64_t plu);

// 0x87 with the bounds of the virtual range; true on 0xAA.
bool setPluRange(ScaleSession& session, std::int64_t first, std::int64_t last);
// 0x88; true on 0xAA. awaitAnswer false sends the byte and leaves its answer in the queue.
bool cancelPluRange(ScaleSession& session, bool awaitAnswer = true);

// While a virtual range is set the scale answers its number byte with what it wants next.
enum class PollKind { Ready, Request, Failed };
struct PollAnswer {
    PollKind kind = PollKind::Failed;
    std::int64_t plu = 0; // the record asked for (Request)
};
// Sends the scale number (the queue is not emptied) and reads the answer: number and 0x80, or
// number, 0xDD and a PLU number of 4 bytes. Every read has its reply window, so a short answer
// is a failed poll, never a hang.
PollAnswer pollScale(ScaleSession& session, int scaleNumber);

} // namespace qm
