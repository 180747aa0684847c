#pragma once
// An emulated scale (qmscale-emu) running for one test: started in a fresh temporary
// directory that holds its state file (state.json) and byte log (log.jsonl), stopped and
// cleaned up by the destructor.
//
//   qmtest::EmuProcess scale({.. number 3, faults {"nak@0x82#2"} ..});
//   scale.writePortsCfg(startDir);          // COM1 now names the scale's pty
//   ... run an operation against COM1 ...
//   EXPECT_EQ(scale.state().plu.size(), 2u);
//
// log(), received(), sent() and state() first ask the running scale to catch up (SIGUSR1, which
// it answers with a "sync" event after logging everything before it and writing a pending
// state), so they see every byte already exchanged.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "EventLog.h"
#include "ScaleState.h"

namespace qmtest
{

struct EmuOptions {
    int number = 1;
    int baud = 0;
    std::vector<std::string> faults;
    std::string pace;
    std::string stateJson; // initial state file contents, empty = empty scale
    std::string link;      // a symbolic link to the device, made by the scale and removed when it stops
    std::string tcp;       // "127.0.0.1:0": served on a TCP port, device() is then "tcp://HOST:PORT"
    int dropAfter = 0;     // with tcp: the first connection is cut after this many bytes sent
};

// A scale that starts with this state file and these faults.
inline EmuOptions withState(std::string stateJson, std::vector<std::string> faults = {})
{
    EmuOptions o;
    o.stateJson = std::move(stateJson);
    o.faults = std::move(faults);
    return o;
}

using EmuLogEntry = emu::LogEntry;

class EmuProcess
{
  public:
    // Throws std::runtime_error when the scale does not start.
    explicit EmuProcess(EmuOptions options = {});
    ~EmuProcess();
    EmuProcess(const EmuProcess&) = delete;
    EmuProcess& operator=(const EmuProcess&) = delete;

    const std::string& device() const { return m_device; }
    const std::string& dir() const { return m_dir; }
    std::string statePath() const { return m_dir + "/state.json"; }
    std::string logPath() const { return m_dir + "/log.jsonl"; }

    // Appends "COM<com>=<device>" to ports.cfg in the directory.
    void writePortsCfg(const std::string& directory, int com = 1) const;

    std::vector<EmuLogEntry> log() const;
    std::vector<std::uint8_t> received() const; // every byte the scale got, in order
    std::vector<std::uint8_t> sent() const;     // every byte the scale sent
    void clearLog();                            // forget the log so far
    emu::ScaleState state() const;              // throws when the state file is unreadable
    void stop();                                // SIGTERM now and wait (state written)
    bool running() const;                       // started, not stopped, and not ended on its own

  private:
    void start();
    void sync() const;

    EmuOptions m_options;
    std::string m_dir;
    std::string m_device;
    int m_pid = -1;
};

} // namespace qmtest
