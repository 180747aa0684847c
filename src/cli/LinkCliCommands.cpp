#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "cli/JsonObject.h"
#include "cli/TerminalText.h"
#include "common/Cp1251.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "diagnostics/LinkTest.h"
#include "diagnostics/NumberDetection.h"
#include "link/PortList.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "link/TcpConnect.h"
#include "operation/OperationTexts.h"

namespace qm::cli
{

namespace
{

// The test table of the run: every row is printed as soon as it is tested, six cells
// separated by tabs, as the window's table shows them.
class PrintedTests : public TableWriter
{
  public:
    PrintedTests(Table& table, TerminalFeedback& feedback) : TableWriter(table), m_feedback(feedback) {}
    void setRow(int row, const Row& cells) override
    {
        TableWriter::setRow(row, cells);
        m_feedback.clearProgressLine();
        for (size_t c = 0; c < cells.size(); ++c)
            std::cout << (c ? "\t" : "") << shownText(cp1251ToUtf8(cells[c]));
        std::cout << std::endl;
    }

  private:
    TerminalFeedback& m_feedback;
};

// The exit status of the run: every scale tested answered with its own number.
class AllWorking : public ValueSink<LinkState>
{
  public:
    void deliver(const LinkState& state) override { m_all = m_all && state == LinkState::Working; }
    bool all() const { return m_all; }

  private:
    bool m_all = true;
};

} // namespace

int runTestLink(CliContext& context)
{
    const bool all = context.args().has("all");
    if (all == context.args().has("scale")) {
        context.error("test-link: нужен --scale NAME или --all");
        return kUsage;
    }
    Table tests = makeTable(testLayout());
    PrintedTests printed(tests, context.feedback());
    AllWorking working;
    if (!all) {
        const OperationResult result = testChosenScale(scaleLink(context), printed, &working);
        return result && working.all() ? kOk : kFailed;
    }
    const OperationResult result = testAllScales(context.session(), context.config(), printed, &working);
    return context.finish(result) == kOk && working.all() ? kOk : kFailed;
}

int runDetect(CliContext& context)
{
    const int com = comNumber(context.args().value("port").value_or(""));
    const auto speed = intText(context.args().value("speed").value_or(""));
    if (com == 0 || !speed || (*speed != 2400 && *speed != 4800 && *speed != 9600 && *speed != 19200)) {
        context.error("detect: нужны --port COM1..COM16 и --speed 2400, 4800, 9600 или 19200");
        return kUsage;
    }
    ValueHolder<DetectedNumber> found;
    if (!detectScaleNumber(context.session(), "COM" + std::to_string(com), std::to_string(*speed), found))
        return kFailed; // the message is shown; a stop ends without one
    std::cout << *found.value() << std::endl;
    return kOk;
}

int runPorts(CliContext& context)
{
    const PortMap map = PortMap::load(context.dir());
    if (map.error()) {
        context.error(*map.error());
        return kFailed;
    }
    const std::vector<SystemPort> system = systemSerialPorts();
    // Network ports are there when a connection opens now; all of them are tried at once.
    const std::vector<PortEntry> present = listedPorts(portEntries(map, system, probeNetworkPorts(map)));
    if (context.args().has("json")) {
        std::cout << "[";
        for (size_t i = 0; i < present.size(); ++i) {
            const PortEntry& port = present[i];
            std::cout << (i ? "," : "") << "{\"name\":" << jsonString(port.name)
                      << ",\"device\":" << jsonString(port.device)
                      << ",\"description\":" << jsonString(port.description);
            // A serial entry keeps the fields it always had; a network one says so and whether it connects.
            if (port.network)
                std::cout << ",\"network\":true,\"connects\":" << (port.present ? "true" : "false");
            std::cout << "}";
        }
        std::cout << "]" << std::endl;
        return kOk;
    }
    for (const PortEntry& port : present)
        std::cout << shownText(port.name) << "\t" << shownText(port.device) << "\t" << shownText(port.description)
                  << "\n";
    std::cout << std::flush;
    if (present.empty())
        context.error("ни одно имя COM не ведет к устройству (ports.cfg сопоставляет COMn=DEVICE)");
    for (const SystemPort& port : unnamedPorts(map, system))
        context.error(port.device + (port.description.empty() ? "" : " (" + portDescription(port) + ")") +
                      " не имеет имени COM: добавьте COMn=" + port.device + " в ports.cfg");
    return kOk;
}

} // namespace qm::cli
