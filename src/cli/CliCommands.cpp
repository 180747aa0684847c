#include "cli/CliCommands.h"

namespace qm::cli
{

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands = {
        {"check-config", "", "check the configuration table", {}, Needs::Config, runCheckConfig},
        {"test-link",
         "(--scale NAME | --all)",
         "test the link to one configured scale, or to every configuration row in turn; prints a test row per "
         "scale; exit 0 only when all are \"рабочее\"",
         {"all"},
         Needs::Config,
         runTestLink},
        {"detect",
         "--port COMn --speed S",
         "find the number of the scale on a port: probes 1..99 and prints the number that answered",
         {"port", "speed"},
         Needs::Nothing,
         runDetect},
        {"ports",
         "[--json]",
         "list the COM names that lead to a device now, with the device and its maker and product",
         {"json"},
         Needs::Nothing,
         runPorts},
        {"keep-config",
         "FILE.cfl",
         "check the configuration of FILE.cfl and keep it in qm1_6.cfg of the start directory",
         {},
         Needs::File,
         runKeepConfig},
        {"check-products",
         "FILE",
         "check a product file (.pl6 or .plu) as the product tab checks its table",
         {},
         Needs::File,
         runCheckProducts},
        {"send-products",
         "--scale NAME FILE [--rows FIRST-LAST] [--virtual] [--no-check]",
         "send a product file to a scale: the whole table, or rows FIRST..LAST",
         {"rows", "virtual", "no-check"},
         Needs::FileAndConfig,
         runSendProducts},
        {"read-products",
         "--scale NAME (--all | --plu N | --range FIRST-LAST) --out FILE",
         "read products from a scale into a .pl6 or .plu file",
         {"all", "plu", "range", "out"},
         Needs::Config,
         runReadProducts},
        {"delete-products",
         "--scale NAME (--all | --plu N | --range FIRST-LAST) [--yes]",
         "delete products in a scale (asks first unless --yes)",
         {"all", "plu", "range"},
         Needs::Config,
         runDeleteProducts},
        {"cancel-range", "--scale NAME", "cancel the virtual range set in a scale", {}, Needs::Config, runCancelRange},
        {"check-messages",
         "FILE",
         "check a message file (.msg) as the message tab checks its table",
         {},
         Needs::File,
         runCheckMessages},
        {"send-messages",
         "--scale NAME FILE [--rows FIRST-LAST] [--no-check]",
         "send a message file to a scale: the whole table, or rows FIRST..LAST",
         {"rows", "no-check"},
         Needs::FileAndConfig,
         runSendMessages},
        {"read-messages",
         "--scale NAME (--all | --msg N | --range FIRST-LAST) --out FILE.msg",
         "read messages from a scale into a .msg file",
         {"all", "msg", "range", "out"},
         Needs::Config,
         runReadMessages},
        {"delete-messages",
         "--scale NAME (--all | --msg N | --range FIRST-LAST) [--yes]",
         "delete messages in a scale (asks first unless --yes)",
         {"all", "msg", "range"},
         Needs::Config,
         runDeleteMessages},
        {"read-settings",
         "--scale NAME [--json]",
         "read a scale's user settings and shop name",
         {"json"},
         Needs::Config,
         runReadSettings},
        {"write-settings",
         "--scale NAME [--department N] [--label-format N] [--barcode-format N] [--offset N] [--min-weight N]\n"
         "      [--options N] [--shop1 TEXT] [--shop2 TEXT] [--date DD.MM.YY --time HH:MM:SS | --now] [--yes]",
         "write user settings, shop name, date and time (only the stages given; each asks first unless --yes)",
         {"department", "label-format", "barcode-format", "offset", "min-weight", "options", "shop1", "shop2", "date",
          "time", "now"},
         Needs::Config,
         runWriteSettings},
        {"read-status", "--scale NAME [--json]", "read a scale's state: flags, weight, price, total, product", {"json"},
         Needs::Config, runReadStatus},
        {"read-keys",
         "--scale NAME [--out FILE]",
         "read the 54 price keys as lines KEY<TAB>CELL",
         {"out"},
         Needs::Config,
         runReadKeys},
        {"write-keys",
         "--scale NAME FILE",
         "write the price keys from lines KEY<TAB>CELL (keys left out call up nothing)",
         {},
         Needs::FileAndConfig,
         runWriteKeys},
        {"read-factory", "--scale NAME [--json]", "read a scale's factory settings", {"json"}, Needs::Config,
         runReadFactory},
        {"send-logo", "--scale NAME FILE.qmi", "send a logo file to a scale", {}, Needs::FileAndConfig, runSendLogo},
        {"read-logo",
         "--scale NAME --out FILE.qmi",
         "read a scale's logo into a logo file (a failed read writes nothing)",
         {"out"},
         Needs::Config,
         runReadLogo},
        {"convert-logo",
         "PICTURE [--threshold N] --out FILE.qmi",
         "convert the top-left 64x64 pixels of a picture (BMP, PNG, JPEG, GIF ...) into a logo file; "
         "N 20..220, default 127: a higher threshold makes more dots black",
         {"threshold", "out"},
         Needs::File,
         runConvertLogo},
        {"show-logo",
         "FILE.qmi",
         "show a logo file as 64 rows of text, # for a printed dot and . for a white one",
         {},
         Needs::File,
         runShowLogo},
        {"read-report",
         "--scale NAME (--all | --plu N) [--totals] --out FILE.acc",
         "read the sales report of every product (or of one), with --totals also the general totals, into a "
         "report file",
         {"all", "plu", "totals", "out"},
         Needs::Config,
         runReadReport},
        {"read-totals",
         "--scale NAME [--json]",
         "read the general sales totals of a scale; --json prints them as one JSON object",
         {"json"},
         Needs::Config,
         runReadTotals},
        {"clear-totals",
         "--scale NAME (--all-plu | --plu N | --grand) [--yes]",
         "clear the sales totals of every product, of one, or the grand total in a scale (asks first unless --yes)",
         {"all-plu", "plu", "grand"},
         Needs::Config,
         runClearTotals},
        {"print",
         "FILE --pdf OUT.pdf",
         "write the printout of a .pl6, .plu, .msg, .cfl or .acc file as a PDF (needs no display)",
         {"pdf"},
         Needs::File,
         runPrint},
        {"autoload",
         "(--once | --period SECONDS) [--virtual] [--no-protocol] [--no-queue]",
         "load every configured scale's load files unattended, as auto mode does: one cycle, or cycles\n"
         "      SECONDS apart until SIGINT or SIGTERM; one line per load on standard output",
         {"once", "period", "virtual", "no-protocol", "no-queue"},
         Needs::Config,
         runAutoload},
        {"export-csv",
         "FILE.(pl6|plu|msg|cfl) OUT.csv",
         "write a product, message or configuration file as CSV for spreadsheets (UTF-8, \";\")",
         {},
         Needs::TwoFiles,
         runExportCsv},
        {"import-csv",
         "IN.csv OUT.(pl6|plu|msg|cfl)",
         "read a CSV sheet into a product, message or configuration file; writes nothing when a row is wrong",
         {},
         Needs::TwoFiles,
         runImportCsv},
    };
    return commands;
}

const CliCommand* findCommand(const std::string& name)
{
    for (const auto& c : cliCommands())
        if (c.name == name)
            return &c;
    return nullptr;
}

const std::vector<std::string>& commonOptions()
{
    static const std::vector<std::string> options = {"dir", "config", "trace",   "scale",
                                                     "yes", "help",   "version", "verbose"};
    return options;
}

const char* commonOptionsHelp()
{
    return "  --dir DIR          start directory (default: the current directory): its qm1_6.cfg\n"
           "                     holds the kept configuration, its ports.cfg maps COMn to devices\n"
           "  --config FILE.cfl  configuration table to use instead of the one kept in qm1_6.cfg\n"
           "  --scale NAME       the scale, by its name in the configuration table\n"
           "  --trace FILE       write every byte on the serial line to FILE with time stamps\n"
           "  --verbose          also print the system's own text of a port failure\n"
           "  --yes              answer Yes to every question\n"
           "  -h, --help         show this help (after a command: that command's help)\n"
           "  --version          show the program's version\n"
           "Relative paths (FILE, --out, --config, --trace) are taken from the current directory.\n";
}

} // namespace qm::cli
