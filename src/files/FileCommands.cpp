#include "files/FileCommands.h"

#include "common/Cp1251.h"
#include "common/SaveFirst.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "config/ConfigTable.h"
#include "files/FileIo.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The save-first questions of the new and open commands.
namespace question
{
const char* const kNewProducts = "Будет открыт новый список товаров.\r\nВ таблице  были изменения.\r\nСохранить ?";
const char* const kNewMessages = "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?";
const char* const kNewConfig =
    "Будет открыта новая таблица конфигураций.\r\nВ старой таблице были изменения.\r\nСохранить ?";
const char* const kNewReports = "Будет открыт новый список отчетов.\r\nВ таблице  были изменения.\r\nСохранить ?";
const char* const kOpenReports =
    "Будет открыта новая таблица отчетов.\r\nВ старой таблице были изменения.\r\nСохранить ?";
} // namespace question

using Writer = std::function<std::optional<std::string>(const fs::path&)>;
// Reads the chosen file into the caller's state; returns the message of a failure.
using Reader = std::function<std::optional<std::string>(const fs::path&)>;

Outcome writeFile(FileCommandContext& ctx, const fs::path& path, const Writer& write, bool& modified)
{
    if (const auto error = write(path)) {
        ctx.feedback.message(*error);
        return Outcome::Failed;
    }
    modified = false;
    return Outcome::Done;
}

Outcome save(FileCommandContext& ctx, const FileDialogSetup& dialog, const Writer& write, bool& modified)
{
    const auto chosen = ctx.chooser.saveFile(inStartDirectory(ctx, dialog));
    if (!chosen)
        return Outcome::Cancelled;
    return writeFile(ctx, resolveChosen(ctx, chosen->path), write, modified);
}

// The save-first question over the caller's table and flag; `save` is the table's save command.
bool askSaveFirst(FileCommandContext& ctx, const std::string& text, Table& table, bool& modified,
                  const std::function<Outcome()>& save)
{
    TableWriter flag(table, &modified);
    return saveFirst(
        ctx.feedback, flag, [&save] { return save() == Outcome::Done; }, text);
}

Outcome makeNew(FileCommandContext& ctx, const std::string& text, Table& table, TableId id, bool& modified,
                const std::function<Outcome()>& save)
{
    if (!askSaveFirst(ctx, text, table, modified, save))
        return Outcome::Cancelled;
    table.clearData();
    ctx.feedback.moveCursor(id, 1, 0);
    return Outcome::Done;
}

Outcome open(FileCommandContext& ctx, const std::string& text, const FileDialogSetup& dialog, Table& table, TableId id,
             bool& modified, const std::function<Outcome()>& save, const Reader& read)
{
    if (!askSaveFirst(ctx, text, table, modified, save))
        return Outcome::Cancelled;
    table.clearData();
    const auto chosen = ctx.chooser.openFile(inStartDirectory(ctx, dialog));
    if (!chosen)
        return Outcome::Cancelled;
    const auto error = read(resolveChosen(ctx, chosen->path));
    ctx.feedback.moveCursor(id, 1, 0);
    if (error) {
        ctx.feedback.message(*error);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

// The wrong records a box lists; the command line lists every one.
constexpr size_t kReportLines = 25;

// Replaces the table only with a file whose every record passes. A cancelled dialog or a refused
// file keeps the table and its flag: after a No to the question no change has been let go yet.
Outcome importCsv(FileCommandContext& ctx, const std::string& text, Table& table, TableId id, bool& modified,
                  const std::function<Outcome()>& save, RowCheck check)
{
    const bool wasModified = modified;
    bool saved = false;
    const auto saveAndNote = [&] {
        const Outcome outcome = save();
        saved = outcome == Outcome::Done;
        return outcome;
    };
    if (!askSaveFirst(ctx, text, table, modified, saveAndNote))
        return Outcome::Cancelled;
    const auto chosen = ctx.chooser.openFile(inStartDirectory(ctx, CsvOpenDialog()));
    if (!chosen) {
        modified = wasModified && !saved;
        return Outcome::Cancelled;
    }
    const fs::path path = resolveChosen(ctx, chosen->path);
    CsvLoad load = loadCsvFile(path, table, check);
    if (!load.ok()) {
        modified = wasModified && !saved;
        ctx.feedback.message(load.error ? *load.error : csvProblemReport(path, load.problems, table, kReportLines));
        return Outcome::Failed;
    }
    table = std::move(load.table);
    modified = true;
    ctx.feedback.moveCursor(id, 1, 0);
    return Outcome::Done;
}

Writer cellWriter(const Table& table)
{
    return [&table](const fs::path& path) { return saveCellFile(path, table); };
}

// A list kept in a cell file, as its new, open and save commands see it.
struct CellList {
    TableId id;
    const char* question; // the save-first question of new and open
    FileDialogSetup (*openDialog)();
    FileDialogSetup (*saveDialog)();
    TableLoad (*load)(const fs::path& path);
};
const CellList kMessageList{TableId::Messages, question::kNewMessages, MsgOpenDialog, MsgSaveDialog, loadMessageFile};
const CellList kConfigList{TableId::Config, question::kNewConfig, CfgOpenDialog, CfgSaveDialog, loadConfigFile};

Outcome saveCellList(FileCommandContext& ctx, const CellList& list, const Table& table, bool& modified)
{
    return save(ctx, list.saveDialog(), cellWriter(table), modified);
}

Outcome newCellList(FileCommandContext& ctx, const CellList& list, Table& table, bool& modified)
{
    return makeNew(ctx, list.question, table, list.id, modified,
                   [&] { return saveCellList(ctx, list, table, modified); });
}

Outcome openCellList(FileCommandContext& ctx, const CellList& list, Table& table, bool& modified)
{
    return open(
        ctx, list.question, list.openDialog(), table, list.id, modified,
        [&] { return saveCellList(ctx, list, table, modified); },
        [&](const fs::path& path) {
            TableLoad load = list.load(path);
            table = std::move(load.table);
            return load.error;
        });
}

Outcome importCellListCsv(FileCommandContext& ctx, const CellList& list, Table& table, bool& modified, RowCheck check)
{
    return importCsv(
        ctx, list.question, table, list.id, modified, [&] { return saveCellList(ctx, list, table, modified); }, check);
}

} // namespace

fs::path resolveChosen(const FileCommandContext& ctx, const fs::path& chosen)
{
    return chosen.is_absolute() || ctx.startDirectory.empty() ? chosen : ctx.startDirectory / chosen;
}

FileDialogSetup inStartDirectory(const FileCommandContext& ctx, FileDialogSetup setup)
{
    setup.directory = ctx.startDirectory;
    return setup;
}

// --- products ---

Outcome saveProductList(FileCommandContext& ctx, const Table& products, bool& modified)
{
    const auto chosen = ctx.chooser.saveFile(inStartDirectory(ctx, PluSaveDialog()));
    if (!chosen)
        return Outcome::Cancelled;
    const fs::path path = productSaveName(resolveChosen(ctx, chosen->path), chosen->filterIndex);
    if (chosen->filterIndex == 1)
        return writeFile(ctx, path, cellWriter(products), modified);
    const auto losses = pluLosses(products);
    if (!losses.empty() && ctx.feedback.ask(pluLossQuestion(losses), Buttons::YesNo) != Answer::Yes)
        return Outcome::Cancelled;
    return writeFile(
        ctx, path, [&products](const fs::path& p) { return SaveFile1_5(p, products); }, modified);
}

Outcome newProductList(FileCommandContext& ctx, Table& products, bool& modified)
{
    return makeNew(ctx, question::kNewProducts, products, TableId::Products, modified,
                   [&] { return saveProductList(ctx, products, modified); });
}

Outcome openProductList(FileCommandContext& ctx, Table& products, bool& modified, int logoIndex)
{
    return open(
        ctx, question::kNewProducts, PluOpenDialog(), products, TableId::Products, modified,
        [&] { return saveProductList(ctx, products, modified); },
        [&](const fs::path& path) {
            ProductLoad load = loadProductFile(path, logoIndex);
            products = std::move(load.table);
            return load.error;
        });
}

// --- messages and configuration: lists kept in cell files ---

Outcome saveMessageList(FileCommandContext& ctx, const Table& messages, bool& modified)
{
    return saveCellList(ctx, kMessageList, messages, modified);
}

Outcome newMessageList(FileCommandContext& ctx, Table& messages, bool& modified)
{
    return newCellList(ctx, kMessageList, messages, modified);
}

Outcome openMessageList(FileCommandContext& ctx, Table& messages, bool& modified)
{
    return openCellList(ctx, kMessageList, messages, modified);
}

Outcome saveConfigTable(FileCommandContext& ctx, const Table& config, bool& modified)
{
    return saveCellList(ctx, kConfigList, config, modified);
}

Outcome newConfigTable(FileCommandContext& ctx, Table& config, bool& modified)
{
    return newCellList(ctx, kConfigList, config, modified);
}

Outcome openConfigTable(FileCommandContext& ctx, Table& config, bool& modified)
{
    return openCellList(ctx, kConfigList, config, modified);
}

// --- CSV exchange ---

Outcome exportCsv(FileCommandContext& ctx, const Table& table)
{
    bool unchanged = false; // the table is kept in its own files only
    return save(
        ctx, CsvSaveDialog(), [&table](const fs::path& path) { return saveCsvFile(path, table); }, unchanged);
}

Outcome importProductCsv(FileCommandContext& ctx, Table& products, bool& modified, RowCheck check)
{
    return importCsv(
        ctx, question::kNewProducts, products, TableId::Products, modified,
        [&] { return saveProductList(ctx, products, modified); }, check);
}

Outcome importMessageCsv(FileCommandContext& ctx, Table& messages, bool& modified, RowCheck check)
{
    return importCellListCsv(ctx, kMessageList, messages, modified, check);
}

Outcome importConfigCsv(FileCommandContext& ctx, Table& config, bool& modified, RowCheck check)
{
    return importCellListCsv(ctx, kConfigList, config, modified, check);
}

// --- reports ---

Outcome saveReportTable(FileCommandContext& ctx, const ReportTotals& totals, const Table& report, bool& modified)
{
    return save(
        ctx, AccSaveDialog(), [&](const fs::path& path) { return saveReportFile(path, totals, report); }, modified);
}

Outcome newReportTable(FileCommandContext& ctx, const ReportTotals& totals, Table& report, bool& modified)
{
    return makeNew(ctx, question::kNewReports, report, TableId::Reports, modified,
                   [&] { return saveReportTable(ctx, totals, report, modified); });
}

Outcome openReportTable(FileCommandContext& ctx, ReportTotals& totals, Table& report, bool& modified)
{
    return open(
        ctx, question::kOpenReports, AccOpenDialog(), report, TableId::Reports, modified,
        [&] { return saveReportTable(ctx, totals, report, modified); },
        [&](const fs::path& path) {
            ReportLoad load = loadReportFile(path);
            if (!load.error) {
                totals = std::move(load.file.totals);
                report = std::move(load.file.table);
            }
            return load.error;
        });
}

// --- configuration tab file picker ---

bool pickScaleFile(FileCommandContext& ctx, Table& config, int row)
{
    const auto chosen = ctx.chooser.openFile(inStartDirectory(ctx, PluMsgOpenDialog()));
    if (!chosen || row < 1 || row > config.lastRow())
        return false;
    std::error_code ec;
    fs::path full = fs::absolute(resolveChosen(ctx, chosen->path), ec);
    if (ec)
        full = resolveChosen(ctx, chosen->path);
    const std::string extension = extensionOf(full);
    int column;
    if (extension == ".pl6" || extension == ".plu")
        column = cfgcol::ProductFile;
    else if (extension == ".msg")
        column = cfgcol::MessageFile;
    else
        return false;
    // Cells hold code page 1251; a name it cannot spell could not be opened from the cell again.
    const auto name = utf8ToCp1251(pathText(full));
    if (!name) {
        ctx.feedback.message("Имя файла \"" + pathText(full) +
                             "\" содержит символы, которые нельзя записать в таблицу конфигурации.");
        return false;
    }
    config.setCell(row, column, *name);
    return true;
}

} // namespace qm
