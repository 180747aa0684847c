#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "config/ConfigTable.h"
#include "files/SettingsFile.h"
#include "files/TableFiles.h"

namespace qm::cli
{

int runCheckConfig(CliContext& context)
{
    return checkConfigTable(context.config(), context.feedback()) ? kOk : kFailed;
}

int runKeepConfig(CliContext& context)
{
    if (context.args().positional().size() != 1) {
        context.error("keep-config needs one FILE.cfl");
        return kUsage;
    }
    auto load = loadConfigFile(context.path(context.args().positional()[0]));
    if (load.error) {
        context.error(*load.error);
        return kFailed;
    }
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
