#pragma once
// The product transfer operations of the tab "Товары": send the table, a row or a range of rows;
// read every record, one or a range; delete every record, one or a range; cancel the virtual
// range. Each is one plain sequential function that a worker thread (the window) or the main
// thread (the command line) runs to its end. They reach people only through the session's
// Feedback, read the tables they send from snapshots, and hand the rows they read to a TableSink.
// Each returns its outcome with the failure that ended it (reported when it happened).
//
// Every operation starts with the frame (operation/ScaleFrame.h): the scale row named by the
// chooser, its check, and the connection. The range operations run the whole frame again after
// their dialog, then ask their own question (delete) or the save-first question (read), so a
// dialog cancelled in between changes nothing. The window runs the frame alone before it shows
// a range dialog: openScale(link, producttext::kChooseTo...), the text of the operation's kind.
//
// The implementation is grouped as the message operations' is: ProductSend.cpp (with
// ProductVirtualSend.cpp), ProductRead.cpp, ProductDelete.cpp; the steps they share in
// ProductSteps.h (the steps both subjects share are in operation/).

#include <string>

#include "common/SaveFirst.h"
#include "common/Table.h"
#include "operation/ScaleFrame.h"
#include "operation/ScaleOperation.h"
#include "operation/TableCompare.h"

namespace qm
{

class TableSink;

struct SendTableOptions {
    bool checkFirst = true;   // `CheckBox20` "Протестировать данные перед записью"
    bool virtualSync = false; // `CheckBox22` "Использовать виртуальную синхронизацию"
};

// `SpeedButton31Click`. With virtual synchronisation the table is sorted by PLU number first;
// when `sorted` is given the sorted rows are written back to it (the window's table), since the
// cursor then follows the sorted order.
OperationResult sendProductTable(const ScaleLink& link, const Table& products, const SendTableOptions& options,
                                 TableSink* sorted = nullptr);
// `SpeedButton32Click`: the row is always checked first.
OperationResult sendProductRow(const ScaleLink& link, const Table& products, int row);
// `SendPluRange`: rows first..last (from the dialog), always checked first.
OperationResult sendProductRange(const ScaleLink& link, const Table& products, int first, int last);

// `SpeedButton34Click`: PLU numbers 1..4000 into the table, records that do not exist skipped.
OperationResult readAllProducts(const ScaleLink& link, TableSink& table, const SaveCommand& save);
// `SpeedButton35Click`: the PLU number as `Edit35` holds it.
OperationResult readOneProduct(const ScaleLink& link, const std::string& pluText, TableSink& table,
                               const SaveCommand& save);
// `GetPluRange`: PLU numbers first..last.
OperationResult readProductRange(const ScaleLink& link, int first, int last, TableSink& table, const SaveCommand& save);

// Reads PLU 1..4000 as readAllProducts does (no save-first question: no table changes) and
// compares the records with the table's rows as the scale would store them (ProductCompare.cpp).
// A row that cannot be sent fails, naming its cell, before the scale is opened. Nothing is
// written to the scale; `result` is set only when the read ran to its end.
OperationResult compareProducts(const ScaleLink& link, const Table& products, TableComparison& result);

// `SpeedButton38Click`, `SpeedButton39Click` (`Edit35` text), `DeletePluRange`; each asks first.
OperationResult deleteAllProducts(const ScaleLink& link);
OperationResult deleteOneProduct(const ScaleLink& link, const std::string& pluText);
OperationResult deleteProductRange(const ScaleLink& link, int first, int last);

// `SpeedButton89Click`.
OperationResult cancelVirtualRange(const ScaleLink& link);

} // namespace qm
