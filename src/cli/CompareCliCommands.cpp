// The compare commands of the command line: a product or message file against the cells of a
// scale. They read the scale as the read commands do and write nothing, neither to the scale nor
// to disk. Exit 0 when the scale holds exactly the file's records, kDiffer when not.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CliTableFiles.h"
#include "cli/CommandSupport.h"
#include "cli/JsonObject.h"
#include "cli/TerminalText.h"
#include "common/Cp1251.h"
#include "files/TableFiles.h"
#include "messages/MessageTransfer.h"
#include "products/ProductTransfer.h"

namespace qm::cli
{

namespace
{

std::string numberList(const std::vector<int>& numbers)
{
    std::string out = "[";
    for (size_t i = 0; i < numbers.size(); ++i)
        out += (i ? "," : "") + std::to_string(numbers[i]);
    return out + "]";
}

std::string comparisonJson(const TableComparison& c)
{
    std::string fields = "[";
    for (size_t i = 0; i < c.fields.size(); ++i) {
        const FieldDifference& d = c.fields[i];
        fields += (i ? "," : "") + JsonObject()
                                       .number("number", d.number)
                                       .text("field", d.field)
                                       .text("file", cp1251ToUtf8(d.tableValue))
                                       .text("scale", cp1251ToUtf8(d.scaleValue))
                                       .str();
    }
    return "{\"equal\":" + std::string(c.equal() ? "true" : "false") + ",\"onlyInFile\":" + numberList(c.onlyInTable) +
           ",\"onlyInScale\":" + numberList(c.onlyInScale) + ",\"fields\":" + fields + "]}\n";
}

std::string quoted(const std::string& cp1251)
{
    return "\"" + shownText(cp1251ToUtf8(cp1251)) + "\"";
}

// One line per difference, numbers ascending within each kind, then the counts.
std::string comparisonText(const TableComparison& c)
{
    if (c.equal())
        return "Различий нет.\n";
    std::string out;
    for (int n : c.onlyInTable)
        out += "№ " + std::to_string(n) + ": только в файле\n";
    for (int n : c.onlyInScale)
        out += "№ " + std::to_string(n) + ": только в весах\n";
    for (const FieldDifference& d : c.fields)
        out += "№ " + std::to_string(d.number) + ", «" + d.field + "»: в файле " + quoted(d.tableValue) + ", в весах " +
               quoted(d.scaleValue) + "\n";
    return out + "Только в файле: " + std::to_string(c.onlyInTable.size()) +
           ", только в весах: " + std::to_string(c.onlyInScale.size()) +
           ", различных полей: " + std::to_string(c.fields.size()) + ".\n";
}

int printed(CliContext& context, const OperationResult& result, const TableComparison& comparison)
{
    if (!result)
        return context.finish(result);
    std::cout << (context.args().has("json") ? comparisonJson(comparison) : comparisonText(comparison)) << std::flush;
    return comparison.equal() ? kOk : kDiffer;
}

// The table of the one FILE against the scale's records.
int compareFile(CliContext& context, LoadTable load,
                OperationResult (*compare)(const ScaleLink&, const Table&, TableComparison&))
{
    int code = kOk;
    const auto table = loadOnlyFile(context, OnScale::Yes, load, code);
    if (!table)
        return code;
    TableComparison comparison;
    const OperationResult result = compare(scaleLink(context), *table, comparison);
    return printed(context, result, comparison);
}

} // namespace

int runCompareProducts(CliContext& context)
{
    return compareFile(context, loadProducts, compareProducts);
}

int runCompareMessages(CliContext& context)
{
    return compareFile(context, loadMessages, compareMessages);
}

} // namespace qm::cli
