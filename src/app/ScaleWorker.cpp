#include "app/ScaleWorker.h"

#include <exception>

#include "app/GuiFeedback.h"
#include "link/PortMap.h"
#include "link/TComm.h"

namespace qm::app
{

ScaleWorker::~ScaleWorker()
{
    // The trace must outlive the port that writes to it.
    m_comm.reset();
}

void ScaleWorker::prepareTrace(const std::string& tracePath, GuiFeedback& feedback)
{
    if (tracePath == m_tracePath)
        return;
    m_tracePath = tracePath;
    m_comm->setTrace(nullptr);
    m_trace.reset();
    if (tracePath.empty())
        return;
    auto trace = std::make_unique<FileTrace>(tracePath);
    if (!trace->isOpen()) {
        feedback.error(traceFailedText(tracePath, trace->error()));
        return;
    }
    m_trace = std::move(trace);
    m_comm->setTrace(m_trace.get());
}

void ScaleWorker::execute(const Job& job, GuiFeedback& feedback, const std::filesystem::path& startDirectory,
                          const std::string& tracePath)
{
    if (!m_comm)
        m_comm = std::make_unique<TComm>();
    PortMap ports = PortMap::load(startDirectory.string());
    if (ports.error()) {
        // A port name could lead to another device than the one "ports.cfg" names.
        feedback.error(*ports.error());
        return;
    }
    m_comm->setPortMap(std::move(ports));
    m_comm->setStopCheck([&feedback] { return feedback.stopRequested(); });
    prepareTrace(tracePath, feedback);
    ScaleSession session(*m_comm, feedback);
    try {
        job(session, feedback);
    } catch (const PortError& e) {
        feedback.error(e.what());
    } catch (const std::exception& e) {
        feedback.error(e.what());
    }
    // A line lost during an exchange: the operation said so in its own words, the system's text
    // goes to the trace, as on the command line.
    if (m_trace && session.lineFailure())
        m_trace->note("port error: " + *session.lineFailure());
    // The port is not held between operations.
    m_comm->Disconnect();
    m_comm->setStopCheck({});
}

} // namespace qm::app
