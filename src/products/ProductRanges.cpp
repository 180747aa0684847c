#include "products/ProductRanges.h"

#include "products/PluCheck.h"
#include "products/ProductTexts.h"

namespace qm
{

const RangeRule& productRange(ProductRangeKind kind)
{
    static const RangeRule rules[] = {tableRowsRule(TableId::Products),
                                      numbersRule(kMaxPlu, producttext::kRangeReadNumbers),
                                      numbersRule(kMaxPlu, producttext::kRangeDeleteNumbers)};
    return rules[static_cast<int>(kind)];
}

} // namespace qm
