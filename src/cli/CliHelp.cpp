#include "cli/CliHelp.h"

#include <ostream>

#include "ManPage.h"

namespace qm::cli
{

namespace
{

using man::HelpItem;

const man::Program kProgram{
    "qmscales-cli", "[--dir DIR] [--config FILE.cfl] [--trace FILE] [--verbose] COMMAND [ARGS]",
    "утилита обслуживания весов QM с печатью этикеток",
    "0 успех, 1 операция не удалась, 2 неверный вызов (в том числе нет конфигурации), 3 весы хранят не то, что файл "
    "(compare-products, compare-messages)."};
const char* const kDescription =
    "Товары, сообщения, настройки, ценовые клавиши, логотип и отчеты весов QM из командной строки, для "
    "сценариев и службы автоматической загрузки; все, что делает окно qmscales, кроме правки таблиц.";
const char* const kOneCommand = "qmscales-cli COMMAND --help показывает справку одной команды.";
const char* const kRelativePaths =
    "Относительные пути (FILE, --out, --config, --trace) берутся от текущего каталога. --out - выводит на "
    "стандартный вывод то, что выводится текстом (read-keys).";

const std::vector<HelpItem>& commonOptionsHelp()
{
    static const std::vector<HelpItem> options = {
        {"--dir DIR", "папка запуска (по умолчанию текущая): ее qm1_6.cfg хранит сохраненную конфигурацию, "
                      "ее ports.cfg сопоставляет имена COMn устройствам"},
        {"--config FILE.cfl", "таблица конфигурации вместо сохраненной в qm1_6.cfg"},
        {"--scale NAME", "весы по их наименованию в таблице конфигурации"},
        {"--trace FILE", "записывать каждый байт линии в FILE с отметками времени"},
        {"--verbose", "при сбое порта выводить и собственный текст системы"},
        {"--yes", "отвечать «Да» на каждый вопрос"},
        {"-h, --help", "показать эту справку (после команды: справку команды)"},
        {"--version", "показать версию программы"},
    };
    return options;
}

std::vector<HelpItem> commandItems()
{
    std::vector<HelpItem> items;
    for (const auto& c : cliCommands())
        items.push_back({c.name + (c.usage.empty() ? "" : " " + c.usage), c.summary});
    return items;
}

void printCommonOptions(std::ostream& out)
{
    man::writeHelpItems(out, commonOptionsHelp(), 19);
    out << man::wrap(kRelativePaths, man::kHelpWidth, 0) << "\n";
}

} // namespace

void printHelp(std::ostream& out)
{
    man::writeUsage(out, kProgram, kProgram.synopsis);
    out << man::wrap(kDescription, man::kHelpWidth, 0) << "\n\nОбщие параметры:\n";
    printCommonOptions(out);
    out << "\nКоманды:\n";
    // A command's words, then its summary under it.
    for (const auto& c : commandItems())
        out << "  " << man::wrap(c.term, man::kHelpWidth, 6, 2) << "\n      "
            << man::wrap(c.text, man::kHelpWidth, 6, 6) << "\n";
    out << "\n" << kOneCommand << "\n";
    man::writeExitStatus(out, kProgram);
}

void printCommandHelp(std::ostream& out, const CliCommand& command)
{
    man::writeUsage(out, kProgram,
                    "[общие параметры] " + command.name + (command.usage.empty() ? "" : " " + command.usage));
    out << "  " << man::wrap(command.summary, man::kHelpWidth, 2, 2) << "\n\nОбщие параметры:\n";
    printCommonOptions(out);
    out << "\n";
    man::writeExitStatus(out, kProgram);
}

void printManPage(std::ostream& out, const std::string& version, const std::string& date)
{
    man::Page page = man::programPage(kProgram, version, date, {"COMMAND --help"});
    page.sections = {
        {"DESCRIPTION", {kDescription, kOneCommand}, {}},
        {"OPTIONS", {}, commonOptionsHelp()},
        {"COMMANDS", {kRelativePaths}, commandItems()},
        {"FILES", {}, man::programFiles()},
        {"ENVIRONMENT", {}, {{"QT_QPA_PLATFORM", "print рисует PDF без дисплея (offscreen) при любом значении"}}},
        {"EXIT STATUS", {kProgram.exitStatus}, {}},
        {"EXAMPLES",
         {},
         {{"qmscales-cli --config shop.cfl --scale Касса1 send-products prices.pl6",
           "отправить файл товаров в весы Касса1"},
          {"qmscales-cli --scale Касса1 read-keys --out -", "вывести ценовые клавиши на стандартный вывод"},
          {"qmscales-cli --dir /var/lib/qmscales keep-config shop.cfl",
           "сохранить конфигурацию для службы автоматической загрузки"},
          {"systemctl enable --now qmscales-autoload.service", "включить службу автоматической загрузки"}}},
        {"SEE ALSO", {"qmscales(1), qmscale-emu(1)"}, {}},
    };
    man::writeManPage(out, page);
}

} // namespace qm::cli
