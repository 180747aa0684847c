// The backup commands of the command line: a whole scale into one archive, and back. They run
// the window's operations (backup/BackupTransfer.h) and print the same texts.

#include "backup/BackupTransfer.h"
#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"

namespace qm::cli
{

int runBackup(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const auto out = context.args().value("out");
    if (!out || out->empty()) {
        context.error("backup: нужен --out FILE");
        return kUsage;
    }
    // A folder that cannot take the file is found before the long read, not after it.
    if (!outCanBeSaved(context, *out))
        return kFailed;
    return context.finish(backupScale(scaleLink(context), context.path(*out)));
}

int runRestore(CliContext& context)
{
    const auto file = scaleAndFile(context);
    if (!file)
        return kUsage;
    return context.finish(restoreScale(scaleLink(context), context.path(*file)));
}

} // namespace qm::cli
