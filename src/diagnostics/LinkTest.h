#pragma once
// The link tests of the tab "Тесты": send a scale its own number and classify the first answer
// byte, with the answer time. Results are rows of the test table (six cells, code page 1251).
//
//   port cannot be opened        "порт не подключен"  "неизвестно"   "неизвестно"
//   no byte within 500 ms        "порт подключен"     "неизвестно"   "не в сети RS"
//   first byte is the number     "порт подключен"     answer time    "рабочее"
//   first byte is another value  "порт подключен"     answer time    "в сети RS"
//
// The answer time counts from the end of a 50 ms pause after the number byte ("1" when the
// answer was already waiting then). Only the first byte is read; the rest of the answer waits
// for the next exchange, which drops it.

#include <string>

#include "common/Failure.h"
#include "common/Table.h"
#include "common/TableColumns.h"
#include "operation/ScaleOperation.h"

namespace qm
{

class ScaleSession;
class TableSink;

// The state cell of a scale that answered with its own number.
std::string workingStateText();

// One configuration row, already checked, tested into a test-table row whose column 0 is index.
Row linkTestRow(ScaleSession& session, const Table& config, int configRow, const std::string& index);

// `SpeedButton80Click`: the scale named by the chooser, found and checked as for every
// operation, tested into row 1 of the emptied test table. Done when it was tested, whatever the
// scale answered: the row says how it went.
OperationResult testChosenScale(const ScaleLink& link, TableSink& tests);

// `SpeedButton81Click`: every row of the configuration in turn into the test-table row of the
// same number, with the progress bar, 210 ms between rows. Each row's port is opened for its
// test and closed after it, so a missing adapter of one row leaves the others alone. A row that
// fails its check ends the walk with the frame's message, the rows tested before it staying;
// the stop button ends it between rows without a message.
OperationResult testAllScales(ScaleSession& session, const Table& config, TableSink& tests);

} // namespace qm
