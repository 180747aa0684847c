// The CSV exchange of the command line: a product, message or configuration file to a CSV sheet
// and back, through the functions of the window's "Экспорт в CSV" and "Импорт из CSV". The table
// is told by the extension of its file.

#include <cctype>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CliTableFiles.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/CsvFile.h"
#include "files/TableFiles.h"
#include "messages/MessageCheck.h"
#include "products/PluCheck.h"

namespace qm::cli
{

namespace
{

struct TableFile {
    const TableLayout& (*layout)();
    RowCheck check;
    std::optional<Table> (*load)(CliContext& context, const std::string& file);
    bool (*save)(CliContext& context, const std::string& file, const Table& table);
};

// By the extension, letter case aside: .pl6 and .plu products, .msg messages, .cfl
// configuration. A product file is then read and written as .pl6 only with exactly ".pl6", as
// everywhere in the program.
std::optional<TableFile> tableFileOf(const std::string& file)
{
    std::string extension = extensionOf(file);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".pl6" || extension == ".plu")
        return TableFile{productLayout, productRowFailure, loadProducts, saveProducts};
    if (extension == ".msg")
        return TableFile{messageLayout, messageRowFailure, loadMessages, saveCellTable};
    if (extension == ".cfl")
        return TableFile{configLayout, configRowFailure, loadConfig, saveCellTable};
    return std::nullopt;
}

// The two FILE words, and the table of the one at `tableWord`; nullopt with the usage error printed.
std::optional<TableFile> twoFiles(CliContext& context, size_t tableWord, std::string& in, std::string& out)
{
    const auto& words = context.args().positional();
    if (words.size() != 2) {
        context.error(context.args().command() + ": нужны два слова FILE");
        return std::nullopt;
    }
    in = context.path(words[0]);
    out = context.path(words[1]);
    auto table = tableFileOf(words[tableWord]);
    if (!table)
        context.error(words[tableWord] + ": не файл товаров (.pl6, .plu), сообщений (.msg) или конфигурации (.cfl)");
    return table;
}

} // namespace

int runExportCsv(CliContext& context)
{
    std::string in, out;
    const auto file = twoFiles(context, 0, in, out);
    if (!file)
        return kUsage;
    const auto table = file->load(context, in);
    if (!table)
        return kFailed;
    if (const auto error = saveCsvFile(out, *table)) {
        context.error(*error);
        return kFailed;
    }
    return kOk;
}

int runImportCsv(CliContext& context)
{
    std::string in, out;
    const auto file = twoFiles(context, 1, in, out);
    if (!file)
        return kUsage;
    const Table shape = makeTable(file->layout());
    const CsvLoad load = loadCsvFile(in, shape, file->check);
    if (load.error) {
        context.error(*load.error);
        return kFailed;
    }
    // Every wrong record is listed, and nothing is written.
    if (!load.problems.empty()) {
        context.error(csvProblemReport(in, load.problems, shape));
        return kFailed;
    }
    return file->save(context, out, load.table) ? kOk : kFailed;
}

} // namespace qm::cli
