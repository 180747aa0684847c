#include "reports/ReportSteps.h"

#include "products/PluCheck.h"
#include "reports/ReportTexts.h"

namespace qm
{

OpenedScale openWithPlu(const ScaleLink& link, const std::string& noScaleMessage, const std::string& numberText,
                        int& number)
{
    OpenedScale scale = openScale(link, noScaleMessage);
    if (!scale)
        return scale;
    const OperationResult entered =
        numberField(link.session.feedback(), numberText, kMaxPlu, reporttext::kBadNumber, number);
    if (!entered)
        static_cast<OperationResult&>(scale) = entered;
    return scale;
}

} // namespace qm
