// The product commands of the command line: check a product file, send it to a scale, read a
// scale's products into a file, delete products in a scale, cancel the virtual range. They run
// the window's operations and print the same texts; the exit code follows the operation's
// outcome. MessageCliCommands.cpp has the same shape.

#include <filesystem>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CliTableFiles.h"
#include "cli/CommandSupport.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/AppSettings.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"
#include "operation/OperationTexts.h"
#include "products/PluCheck.h"
#include "products/ProductRanges.h"
#include "products/ProductTexts.h"
#include "products/ProductTransfer.h"

namespace qm::cli
{

int runCheckProducts(CliContext& context)
{
    return checkTableFile(context, loadProducts, checkProductTable);
}

int runSendProducts(CliContext& context)
{
    const auto file = scaleAndFile(context);
    if (!file)
        return kUsage;
    const Args& a = context.args();
    if (a.has("rows") && (a.has("virtual") || a.has("no-check"))) {
        context.error("--virtual и --no-check относятся ко всей таблице, а не к --rows");
        return kUsage;
    }
    const auto products = loadProducts(context, *file);
    if (!products)
        return kFailed;
    OperationResult result;
    if (a.has("rows")) {
        const auto range =
            rangeOption(context, "rows", productRange(ProductRangeKind::RowsToSend), products->rowCount() - 1);
        if (!range)
            return kUsage;
        result = sendProductRange(scaleLink(context), *products, range->first, range->last);
    } else {
        SendTableOptions options;
        options.checkFirst = !a.has("no-check");
        options.virtualSync = a.has("virtual");
        result = sendProductTable(scaleLink(context), *products, options);
    }
    return context.finish(result);
}

int runReadProducts(CliContext& context)
{
    static const ReadCommands reads{"plu",
                                    kMaxPlu,
                                    producttext::kBadPluToRead,
                                    productRange(ProductRangeKind::PluToRead),
                                    readAllProducts,
                                    readOneProduct,
                                    readProductRange};
    const Selection what = selection(context, reads.option);
    if (what == Selection::None)
        return kUsage;
    const auto out = context.args().value("out");
    const std::string ext = out ? std::filesystem::path(*out).extension().string() : std::string();
    if (ext != ".pl6" && ext != ".plu") {
        context.error("read-products: нужен --out FILE.pl6 или --out FILE.plu");
        return kUsage;
    }
    Table products = makeTable(productLayout());
    OperationResult result;
    return readSelected(
        context, what, reads, *out, products,
        [&](const std::string& path) { return saveProducts(context, path, products); }, result);
}

int runDeleteProducts(CliContext& context)
{
    return deleteSelected(context,
                          {"plu", kMaxPlu, producttext::kBadPluToDelete, productRange(ProductRangeKind::PluToDelete),
                           deleteAllProducts, deleteOneProduct, deleteProductRange});
}

int runCancelRange(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    return context.finish(cancelVirtualRange(scaleLink(context)));
}

} // namespace qm::cli
