#pragma once
// Serves the scale on its line (the pty, or a TCP port one client at a time): reads what the
// program sends, lets each byte arrive only after its line time, hands it to the scale machine,
// sends the answers no faster than the line allows, logs every byte, and keeps the state file current.
//
// Line time: at B baud a byte takes 10/B seconds. Received byte i counts as arrived at
// max(read time, arrival of byte i-1) + byte time; an answer starts when the last byte of its
// request has arrived (plus any injected delay), and answer byte k leaves at the moment its
// last bit would, one byte time after byte k-1.
//
// The state file is written before the answer of a command that changed the state, except
// within 100 ms of the previous write: then the writes of a fast burst are gathered into one
// when the spacing has passed. SIGUSR1 writes a pending state at once and logs "sync".

#include <csignal>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "EventLog.h"
#include "Link.h"
#include "Options.h"
#include "ScaleMachine.h"
#include "ScaleState.h"

namespace emu
{

class EmuServer
{
  public:
    static constexpr double kSaveSpacingMs = 100;

    EmuServer(Link& link, ScaleState& state, Options& options, EventLog& log);

    // Blocks SIGTERM, SIGINT, SIGHUP and SIGUSR1 outside the server's wait and routes them to
    // it; call once before run().
    static void installSignals();

    // Serves until SIGTERM, SIGINT or SIGHUP; writes the state once more and returns.
    void run();

    // An event line stamped with the current time.
    void event(const std::string& text) { m_log.event(clockMs(), text); }

    // Writes the state file (when there is one); false when the write failed.
    bool saveState();

  private:
    struct TimedByte {
        double at;
        std::uint8_t byte;
    };

    double clockMs() const;
    void readLine(double nowMs);
    void deliver(double nowMs);
    void schedule(const Answer& answer, double arrivalMs);
    void flushTx(double nowMs);
    std::optional<double> nextWake() const;

    void hangUp(double nowMs);

    Link& m_link;
    ScaleState& m_state;
    EventLog& m_log;
    std::string m_statePath;
    ScaleMachine m_machine;
    double m_byteMs = 0;
    double m_nowMs = 0;
    std::deque<TimedByte> m_rx;
    std::deque<TimedByte> m_tx;
    double m_rxFreeMs = 0;
    double m_txFreeMs = 0;
    bool m_txBlocked = false;
    bool m_hungUp = false;
    bool m_dirty = false;
    double m_lastSaveMs = -1e9;
};

} // namespace emu
