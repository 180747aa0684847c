#pragma once
// The table of commands of qmscales-cli. Adding a command: write its run function in a file
// named after its subject (ProductCliCommands.cpp ...) and add one entry to cliCommands().

#include <string>
#include <vector>

namespace qm::cli
{

class CliContext;

// What a command needs besides its options.
enum class Needs {
    Nothing,       // no file word, no configuration
    File,          // one FILE word
    Config,        // the configuration table (--config, or the rows kept in qm1_6.cfg)
    FileAndConfig, // both
    TwoFiles,      // two FILE words: the file read and the file written
};

struct CliCommand {
    std::string name;
    std::string usage;                // the words after the command name
    std::string summary;              // one line for --help
    std::vector<std::string> options; // options the command accepts besides the common ones
    Needs needs;
    int (*run)(CliContext& context);

    bool takesFile() const { return needs == Needs::File || needs == Needs::FileAndConfig; }
    size_t fileWords() const { return needs == Needs::TwoFiles ? 2 : takesFile() ? 1 : 0; }
    bool needsConfig() const { return needs == Needs::Config || needs == Needs::FileAndConfig; }
};

const std::vector<CliCommand>& cliCommands();
const CliCommand* findCommand(const std::string& name);

// Options every command accepts.
const std::vector<std::string>& commonOptions();

// Commands, one group per file.
int runCheckConfig(CliContext& context);
int runTestLink(CliContext& context);
int runDetect(CliContext& context);
int runPorts(CliContext& context);
int runKeepConfig(CliContext& context);
int runCheckProducts(CliContext& context);
int runSendProducts(CliContext& context);
int runReadProducts(CliContext& context);
int runDeleteProducts(CliContext& context);
int runCancelRange(CliContext& context);
int runCompareProducts(CliContext& context);
int runCompareMessages(CliContext& context);
int runCheckMessages(CliContext& context);
int runSendMessages(CliContext& context);
int runReadMessages(CliContext& context);
int runDeleteMessages(CliContext& context);
int runReadSettings(CliContext& context);
int runWriteSettings(CliContext& context);
int runReadStatus(CliContext& context);
int runReadKeys(CliContext& context);
int runWriteKeys(CliContext& context);
int runReadFactory(CliContext& context);
int runSendLogo(CliContext& context);
int runReadLogo(CliContext& context);
int runConvertLogo(CliContext& context);
int runShowLogo(CliContext& context);
int runReadReport(CliContext& context);
int runReadTotals(CliContext& context);
int runClearTotals(CliContext& context);
int runPrint(CliContext& context);
int runAutoload(CliContext& context);
int runExportCsv(CliContext& context);
int runImportCsv(CliContext& context);
int runBackup(CliContext& context);
int runRestore(CliContext& context);

} // namespace qm::cli
