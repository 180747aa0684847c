#include "messages/MessageRangeCheck.h"

#include <utility>

#include "common/IntText.h"
#include "messages/MessageCheck.h"
#include "messages/MessageTexts.h"

namespace qm
{

namespace
{

RangeCheck refused(const char* message)
{
    return {std::nullopt, message};
}

} // namespace

RangeCheck checkMsgRange(MsgRangeKind kind, std::string_view firstText, std::string_view lastText, int dataRows)
{
    const auto first = intText(firstText);
    const auto last = intText(lastText);
    if (!first || !last)
        return refused(msgtext::kRangeNotNumbers);
    NumberRange range{*first, *last};
    const auto swapped = [&] {
        if (range.last < range.first)
            std::swap(range.first, range.last);
    };
    switch (kind) {
    case MsgRangeKind::SendRows:
        if (range.first < 1 || range.last < 1)
            return refused(msgtext::kRangeRowZero);
        swapped();
        if (range.last > dataRows)
            return refused(msgtext::kRangeTooManyRows);
        break;
    case MsgRangeKind::ReadNumbers:
    case MsgRangeKind::DeleteNumbers: {
        const auto inside = [](int n) { return n >= 1 && n <= kMaxMessageNumber; };
        if (!inside(range.first) || !inside(range.last))
            return refused(kind == MsgRangeKind::ReadNumbers ? msgtext::kRangeReadNumbers
                                                             : msgtext::kRangeDeleteNumbers);
        swapped();
        break;
    }
    }
    return {range, {}};
}

} // namespace qm
