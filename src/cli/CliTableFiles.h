#pragma once
// The table files the commands read and write: product files (.pl6, or .plu with the logo
// index kept in qm1_6.cfg), and the cell-per-line message and configuration files. A failure is
// printed on standard error; the result says whether it happened.

#include <optional>
#include <string>

#include "cli/CliContext.h"
#include "common/Failure.h"
#include "common/Feedback.h"
#include "common/Table.h"
#include "files/TableFiles.h"

namespace qm::cli
{

// A table file's reader: the table, or nullopt with the failure printed.
using LoadTable = std::optional<Table> (*)(CliContext& context, const std::string& file);

std::optional<Table> loadProducts(CliContext& context, const std::string& file);
// As .pl6 or .plu by the name's extension. The .plu format cuts some cells: the rows concerned
// are named on standard error, and the file is written all the same.
bool saveProducts(CliContext& context, const std::string& file, const Table& products);

// A message file, a configuration file.
std::optional<Table> loadMessages(CliContext& context, const std::string& file);
std::optional<Table> loadConfig(CliContext& context, const std::string& file);
bool saveCellTable(CliContext& context, const std::string& file, const Table& table);

// check-products, check-messages: the table of the one FILE checked whole as before a send.
int checkTableFile(CliContext& context, LoadTable load, OperationResult (*check)(const Table&, Feedback&));

} // namespace qm::cli
