#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "config/ConfigTable.h"
#include "files/SettingsFile.h"
#include "files/TableFiles.h"

namespace qm::cli
{

namespace
{

// The first wrong row of a configuration table with its check message and its cell named; true
// when every row passes.
bool configRowsPass(CliContext& context, const Table& config)
{
    for (int r = 1; r < config.rowCount(); ++r) {
        if (const auto failure = configRowFailure(config, r)) {
            context.feedback().reportFailure(*failure);
            return false;
        }
    }
    return true;
}

} // namespace

int runCheckConfig(CliContext& context)
{
    const OperationResult checked = checkConfigTable(context.config(), context.feedback());
    return checked ? kOk : kFailed;
}

int runKeepConfig(CliContext& context)
{
    const auto file = onlyFile(context);
    if (!file)
        return kUsage;
    auto load = loadConfigFile(*file);
    if (load.error) {
        context.error(*load.error);
        return kFailed;
    }
    // A configuration that the check refuses is not kept: every later run would fail on it.
    if (!configRowsPass(context, load.table))
        return kFailed;
    // The settings file is read the way the window reads it (defaults written when missing),
    // so every other line survives; the rows are kept only with the keep-configuration box on.
    auto settings = OpenFormFile(context.dir());
    if (settings.error) {
        context.error(*settings.error);
        return kFailed;
    }
    settings.settings.keepConfig = true;
    settings.settings.configTable = std::move(load.table);
    if (const auto failed = SaveFormFile(context.dir(), settings.settings)) {
        context.error(*failed);
        return kFailed;
    }
    return kOk;
}

} // namespace qm::cli
