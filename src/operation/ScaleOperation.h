#pragma once
// What every scale operation shares besides its frame: how it ended (OperationResult,
// common/Failure.h), the scale it works on, and the steps that products and messages take alike.

#include <functional>
#include <string>

#include "common/Failure.h"
#include "common/RangeCheck.h"
#include "common/SaveFirst.h"
#include "common/Table.h"

namespace qm
{

class Feedback;
class ScaleSession;
class TableSink;

// The scale an operation works on: the configuration table and the text of the tab's chooser.
struct ScaleLink {
    ScaleSession& session;
    const Table& config;
    std::string scaleName; // code page 1251, as the chooser holds it
};

// A range handed to a range operation, checked again as its dialog checks it: the table may have
// changed since. A refused range fails with the dialog's message.
OperationResult checkedRange(Feedback& feedback, const RangeRule& rule, int first, int last, int dataRows,
                             NumberRange& range);

// The number of a field (`Edit35` "№ PLU", `Edit36` "№ MSG"): an integer text 1..highest, or a
// BadNumber failure with the field's message.
OperationResult numberField(Feedback& feedback, const std::string& text, int highest, const char* badMessage,
                            int& number);

// The question before a delete (Yes/No): Cancelled unless the answer is Yes.
OperationResult confirmed(Feedback& feedback, const std::string& question);

// The delete of the one record a number field names (`SpeedButton39Click`, `SpeedButton61Click`):
// the frame, the number, the question with the number as typed, the scale addressed, the record
// deleted. Texts UTF-8 (the question's ends, the closing message) or as the subject's texts file
// gives them.
struct OneRecordDelete {
    const char* noScaleMessage; // no scale chosen
    int highest;                // the field's highest number
    const char* badNumber;      // the field's message for a wrong number
    const char* questionStart;  // before the number as typed
    const char* questionEnd;
    int addressWindowMs;
    bool (*remove)(ScaleSession& session, int number); // the subject's delete command
    const char* notDeleted;                            // the NoAck failure's text
    const char* deleted;                               // the closing message
};
OperationResult deleteOneRecord(const ScaleLink& link, const std::string& numberText, const OneRecordDelete& what);

// Every data row of the table emptied, one empty row left, the cursor on its first cell.
void emptyTable(Feedback& feedback, TableSink& table, TableId id);

// The end of an operation by the stop flag (the stop button, Ctrl+C): "Действие прервано."
// reported as a Stopped failure. Every loop that sees the flag ends through here (or says the
// stop in its own words with stoppedWith), so a stop is never silent, in any front end.
OperationResult interrupted(Feedback& feedback);

} // namespace qm
