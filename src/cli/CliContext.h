#pragma once
// What every command of the command line works with: the start directory, the configuration
// table, the port map, the serial port with its optional trace, and the terminal feedback.

#include <memory>
#include <string>

#include "cli/Args.h"
#include "cli/TerminalFeedback.h"
#include "common/Table.h"
#include "files/AppSettings.h"
#include "link/ByteTrace.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "operation/ScaleOperation.h"

namespace qm::cli
{

// Exit codes.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;
inline constexpr int kDiffer = 3; // a compare that found differences

class CliContext
{
  public:
    explicit CliContext(Args args);

    // Reads qm1_6.cfg and ports.cfg of the start directory, the configuration (--config
    // FILE.cfl, or the rows kept in qm1_6.cfg when the command needs one) and opens the trace.
    // kOk, or the exit code with the message printed when something is missing or unreadable.
    int prepare(bool needsConfig);
    // Reads qm1_6.cfg and the configuration again, as prepare does (the service at every cycle).
    int readConfig(bool needsConfig);

    const Args& args() const { return m_args; }
    // The start directory as given by --dir, or the current directory.
    const std::string& dir() const { return m_dir; }
    const Table& config() const { return m_config; }
    // The settings file of the start directory as read by prepare (the defaults without one).
    const AppSettings& settings() const { return m_settings; }
    TerminalFeedback& feedback() { return m_feedback; }
    // The --trace file, or nullptr; it takes bytes from several ports at once.
    ByteTrace* trace() const { return m_trace.get(); }
    ScaleSession& session() { return *m_session; }
    // The --scale name in code page 1251, as the choosers hold names.
    std::string scaleName() const;

    // A path given on the command line (FILE, --out, --config, --trace): relative to the
    // current directory, as in every command-line tool.
    std::string path(const std::string& given) const { return given; }
    // A file of the start directory (qm1_6.cfg, ports.cfg).
    std::string dirFile(const std::string& name) const;

    void error(const std::string& text) const; // to standard error, "qmscales-cli: " first

    // A port error that no exchange took in (the session turns a port failing during an exchange
    // into a line that no longer answers, which the operation reports in its own words): the
    // frame's message for a line that fails, the system's text as reportPortDetail gives it.
    void reportPortError(const PortError& e);
    // The system's text of a failure that the operation already reported in its own words (a
    // port that could not be opened, a line lost during an exchange): to the trace and, with
    // --verbose, to standard error.
    void reportPortDetail();

    // Closes an operation for the command line: a run that Ctrl+C ended without the operation
    // saying so gets "Действие прервано.". The exit code of the outcome.
    int finish(const OperationResult& result);

  private:
    void detail(const std::string& text);
    // "COMn (DEVICE): " of the port in use.
    std::string portName() const;

    Args m_args;
    std::string m_dir;
    Table m_config;
    AppSettings m_settings;
    TerminalFeedback m_feedback;
    std::unique_ptr<FileTrace> m_trace;
    std::unique_ptr<TComm> m_comm;
    std::unique_ptr<ScaleSession> m_session;
    bool m_detailShown = false;
};

} // namespace qm::cli
