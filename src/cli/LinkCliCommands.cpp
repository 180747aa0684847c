#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "diagnostics/LinkTest.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"

namespace qm::cli
{

int runTestLink(CliContext& context)
{
    if (!context.args().has("scale")) {
        context.error("test-link needs --scale NAME");
        return kUsage;
    }
    context.setPortFailureMessage(operationtext::kNoLink);
    Table tests = makeTable(testLayout());
    if (!testChosenScale(context.session(), context.config(), context.scaleName(), tests))
        return kFailed;
    const Row& row = tests.row(1);
    for (size_t c = 0; c < row.size(); ++c)
        std::cout << (c ? "\t" : "") << cp1251ToUtf8(row[c]);
    std::cout << std::endl;
    return row[testcol::State] == workingStateText() ? kOk : kFailed;
}

} // namespace qm::cli
