#include "cli/CliTableFiles.h"

#include "cli/CommandSupport.h"
#include "files/PluFile.h"

namespace qm::cli
{

namespace
{

// ProductLoad or TableLoad.
template <class Load> std::optional<Table> tableOf(CliContext& context, Load load)
{
    if (load.error) {
        context.error(*load.error);
        return std::nullopt;
    }
    return std::move(load.table);
}

} // namespace

std::optional<Table> loadProducts(CliContext& context, const std::string& file)
{
    return tableOf(context, loadProductFile(file, context.settings().logoIndex));
}

bool saveProducts(CliContext& context, const std::string& file, const Table& products)
{
    std::optional<std::string> error;
    if (productFormatOf(file) == ProductFormat::Pl6) {
        error = saveCellFile(file, products);
    } else {
        for (const PluLoss& loss : pluLosses(products))
            context.error("Строка " + std::to_string(loss.row) +
                          " не помещается в формат .plu целиком: часть данных будет потеряна.");
        error = SaveFile1_5(file, products);
    }
    if (error)
        context.error(*error);
    return !error;
}

std::optional<Table> loadMessages(CliContext& context, const std::string& file)
{
    return tableOf(context, loadMessageFile(file));
}

std::optional<Table> loadConfig(CliContext& context, const std::string& file)
{
    return tableOf(context, loadConfigFile(file));
}

bool saveCellTable(CliContext& context, const std::string& file, const Table& table)
{
    const auto error = saveCellFile(file, table);
    if (error)
        context.error(*error);
    return !error;
}

int checkTableFile(CliContext& context, LoadTable load, OperationResult (*check)(const Table&, Feedback&))
{
    int code = kOk;
    const auto table = loadOnlyFile(context, OnScale::No, load, code);
    if (!table)
        return code;
    return check(*table, context.feedback()) ? kOk : kFailed;
}

} // namespace qm::cli
