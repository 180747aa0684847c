#pragma once
// New, open and save of the product list, the message list, the configuration table and the
// report table, shared by the window, the command line and the tests. Each command works on
// the table and the modified flag the caller owns, asks through Feedback and gets file names
// through a FileChooser. Failures are shown through Feedback and reported by the result.
//
// Yes to a save-first question (common/SaveFirst.h) goes on only when the save really happened:
// a save dialog cancelled after Yes, a declined .plu loss question or a failed save keeps the
// table and ends the command as Cancel would.

#include <filesystem>
#include <functional>
#include <string>

#include "common/Feedback.h"
#include "common/Table.h"
#include "files/CsvFile.h"
#include "files/FileDialogs.h"
#include "files/ReportFile.h"

namespace qm
{

struct FileCommandContext {
    Feedback& feedback;
    FileChooser& chooser;
    std::filesystem::path startDirectory; // dialogs start here; relative names resolve here
};

enum class Outcome { Done, Cancelled, Failed };

// A name a dialog returned; a relative one is taken from the start directory.
std::filesystem::path resolveChosen(const FileCommandContext& ctx, const std::filesystem::path& chosen);
// The dialog as it shows: starting in the start directory.
FileDialogSetup inStartDirectory(const FileCommandContext& ctx, FileDialogSetup setup);

// Product list (`SpeedButton8Click` new, `SpeedButton9Click` open, `SpeedButton10Click` save).
// Saving with the .plu filter asks before writing rows the format cannot hold whole.
Outcome saveProductList(FileCommandContext& ctx, const Table& products, bool& modified);
Outcome newProductList(FileCommandContext& ctx, Table& products, bool& modified);
// The table is emptied before the dialog shows: a cancelled dialog leaves it empty. A .plu file
// gets `logoIndex` (the logo chooser's index) in every row's logo column.
Outcome openProductList(FileCommandContext& ctx, Table& products, bool& modified, int logoIndex);

// Message list (`SpeedButton43Click`, `SpeedButton44Click`, `SpeedButton45Click`).
Outcome saveMessageList(FileCommandContext& ctx, const Table& messages, bool& modified);
Outcome newMessageList(FileCommandContext& ctx, Table& messages, bool& modified);
Outcome openMessageList(FileCommandContext& ctx, Table& messages, bool& modified);

// Configuration table (`SpeedButton65Click`, `SpeedButton66Click`, `SpeedButton67Click`). Opening
// does not apply the table to the scale choosers.
Outcome saveConfigTable(FileCommandContext& ctx, const Table& config, bool& modified);
Outcome newConfigTable(FileCommandContext& ctx, Table& config, bool& modified);
Outcome openConfigTable(FileCommandContext& ctx, Table& config, bool& modified);

// CSV exchange of the product, message and configuration tables ("Экспорт в CSV", "Импорт из
// CSV"). Export writes the table as it stands and leaves its modified flag alone. Import asks the
// table's save-first question, then takes the chosen file only when every record passes, `check`
// (the table's row check) included; otherwise it shows the wrong records and the table stays as
// it was, its flag too unless the question saved it. An imported table is in no table file yet:
// its flag is set.
Outcome exportCsv(FileCommandContext& ctx, const Table& table);
Outcome importProductCsv(FileCommandContext& ctx, Table& products, bool& modified, RowCheck check);
Outcome importMessageCsv(FileCommandContext& ctx, Table& messages, bool& modified, RowCheck check);
Outcome importConfigCsv(FileCommandContext& ctx, Table& config, bool& modified, RowCheck check);

// Report table with its totals fields (`SpeedButton13Click`, `SpeedButton14Click`,
// `SpeedButton15Click`). New keeps the totals fields as they are.
Outcome saveReportTable(FileCommandContext& ctx, const ReportTotals& totals, const Table& report, bool& modified);
Outcome newReportTable(FileCommandContext& ctx, const ReportTotals& totals, Table& report, bool& modified);
Outcome openReportTable(FileCommandContext& ctx, ReportTotals& totals, Table& report, bool& modified);

// `SpeedButton86Click`: a product or message file for the configuration row `row`; the full
// name goes into column 6 (".pl6", ".plu") or 7 (".msg"). True when a cell changed; the
// configuration modified flag is not set.
bool pickScaleFile(FileCommandContext& ctx, Table& config, int row);

} // namespace qm
