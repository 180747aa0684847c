#include "files/FileCommands.h"

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/FileIo.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

using Writer = std::function<std::optional<std::string>(const fs::path&)>;
// Reads the chosen file into the caller's state; returns the message of a failure.
using Reader = std::function<std::optional<std::string>(const fs::path&)>;

fs::path resolve(const FileCommandContext& ctx, const fs::path& chosen)
{
    return chosen.is_absolute() || ctx.startDirectory.empty() ? chosen : ctx.startDirectory / chosen;
}

FileDialogSetup inStart(const FileCommandContext& ctx, FileDialogSetup setup)
{
    setup.directory = ctx.startDirectory;
    return setup;
}

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
    const auto chosen = ctx.chooser.saveFile(inStart(ctx, dialog));
    if (!chosen)
        return Outcome::Cancelled;
    return writeFile(ctx, resolve(ctx, chosen->path), write, modified);
}

Outcome makeNew(FileCommandContext& ctx, const std::string& text, Table& table, TableId id, bool& modified,
                const std::function<Outcome()>& saveFirst)
{
    if (!askSaveFirst(ctx.feedback, text, modified, saveFirst))
        return Outcome::Cancelled;
    table.clearData();
    ctx.feedback.moveCursor(id, 1, 0);
    return Outcome::Done;
}

Outcome open(FileCommandContext& ctx, const std::string& text, const FileDialogSetup& dialog, Table& table, TableId id,
             bool& modified, const std::function<Outcome()>& saveFirst, const Reader& read)
{
    if (!askSaveFirst(ctx.feedback, text, modified, saveFirst))
        return Outcome::Cancelled;
    table.clearData();
    const auto chosen = ctx.chooser.openFile(inStart(ctx, dialog));
    if (!chosen)
        return Outcome::Cancelled;
    const auto error = read(resolve(ctx, chosen->path));
    ctx.feedback.moveCursor(id, 1, 0);
    if (error) {
        ctx.feedback.message(*error);
        return Outcome::Failed;
    }
    return Outcome::Done;
}

Writer cellWriter(const Table& table)
{
    return [&table](const fs::path& path) { return saveCellFile(path, table); };
}

} // namespace

bool askSaveFirst(Feedback& feedback, const std::string& text, bool& modified, const std::function<Outcome()>& save)
{
    if (!modified)
        return true;
    switch (feedback.ask(text, Buttons::YesNoCancel)) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        modified = false;
        return true;
    case Answer::Yes:
        break;
    }
    if (save() != Outcome::Done)
        return false;
    modified = false;
    return true;
}

// --- products ---

Outcome saveProductList(FileCommandContext& ctx, const Table& products, bool& modified)
{
    const auto chosen = ctx.chooser.saveFile(inStart(ctx, PluSaveDialog()));
    if (!chosen)
        return Outcome::Cancelled;
    const fs::path path = productSaveName(resolve(ctx, chosen->path), chosen->filterIndex);
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

// --- messages ---

Outcome saveMessageList(FileCommandContext& ctx, const Table& messages, bool& modified)
{
    return save(ctx, MsgSaveDialog(), cellWriter(messages), modified);
}

Outcome newMessageList(FileCommandContext& ctx, Table& messages, bool& modified)
{
    return makeNew(ctx, question::kNewMessages, messages, TableId::Messages, modified,
                   [&] { return saveMessageList(ctx, messages, modified); });
}

Outcome openMessageList(FileCommandContext& ctx, Table& messages, bool& modified)
{
    return open(
        ctx, question::kNewMessages, MsgOpenDialog(), messages, TableId::Messages, modified,
        [&] { return saveMessageList(ctx, messages, modified); },
        [&](const fs::path& path) {
            TableLoad load = loadMessageFile(path);
            messages = std::move(load.table);
            return load.error;
        });
}

// --- configuration ---

Outcome saveConfigTable(FileCommandContext& ctx, const Table& config, bool& modified)
{
    return save(ctx, CfgSaveDialog(), cellWriter(config), modified);
}

Outcome newConfigTable(FileCommandContext& ctx, Table& config, bool& modified)
{
    return makeNew(ctx, question::kNewConfig, config, TableId::Config, modified,
                   [&] { return saveConfigTable(ctx, config, modified); });
}

Outcome openConfigTable(FileCommandContext& ctx, Table& config, bool& modified)
{
    return open(
        ctx, question::kNewConfig, CfgOpenDialog(), config, TableId::Config, modified,
        [&] { return saveConfigTable(ctx, config, modified); },
        [&](const fs::path& path) {
            TableLoad load = loadConfigFile(path);
            config = std::move(load.table);
            return load.error;
        });
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
    const auto chosen = ctx.chooser.openFile(inStart(ctx, PluMsgOpenDialog()));
    if (!chosen || row < 1 || row > config.lastRow())
        return false;
    std::error_code ec;
    fs::path full = fs::absolute(resolve(ctx, chosen->path), ec);
    if (ec)
        full = resolve(ctx, chosen->path);
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
