#pragma once
// The scale's side of the protocol, byte by byte and without any I/O: it takes each byte at the
// moment it has fully arrived and says what to answer and after how long.
//
// Idle, the scale listens for its number: that byte is addressing, answered (number, 0x80),
// after which it awaits a command byte. While a virtual range is set the same byte is a poll,
// answered by the pacing plan, and again a command may follow. A byte that is no command while
// one is awaited counts as an idle byte, so a repeated addressing byte is answered again; other
// idle bytes are ignored. Each byte of an exchange must follow the one before within one
// second: a partial command is dropped, and a scale addressed but sent no command goes idle.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "FaultPlan.h"
#include "PacePlan.h"
#include "ScaleState.h"

namespace emu
{

struct Answer {
    Bytes bytes;
    double delayMs = 0; // from the arrival of the last byte of the request
};

class ScaleMachine
{
  public:
    using EventSink = std::function<void(const std::string&)>;

    static constexpr double kPartialTimeoutMs = 1000;

    ScaleMachine(ScaleState& state, FaultPlan faults, PacePlan pace, EventSink events);

    int number() const { return m_state.number; }

    // A byte fully arrived at time nowMs; the answer to send, if any.
    std::optional<Answer> receive(std::uint8_t byte, double nowMs);
    // Drops a partial command whose data stopped coming, or a command that never came.
    void tick(double nowMs);
    // When tick() must next run, while the scale is within an exchange.
    std::optional<double> deadline() const;
    // True once after each change of the state.
    bool takeChanged();

  private:
    enum class Phase { Idle, AwaitingCommand, Collecting };

    std::optional<Answer> onIdleByte(std::uint8_t byte);
    std::optional<Answer> addressing();
    std::optional<Answer> poll();
    std::optional<Answer> runCommand();
    // Applies the faults that change what is sent; true when one makes the answer unusable as
    // the start of a command (silent, wrong number, not ready).
    bool applyFaults(const std::vector<const Fault*>& faults, Answer& answer, Site site);
    static std::optional<Answer> nonEmpty(Answer answer);

    ScaleState& m_state;
    FaultPlan m_faults;
    PacePlan m_pace;
    EventSink m_events;
    Phase m_phase = Phase::Idle;
    const CommandEntry* m_command = nullptr;
    Bytes m_data;
    double m_lastByteMs = 0; // arrival of the last byte of the current exchange
    bool m_changed = false;
};

} // namespace emu
