#include "Options.h"

#include <cstdlib>
#include <ostream>
#include <sstream>

#include "ManPage.h"

namespace emu
{

namespace
{

using qm::man::HelpItem;

const char* const kSynopsis = "--number N [--baud B] [--state FILE.json] [--log FILE.jsonl] [--link PATH] "
                              "[--tcp HOST:PORT [--drop-after N]] [--fault FAULT]... [--pace PLAN] [--help]";
const char* const kSummary = "эмулятор весов QM на псевдотерминале, для обучения и тестов";
const char* const kDescription =
    "Одни весы QM на псевдотерминале. Первой строкой стандартного вывода печатает устройство (или tcp://HOST:PORT) "
    "и обслуживает его до SIGTERM или SIGINT. SIGUSR1 сразу записывает файл состояния и событие \"sync\" в "
    "журнал. Стандартный ввод не читается.";
const char* const kExitStatus = "0 остановлен сигналом, 1 не удалось открыть псевдотерминал или порт, "
                                "2 неверный вызов или негодный файл состояния.";

const std::vector<HelpItem>& optionTable()
{
    static const std::vector<HelpItem> options = {
        {"--number N", "номер весов 1..99 (по умолчанию 1)"},
        {"--baud B", "скорость линии в бодах, 10 бит на байт (по умолчанию 0: без времени линии)"},
        {"--state FILE", "состояние в JSON: читается при старте, если есть, пишется после изменений и при выходе"},
        {"--log FILE", "строки JSON: каждый принятый и отправленный байт и события"},
        {"--link PATH", "символьная ссылка на устройство, удаляется при выходе"},
        {"--tcp HOST:PORT", "обслуживать весы на порту TCP, как преобразователь Ethernet-RS-232: один клиент за раз "
                            "(другой сразу закрывается), те же темп и сбои; порт 0 выбирает свободный; первая "
                            "строка tcp://HOST:PORT"},
        {"--drop-after N", "с --tcp: оборвать соединение первого клиента после N отправленных байтов"},
        {"--fault FAULT", "KIND[=ARG][@WHERE[#K[-L]]], можно повторять; KIND: silent, wrong-number[=N], "
                          "not-ready[=B], delay=MS, truncate=N, nak[=B], garble[=MASK], extra=N, stray[=B] (байт "
                          "другого устройства перед ответом) или request[=PLU] (опрос, отвеченный запросом PLU, "
                          "по умолчанию первого в диапазоне); WHERE: addr, poll или байт команды, например 0x82; "
                          "#K только K-й раз, #K-L с K-го по L-й (nak@0x82#5, delay=300@addr#1, request@poll)"},
        {"--pace PLAN", "ответы на опросы при заданном виртуальном диапазоне через запятую: R готов, D<plu> "
                        "запрос, S молчание, W неверный первый байт, X<hex> другой второй байт; затем R"},
        {"-h, --help", "показать эту справку"},
    };
    return options;
}

} // namespace

std::string usageText()
{
    std::ostringstream out;
    out << "Использование: qmscale-emu " << qm::man::wrap(kSynopsis, qm::man::kHelpWidth, 6, 27) << "\n\n"
        << qm::man::wrap(kDescription, qm::man::kHelpWidth, 0) << "\n\n";
    qm::man::writeHelpItems(out, optionTable(), 15);
    return out.str();
}

void printManPage(std::ostream& out, const std::string& version, const std::string& date)
{
    qm::man::Page page{"qmscale-emu", kSummary, version, date, {kSynopsis}, {}};
    page.sections = {
        {"DESCRIPTION", {kDescription}, {}},
        {"OPTIONS", {}, optionTable()},
        {"FILES",
         {},
         {{"--state FILE", "состояние весов: товары, сообщения, настройки, клавиши, логотип, итоги"},
          {"--log FILE", "журнал обмена и событий, строка JSON на запись"}}},
        {"ENVIRONMENT", {"Эмулятор не читает переменных окружения."}, {}},
        {"EXIT STATUS", {kExitStatus}, {}},
        {"EXAMPLES",
         {},
         {{"qmscale-emu --number 1 --state demo.json", "весы номер 1 с состоянием в demo.json"},
          {"qmscale-emu --tcp 127.0.0.1:0 --fault nak@0x82#5",
           "весы на свободном порту TCP, отвечающие NAK на пятую запись товара"}}},
        {"SEE ALSO", {"qmscales(1), qmscales-cli(1)"}, {}},
    };
    qm::man::writeManPage(out, page);
}

namespace
{

bool parseInt(const std::string& text, int min, int max, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < min || value > max)
        return false;
    out = static_cast<int>(value);
    return true;
}

} // namespace

std::variant<Options, std::string> parseOptions(const std::vector<std::string>& args)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (i + 1 >= args.size())
            return name.rfind("--", 0) == 0 ? name + ": нужно значение" : "неизвестный аргумент " + name;
        const std::string& value = args[++i];
        if (name == "--number") {
            if (!parseInt(value, 1, 99, options.number))
                return "--number: нужно число 1..99";
        } else if (name == "--baud") {
            if (!parseInt(value, 0, 4000000, options.baud))
                return "--baud: нужен 0 или скорость в бодах";
        } else if (name == "--state") {
            options.statePath = value;
        } else if (name == "--log") {
            options.logPath = value;
        } else if (name == "--link") {
            options.linkPath = value;
        } else if (name == "--tcp") {
            options.tcp = value;
        } else if (name == "--drop-after") {
            if (!parseInt(value, 1, 100000000, options.dropAfter))
                return "--drop-after: нужно число байтов от 1";
        } else if (name == "--fault") {
            auto fault = Fault::parse(value);
            if (auto* error = std::get_if<std::string>(&fault))
                return *error;
            options.faults.add(std::get<Fault>(std::move(fault)));
        } else if (name == "--pace") {
            auto pace = PacePlan::parse(value);
            if (auto* error = std::get_if<std::string>(&pace))
                return *error;
            options.pace = std::get<PacePlan>(std::move(pace));
        } else {
            return "неизвестный параметр " + name;
        }
    }
    if (!options.tcp.empty() && !options.linkPath.empty())
        return "--link называет псевдотерминал и не сочетается с --tcp";
    if (options.dropAfter > 0 && options.tcp.empty())
        return "--drop-after: нужен --tcp";
    return options;
}

} // namespace emu
