#include "Options.h"

#include <cstdlib>

namespace emu
{

const char* usageText()
{
    return "usage: qmscale-emu --number N [--baud B] [--state FILE.json] [--log FILE.jsonl] [--link PATH]\n"
           "                   [--tcp HOST:PORT [--drop-after N]] [--fault FAULT]... [--pace PLAN] [--help]\n"
           "\n"
           "An emulated QM label scale on a pseudo-terminal. Prints the slave device as the first line\n"
           "of standard output and serves it until SIGTERM or SIGINT. SIGUSR1 writes the state file\n"
           "now and logs the event \"sync\". Standard input is not read.\n"
           "\n"
           "  --number N      scale number 1..99 (default 1)\n"
           "  --baud B        simulated line speed in baud, 10 bits a byte (default 0: no line time)\n"
           "  --state FILE    JSON state: loaded at start when it exists, written after changes and at exit\n"
           "  --log FILE      JSON lines: every byte received and sent, and the events\n"
           "  --link PATH     a symbolic link to the device, removed at exit\n"
           "  --tcp HOST:PORT serve the scale on a TCP port instead, as an Ethernet-to-serial converter\n"
           "                  does: one client at a time (another is closed at once), the same pacing\n"
           "                  and faults; port 0 picks a free one; the first line is tcp://HOST:PORT\n"
           "  --drop-after N  with --tcp: cut the first client's connection after N bytes sent\n"
           "  --fault FAULT   KIND[=ARG][@WHERE[#K[-L]]], repeatable; KIND is silent, wrong-number[=N],\n"
           "                  not-ready[=B], delay=MS, truncate=N, nak[=B], garble[=MASK], extra=N,\n"
           "                  stray[=B] (a byte of another device ahead of the answer) or request[=PLU]\n"
           "                  (a poll answered with a request for PLU, default the range's first);\n"
           "                  WHERE is addr, poll or a command byte such as 0x82; #K the K-th\n"
           "                  occurrence only, #K-L the K-th to the L-th (e.g. nak@0x82#5,\n"
           "                  delay=300@addr#1, request@poll)\n"
           "  --pace PLAN     answers to polls while a virtual range is set, comma-separated: R ready,\n"
           "                  D<plu> request, S silence, W wrong first byte, X<hex> another second byte;\n"
           "                  then R\n";
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
            return name.rfind("--", 0) == 0 ? name + " needs a value" : "unknown argument " + name;
        const std::string& value = args[++i];
        if (name == "--number") {
            if (!parseInt(value, 1, 99, options.number))
                return "--number must be 1..99";
        } else if (name == "--baud") {
            if (!parseInt(value, 0, 4000000, options.baud))
                return "--baud must be 0 or a speed in baud";
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
                return "--drop-after must be a byte count from 1";
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
            return "unknown option " + name;
        }
    }
    if (!options.tcp.empty() && !options.linkPath.empty())
        return "--link names a pty; it does not go with --tcp";
    if (options.dropAfter > 0 && options.tcp.empty())
        return "--drop-after needs --tcp";
    return options;
}

} // namespace emu
