#pragma once
// The link test: send a scale its own number and classify the first answer byte, with the
// answer time. Results are rows of the test table (six cells, code page 1251).

#include <string>

#include "common/Failure.h"
#include "common/Table.h"
#include "common/TableColumns.h"

namespace qm
{

class ScaleSession;

// The state cell of a scale that answered with its own number.
std::string workingStateText();

// One configuration row, already checked, tested into a test-table row whose column 0 is index.
Row linkTestRow(ScaleSession& session, const Table& config, int configRow, const std::string& index);

// The test of the scale named by the chooser: finds and checks its row (failures as for every
// operation), then tests it into row 1 of the test table. Done when it was tested, whatever the
// scale answered: the row says how it went.
OperationResult testChosenScale(ScaleSession& session, const Table& config, const std::string& chooserText,
                                Table& tests);

} // namespace qm
