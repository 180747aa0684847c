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

namespace qm::cli
{

// Exit codes.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

class CliContext
{
  public:
    explicit CliContext(Args args);

    // Reads ports.cfg, the configuration (--config FILE.cfl or the rows kept in qm1_6.cfg) and
    // opens the trace. False with a message printed when something cannot be read.
    bool prepare();

    const Args& args() const { return m_args; }
    const std::string& dir() const { return m_dir; }
    const Table& config() const { return m_config; }
    // The settings file of the start directory as read by prepare (the defaults without one).
    const AppSettings& settings() const { return m_settings; }
    TerminalFeedback& feedback() { return m_feedback; }
    ScaleSession& session() { return *m_session; }
    TComm& comm() { return *m_comm; }
    // The --scale name in code page 1251, as the choosers hold names.
    std::string scaleName() const;

    // A path given on the command line, taken relative to the start directory.
    std::string path(const std::string& given) const;

    void error(const std::string& text) const; // to standard error

  private:
    Args m_args;
    std::string m_dir;
    Table m_config;
    AppSettings m_settings;
    TerminalFeedback m_feedback;
    std::unique_ptr<FileTrace> m_trace;
    std::unique_ptr<TComm> m_comm;
    std::unique_ptr<ScaleSession> m_session;
};

} // namespace qm::cli
