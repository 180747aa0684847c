#pragma once
// The worker thread's side of the scale operations: it owns the serial port component, which is
// created on this thread (a serial port must live on the thread that uses it) and closed when
// each operation ends, so that other programs can use the port in between. Runs one job at a time; a port error or any
// other failure that escapes the job is shown in the error box, and the worker goes on with the next job.

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "link/ByteTrace.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"

namespace qm::app
{

class GuiFeedback;

class ScaleWorker : public QObject
{
    Q_OBJECT
  public:
    using Job = std::function<void(ScaleSession&, Feedback&)>;

    ScaleWorker() = default;
    ~ScaleWorker() override;

    // Runs on the worker thread. The port map is read again from the start directory before
    // each job, so a changed "ports.cfg" takes effect without a restart.
    void execute(const Job& job, GuiFeedback& feedback, const std::filesystem::path& startDirectory,
                 const std::string& tracePath);

  private:
    void prepareTrace(const std::string& tracePath, GuiFeedback& feedback);

    std::unique_ptr<TComm> m_comm;
    std::unique_ptr<FileTrace> m_trace;
    std::string m_tracePath;
};

} // namespace qm::app
