// The product commands of the command line: check a product file, send it to a scale, read a
// scale's products into a file, delete products in a scale, cancel the virtual range. They run
// the window's operations and print the same texts; the exit code follows the operation's
// outcome.

#include <filesystem>
#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/AppSettings.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "products/PluCheck.h"
#include "products/ProductColumns.h"
#include "products/ProductMessages.h"
#include "products/ProductRanges.h"
#include "products/ProductTransfer.h"

namespace qm::cli
{

namespace
{

// A .plu file gives every row the logo chooser's index kept in qm1_6.cfg (0 without one).
bool loadProducts(CliContext& context, const std::string& file, Table& products)
{
    ProductLoad load = loadProductFile(file, context.settings().logoIndex);
    if (load.error) {
        context.error(*load.error);
        return false;
    }
    products = std::move(load.table);
    return true;
}

// A range option checked as its dialog checks it; the dialog's message and false when wrong.
bool rangeOption(CliContext& context, const std::string& option, ProductRangeKind kind, int dataRows, RangeCheck& range)
{
    const auto [first, last] = splitRange(context.args().value(option).value_or(""));
    range = checkProductRange(kind, first, last, dataRows);
    if (!range.range)
        context.feedback().message(range.message);
    return range.range.has_value();
}

bool pluOption(CliContext& context, const char* badMessage)
{
    if (intTextIn(context.args().value("plu").value_or(""), 1, kMaxPlu))
        return true;
    context.feedback().message(badMessage);
    return false;
}

// Saves what a read brought, as .pl6 or .plu by the name's extension. The .plu format cuts some
// cells: the rows concerned are named on standard error.
bool saveProducts(CliContext& context, const std::string& file, const Table& products)
{
    std::optional<std::string> error;
    if (productFormatOf(file) == ProductFormat::Pl6) {
        error = saveCellFile(file, products);
    } else {
        for (const PluLoss& loss : pluLosses(products))
            context.error("row " + std::to_string(loss.row) + " does not fit the .plu format whole");
        error = SaveFile1_5(file, products);
    }
    if (error)
        context.error(*error);
    return !error;
}

} // namespace

int runCheckProducts(CliContext& context)
{
    const auto onlyPath = onlyFile(context);
    if (!onlyPath)
        return kUsage;
    const std::string file = *onlyPath;
    Table products;
    if (!loadProducts(context, file, products))
        return kFailed;
    const OperationResult checked = checkProductTable(products, context.feedback());
    // The window shows the bad cell with its cursor; here it is named.
    nameFailedCell(context, checked, TableId::Products);
    return checked ? kOk : kFailed;
}

int runSendProducts(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const auto onlyPath = onlyFile(context);
    if (!onlyPath)
        return kUsage;
    const std::string file = *onlyPath;
    const auto& a = context.args();
    if (a.has("rows") && (a.has("virtual") || a.has("no-check"))) {
        context.error("--virtual and --no-check apply to the whole table, not to --rows");
        return kUsage;
    }
    Table products;
    if (!loadProducts(context, file, products))
        return kFailed;
    const ProductLink link = scaleLink(context);
    context.setPortFailureMessage(msg::kWriteFailed);
    OperationResult result;
    if (a.has("rows")) {
        RangeCheck range;
        if (!rangeOption(context, "rows", ProductRangeKind::RowsToSend, products.rowCount() - 1, range))
            return kUsage;
        result = sendProductRange(link, products, range.range->first, range.range->last);
    } else {
        SendTableOptions options;
        options.checkFirst = !a.has("no-check");
        options.virtualSync = a.has("virtual");
        result = sendProductTable(link, products, options);
    }
    // A row that fails its check, or that cannot be sent, ends the send with the cursor on its
    // cell: named as check-products names it.
    nameFailedCell(context, result, TableId::Products);
    return context.finish(result);
}

int runReadProducts(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const Selection what = selection(context, "plu");
    if (what == Selection::None)
        return kUsage;
    const auto out = context.args().value("out");
    const std::string ext = out ? std::filesystem::path(*out).extension().string() : std::string();
    if (ext != ".pl6" && ext != ".plu") {
        context.error("read-products needs --out FILE.pl6 or --out FILE.plu");
        return kUsage;
    }
    Table products = makeTable(productLayout());
    bool modified = false;
    TableWriter sink(products, &modified);
    const ProductLink link = scaleLink(context);
    const SaveCommand noSave; // a fresh table is never modified: the question is not asked
    context.setPortFailureMessage(msg::kReadFailed);
    // A stopped read's "Данные приняты." gives way to the command line's own message.
    context.feedback().holdAfterStop(true);
    OperationResult result;
    if (what == Selection::All) {
        result = readAllProducts(link, sink, noSave);
    } else if (what == Selection::One) {
        if (!pluOption(context, pmsg::kBadPluToRead))
            return kUsage;
        result = readOneProduct(link, *context.args().value("plu"), sink, noSave);
    } else {
        RangeCheck range;
        if (!rangeOption(context, "range", ProductRangeKind::PluToRead, 0, range))
            return kUsage;
        result = readProductRange(link, range.range->first, range.range->last, sink, noSave);
    }
    int rows = 0;
    for (int r = 1; r < products.rowCount(); ++r)
        rows += !products.cell(r, plucol::Plu).empty();
    return saveRead(context, result, *out, rows,
                    [&](const std::string& path) { return saveProducts(context, path, products); });
}

int runDeleteProducts(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const Selection what = selection(context, "plu");
    if (what == Selection::None)
        return kUsage;
    const ProductLink link = scaleLink(context);
    if (what == Selection::All) {
        context.setPortFailureMessage(pmsg::kDeleteFailed);
        return context.finish(deleteAllProducts(link));
    }
    if (what == Selection::One) {
        if (!pluOption(context, pmsg::kBadPluToDelete))
            return kUsage;
        context.setPortFailureMessage(pmsg::kNotDeleted);
        return context.finish(deleteOneProduct(link, *context.args().value("plu")));
    }
    RangeCheck range;
    if (!rangeOption(context, "range", ProductRangeKind::PluToDelete, 0, range))
        return kUsage;
    context.setPortFailureMessage(pmsg::kDeleteFailed);
    return context.finish(deleteProductRange(link, range.range->first, range.range->last));
}

int runCancelRange(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    context.setPortFailureMessage(pmsg::kRangeNotCancelled);
    return context.finish(cancelVirtualRange(scaleLink(context)));
}

} // namespace qm::cli
