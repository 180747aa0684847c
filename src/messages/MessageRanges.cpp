#include "messages/MessageRanges.h"

#include "messages/MessageCheck.h"
#include "messages/MessageTexts.h"

namespace qm
{

const RangeRule& messageRange(MessageRangeKind kind)
{
    static const RangeRule rules[] = {tableRowsRule(TableId::Messages),
                                      numbersRule(kMaxMessageNumber, messagetext::kRangeReadNumbers),
                                      numbersRule(kMaxMessageNumber, messagetext::kRangeDeleteNumbers)};
    return rules[static_cast<int>(kind)];
}

} // namespace qm
