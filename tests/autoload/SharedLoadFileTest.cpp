// One load file named by two configuration rows, on two emulated scales on two ports: both are
// loaded from the same bytes, one after the other, and the file goes only once both are; a
// failure keeps it for both, a fault of the program ends with a line, and a file a killed run
// left at its private name comes back.
#include <gtest/gtest.h>

#include <regex>

#include "AutoRig.h"
#include "autoload/LoadFileEnd.h"

using namespace qm;
using qmtest::AutoRig;
using qmtest::EmuOptions;

namespace
{

EmuOptions scaleAt(int number, std::vector<std::string> faults = {})
{
    EmuOptions o;
    o.number = number;
    o.baud = 19200;
    o.faults = std::move(faults);
    return o;
}

// The protocol's lines from the `from`-th on, without their stamps, UTF-8; the line of a file
// kept beside a newer one, whose names hold the directory and a time, as "KEPT".
std::vector<std::string> linesFrom(const AutoRig& rig, size_t from)
{
    const std::regex stamped(R"((.*)  -  \d\d\.\d\d\.\d{4}  \d\d:\d\d:\d\d)");
    const std::regex kept("Файл загрузки .*/shared\\.pl6 занят новым файлом, прежний сохранен под именем "
                          "shared\\.kept-\\d{8}-\\d{6}\\.pl6");
    std::vector<std::string> out;
    const std::string text = rig.protocol();
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find("\r\n", at), text.size());
        const std::string line = text.substr(at, end - at);
        std::smatch m;
        const std::string body = std::regex_match(line, m, stamped) ? cp1251ToUtf8(m[1].str()) : "unstamped: " + line;
        out.push_back(std::regex_match(body, kept) ? "KEPT" : body);
        at = end + 2;
    }
    return {out.begin() + static_cast<long>(std::min(from, out.size())), out.end()};
}

std::set<std::uint32_t> plus(qmtest::EmuProcess& scale)
{
    std::set<std::uint32_t> out;
    for (const auto& [plu, record] : scale.state().plu)
        out.insert(plu);
    return out;
}

// A serial line factory whose first line cannot be made.
std::function<std::unique_ptr<SerialLine>()> brokenOnce(const std::filesystem::path& dir)
{
    auto calls = std::make_shared<int>(0);
    const PortMap ports = PortMap::load(dir.string());
    return [calls, ports]() -> std::unique_ptr<SerialLine> {
        if ((*calls)++ == 0)
            throw std::runtime_error("no line");
        return std::make_unique<TComm>(ports);
    };
}

const std::string kLoaded = qmtest::pl6({1, 2, 3});
const std::string kQueued = qmtest::pl6({7});
const std::string kLeftover = qmtest::pl6({4, 5});

struct SharedCase {
    const char* name;
    std::vector<std::string> faultsOfB; // the scale of row B
    bool programFault;                  // the first cycle's line cannot be made
    bool leftover;                      // a killed run left kLeftover at the private name
    bool atLoadName;                    // kLoaded stands at the load name at the start
    // The protocol lines of each cycle; after the last the queue's file has moved into place.
    std::vector<std::vector<std::string>> cycles;
    bool keptAside = false; // kLeftover found its name taken and was kept beside it
};

const char* const kA = "Весы A прогружены списком товаров";
const char* const kB = "Весы B прогружены списком товаров";

class SharedLoadFile : public ::testing::TestWithParam<SharedCase>
{
};

TEST_P(SharedLoadFile, GoesOnlyOnceEveryRowIsLoaded)
{
    const SharedCase& c = GetParam();
    AutoRig rig({scaleAt(1), scaleAt(2, c.faultsOfB)});
    rig.addRow("A", 1, "COM1", "shared.pl6");
    rig.addRow("B", 2, "COM2", "shared.pl6");
    if (c.atLoadName)
        rig.put("shared.pl6", kLoaded);
    if (c.leftover)
        rig.put(takenName("shared.pl6").string(), c.atLoadName ? kLeftover : kLoaded);
    rig.put("shared_00.qu6", kQueued);

    size_t seen = 0;
    for (size_t cycle = 0; cycle < c.cycles.size(); ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle + 1));
        const bool last = cycle + 1 == c.cycles.size();
        rig.report.calls.clear();
        const CycleSummary summary = rig.cycle({}, cycle == 0 && c.programFault ? brokenOnce(rig.dir) : nullptr);
        const auto lines = linesFrom(rig, seen);
        seen += lines.size();
        EXPECT_EQ(lines, c.cycles[cycle]);
        // A failed cycle counts its failure (the command line's exit status 1).
        EXPECT_EQ(summary.failed == 0, last);
        // One load at a time: no load began while another was under way.
        for (size_t i = 1; i < rig.report.calls.size(); ++i)
            EXPECT_FALSE(rig.report.calls[i - 1].begins && rig.report.calls[i].begins);
        // The file goes only after the cycle whose loads all succeeded; the queue moves then.
        EXPECT_EQ(qmtest::fileText(rig.dir / "shared.pl6"), last ? kQueued : kLoaded);
        EXPECT_FALSE(rig.has(takenName("shared.pl6").string()));
    }
    EXPECT_FALSE(rig.has("shared_00.qu6"));
    // Both scales hold the loaded version, never the one queued behind it.
    EXPECT_EQ(plus(rig.scale(0)), (std::set<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(plus(rig.scale(1)), (std::set<std::uint32_t>{1, 2, 3}));
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(rig.dir))
        if (entry.path().filename().string().rfind("shared.kept-", 0) == 0)
            kept.push_back(qmtest::fileText(entry.path()));
    EXPECT_EQ(kept, c.keptAside ? std::vector<std::string>{kLeftover} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    TwoRowsOneFile, SharedLoadFile,
    ::testing::Values(SharedCase{"BothAnswer", {}, false, false, true, {{kA, kB}}},
                      // The first addressing of B goes unanswered: A is loaded, the file stays for both.
                      SharedCase{"OneSilentThenBoth",
                                 {"silent@addr#1"},
                                 false,
                                 false,
                                 true,
                                 {{kA, "Неисправность весов B или линии связи"}, {kA, kB}}},
                      SharedCase{
                          "ProgramFault", {}, true, false, true, {{"Сбой программы при загрузке весов A"}, {kA, kB}}},
                      SharedCase{"LeftoverTakenBack", {}, false, true, false, {{kA, kB}}},
                      SharedCase{"LeftoverBesideANewerFile", {}, false, true, true, {{"KEPT", kA, kB}}, true}),
    [](const ::testing::TestParamInfo<SharedCase>& param) { return std::string(param.param.name); });

} // namespace
