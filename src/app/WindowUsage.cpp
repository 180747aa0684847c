#include "app/WindowUsage.h"

#include <cstdlib>
#include <ostream>

#include "ManPage.h"

namespace qm::app
{

namespace
{

using man::HelpItem;

const man::Program kProgram{"qmscales", "[--user-data] [ПАРАМЕТРЫ Qt]",
                            "настройка и обслуживание весов QM с печатью этикеток",
                            "0 окно закрыто, 1 не удалось создать каталог данных, 2 неверный вызов."};
const char* const kStartDirectory =
    "Папка запуска хранит конфигурацию (qm1_6.cfg), ports.cfg и протокол загрузки protocol.txt. Запущенное "
    "из терминала окно работает в текущем каталоге; пункт меню запускает qmscales --user-data, и окно работает в "
    "~/.local/share/qmscales, не засоряя домашний каталог.";

const std::vector<HelpItem>& windowOptions()
{
    static const std::vector<HelpItem> options = {
        {"--user-data", "папка запуска: каталог данных пользователя $XDG_DATA_HOME/qmscales (по умолчанию "
                        "~/.local/share/qmscales), создается при первом запуске; так запускает пункт меню"},
        {"-h, --help", "показать эту справку"},
        {"--version", "показать версию программы"},
    };
    return options;
}

} // namespace

WindowStart parseWindowArgs(const std::vector<std::string>& words)
{
    WindowStart start;
    const auto usage = [&](const std::string& error) {
        start.action = WindowStart::Action::Usage;
        start.error = error;
        return start;
    };
    for (const auto& word : words) {
        if (word == "-h" || word == "--help")
            start.action = WindowStart::Action::Help;
        else if (word == "--version" && words.size() > 1)
            return usage("--version не принимает других слов");
        else if (word == "--version")
            start.action = WindowStart::Action::Version;
        else if (word == "--man" && words.size() == 1) // the build writes the manual page with it
            start.action = WindowStart::Action::Manual;
        else if (word == "--user-data")
            start.userData = true;
        else if (word.compare(0, 2, "--") == 0)
            return usage("неизвестный параметр " + word);
    }
    return start;
}

void printWindowHelp(std::ostream& out)
{
    man::writeUsage(out, kProgram, kProgram.synopsis);
    out << man::wrap(std::string("Весы QM: ") + kProgram.summary + ".", man::kHelpWidth, 0) << "\n\nПараметры:\n";
    man::writeHelpItems(out, windowOptions(), 14);
    out << "\n" << man::wrap(kStartDirectory, man::kHelpWidth, 0) << "\n";
    man::writeExitStatus(out, kProgram);
}

void printWindowManPage(std::ostream& out, const std::string& version, const std::string& date)
{
    man::Page page = man::programPage(kProgram, version, date);
    page.sections = {
        {"DESCRIPTION",
         {"Окно программы: товары, сообщения, настройки, ценовые клавиши, логотип, отчеты и автоматическая "
          "загрузка весов QM по RS-232 или через преобразователь Ethernet.",
          kStartDirectory},
         {}},
        {"OPTIONS", {}, windowOptions()},
        {"FILES", {}, man::programFiles()},
        {"ENVIRONMENT",
         {},
         {{"QMSCALES_TRACE", "FILE: записывать каждый байт линии в FILE (относительно папки запуска) с "
                             "отметками времени"},
          {"QMSCALES_HELP_DIR", "каталог страниц справки вместо установленного"},
          {"XDG_DATA_HOME", "где лежит каталог данных пользователя для --user-data"}}},
        {"EXIT STATUS", {kProgram.exitStatus}, {}},
        {"EXAMPLES",
         {},
         {{"qmscales", "окно в текущем каталоге"},
          {"qmscales --user-data", "окно в ~/.local/share/qmscales, как из меню"},
          {"QMSCALES_TRACE=trace.txt qmscales", "окно, записывающее обмен с весами в trace.txt"}}},
        {"SEE ALSO", {"qmscales-cli(1), qmscale-emu(1)"}, {}},
    };
    man::writeManPage(out, page);
}

std::string userDataFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::string(data) + "/qmscales";
    if (const char* home = std::getenv("HOME"); home && home[0])
        return std::string(home) + "/.local/share/qmscales";
    return {};
}

} // namespace qm::app
