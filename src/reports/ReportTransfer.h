#pragma once
// The operations of the tab "Отчеты": read the report table of every product or of one, read the
// general totals, clear the totals of every product, of one, and the grand total. Each is one
// plain sequential function that the window's worker or the command line runs to its end; it
// reaches people through the session's Feedback, hands the rows it reads to a TableSink and the
// totals to a ValueSink (reports/TotalsWriter.h shows them in the twelve fields), and returns its
// outcome with the failure that ended it.
//
// The table reads ask the save-first question when the report table or its fields hold unsaved
// figures (the sink's modified flag). The general totals read does not: it empties no table and
// only refreshes the twelve fields, which the scale still holds. The clears never touch that flag: the figures on
// screen may be the only copy of what the scale has just forgotten.

#include <string>

#include "common/SaveFirst.h"
#include "common/ValueSink.h"
#include "operation/ScaleFrame.h"
#include "operation/ScaleOperation.h"
#include "reports/ReportCodec.h"
#include "reports/ReportRows.h"

namespace qm
{

class TableSink;

// `SpeedButton17Click`: PLU 1..4000 into the table, empty cells skipped; the sums over all PLU
// are delivered as zeros first and, once every cell is read, as the sums of the records (the same
// figures the general totals give). A read of one PLU leaves them as they are.
OperationResult readReportTable(const ScaleLink& link, TableSink& table, ValueSink<ShownTotals>& sums,
                                const SaveCommand& save);
// `SpeedButton18Click`: the PLU that `Edit37` "№ PLU" holds (its text) into row 1.
OperationResult readReportOne(const ScaleLink& link, const std::string& numberText, TableSink& table,
                              const SaveCommand& save);
// `SpeedButton19Click`: the general totals record; the table stays as it is (only its modified
// flag is set), no question is asked and `save` is not used (kept so that every read is called
// alike).
OperationResult readGeneralTotals(const ScaleLink& link, TableSink& table, ValueSink<GeneralTotals>& totals,
                                  const SaveCommand& save);

// `SpeedButton20Click`: the totals of PLU 1..4000. `Edit37` is checked though not used, as the
// window always did. Cells that hold no product are passed over.
OperationResult clearAllPluTotals(const ScaleLink& link, const std::string& numberText);
// `SpeedButton21Click`: the totals of the PLU of `Edit37`. An answer other than 0xAA, an empty
// cell's 0xEE too, ends it with the clear failure.
OperationResult clearOnePluTotals(const ScaleLink& link, const std::string& numberText);
// `SpeedButton22Click`: the grand total.
OperationResult clearGrandTotal(const ScaleLink& link);

} // namespace qm
