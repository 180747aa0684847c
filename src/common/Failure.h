#pragma once
// How an operation ended, as a value: the outcome, and the failure that ended it with the text
// the person is shown, where it applies (a table cell, a PLU or message number) and of what
// kind. The operations report a failure through Feedback::reportFailure at the moment they
// show it and hand it back in their result, so that every front end (the window's boxes, the
// command line's lines, the protocol of an unattended load) says it in its own way.

#include <optional>
#include <string>
#include <utility>

#include "common/TableColumns.h"

namespace qm
{

enum class FailureKind {
    NoScale,         // the chooser names no scale of the configuration
    BadConfigRow,    // the scale's configuration row fails its check
    PortUnavailable, // the port is missing or busy
    NoLink,          // the scale does not answer its number
    NotReady,        // the scale answers but is not ready
    NoAck,           // a write or delete was not acknowledged
    ReadFailed,      // a read brought no answer or a short one
    NotFound,        // the scale holds no such record
    BadRow,          // a row failed its check
    BadNumber,       // a number field or cell is no number, or out of its range
    RangeRefused,    // a range of rows or numbers was refused
    ExchangeFailed,  // an exchange of several steps failed (range, paced transfer)
    Stopped,         // the stop button (Ctrl+C) ended the operation
};

struct Failure {
    FailureKind kind = FailureKind::ExchangeFailed;
    std::string text; // UTF-8, exactly as shown; "\r\n" is a line break
    std::optional<TableId> table;
    int row = -1;    // data row of the table, -1 when none applies
    int column = -1; // column of the table, -1 when none applies
    int record = -1; // PLU or message number, -1 when none applies

    static Failure plain(FailureKind kind, std::string text)
    {
        Failure f;
        f.kind = kind;
        f.text = std::move(text);
        return f;
    }
    // A failure at a cell (column -1: at a row).
    static Failure at(FailureKind kind, std::string text, TableId table, int row, int column)
    {
        Failure f = plain(kind, std::move(text));
        f.table = table;
        f.row = row;
        f.column = column;
        return f;
    }
    Failure& forRecord(int number)
    {
        record = number;
        return *this;
    }

    // True when the failure names one cell of the table: the cell a person has to correct.
    bool namesCellOf(TableId id) const { return table == id && row >= 1 && column >= 0; }
};

enum class TransferOutcome {
    Done,      // the operation ran to its end
    Failed,    // it ended with a failure
    Stopped,   // the stop flag ended it between records
    Cancelled, // the person answered No or Cancel
};

// The outcome of an operation (or of one of its steps) with the failure that ended it. Failed
// always carries its failure; Stopped carries one when the stop was reported in its own words.
// True when Done, so that a step reads `if (!step) return step;`.
struct OperationResult {
    TransferOutcome outcome = TransferOutcome::Done;
    std::optional<Failure> failure;

    static OperationResult done() { return {}; }
    static OperationResult failed(Failure failure) { return {TransferOutcome::Failed, std::move(failure)}; }
    static OperationResult stopped(std::optional<Failure> failure = std::nullopt)
    {
        return {TransferOutcome::Stopped, std::move(failure)};
    }
    static OperationResult cancelled() { return {TransferOutcome::Cancelled, std::nullopt}; }

    explicit operator bool() const { return outcome == TransferOutcome::Done; }
};

inline bool operator==(const OperationResult& result, TransferOutcome outcome)
{
    return result.outcome == outcome;
}
inline bool operator!=(const OperationResult& result, TransferOutcome outcome)
{
    return result.outcome != outcome;
}

} // namespace qm
