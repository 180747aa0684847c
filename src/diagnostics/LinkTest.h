#pragma once
// The link tests of the tab "Тесты": send a scale its own number and classify the first answer
// byte, with the answer time. Each tested scale is a row of the test table (six cells, code page
// 1251) and a LinkState; the row's texts are made from the state by linkTestRow alone:
//
//   PortUnavailable  "порт не подключен"  "неизвестно"   "неизвестно"
//   NoAnswer         "порт подключен"     "неизвестно"   "не в сети RS"
//   Working          "порт подключен"     answer time    "рабочее"
//   OtherAnswer      "порт подключен"     answer time    "в сети RS"

#include <string>

#include "common/Failure.h"
#include "common/Table.h"
#include "common/TableColumns.h"
#include "common/ValueSink.h"
#include "diagnostics/DiagnosticCommands.h"
#include "operation/ScaleOperation.h"

namespace qm
{

class ScaleSession;
class TableSink;

// The test-table row of configuration row `configRow` whose column 0 is `index`.
Row linkTestRow(const std::string& index, const Table& config, int configRow, const LinkAnswer& answer);

// `SpeedButton80Click`: the scale named by the chooser, found and checked as for every
// operation, tested into row 1 of the emptied test table. Done when it was tested, whatever the
// scale answered: the row and the state delivered to `states`, when given, say how it went.
OperationResult testChosenScale(const ScaleLink& link, TableSink& tests, ValueSink<LinkState>* states = nullptr);

// `SpeedButton81Click`: every row of the configuration in turn into the test-table row of the
// same number, with the progress bar, 210 ms between rows; `states`, when given, gets the state
// of every row tested. Each row's port is opened for its test and closed after it, so a missing
// adapter of one row leaves the others alone. A row that fails its check ends the walk with the
// frame's message, the rows tested before it staying; the stop button ends it between rows.
OperationResult testAllScales(ScaleSession& session, const Table& config, TableSink& tests,
                              ValueSink<LinkState>* states = nullptr);

} // namespace qm
