#include "ScaleMachine.h"

#include <cstdio>

namespace emu
{

namespace
{

std::string hexByte(std::uint8_t byte)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
    return buffer;
}

} // namespace

ScaleMachine::ScaleMachine(ScaleState& state, FaultPlan faults, PacePlan pace, EventSink events)
    : m_state(state), m_faults(std::move(faults)), m_pace(std::move(pace)), m_events(std::move(events))
{
}

std::optional<Answer> ScaleMachine::receive(std::uint8_t byte, double nowMs)
{
    tick(nowMs);
    m_lastByteMs = nowMs;
    if (m_phase == Phase::Collecting) {
        m_data.push_back(byte);
        if (m_data.size() < m_command->dataBytes)
            return std::nullopt;
        m_phase = Phase::Idle;
        return runCommand();
    }
    if (m_phase == Phase::AwaitingCommand) {
        if (const CommandEntry* entry = findCommand(byte)) {
            m_command = entry;
            m_data.clear();
            if (entry->dataBytes > 0) {
                m_phase = Phase::Collecting;
                return std::nullopt;
            }
            m_phase = Phase::Idle;
            return runCommand();
        }
        m_phase = Phase::Idle;
    }
    return onIdleByte(byte);
}

void ScaleMachine::tick(double nowMs)
{
    if (m_phase == Phase::Idle || nowMs - m_lastByteMs <= kPartialTimeoutMs)
        return;
    if (m_phase == Phase::Collecting)
        m_events("partial command " + hexByte(m_command->byte) + " dropped after " + std::to_string(m_data.size()) +
                 " of " + std::to_string(m_command->dataBytes) + " data bytes");
    else
        m_events("no command after addressing");
    m_phase = Phase::Idle;
    m_data.clear();
}

std::optional<double> ScaleMachine::deadline() const
{
    if (m_phase == Phase::Idle)
        return std::nullopt;
    return m_lastByteMs + kPartialTimeoutMs;
}

bool ScaleMachine::takeChanged()
{
    const bool changed = m_changed;
    m_changed = false;
    return changed;
}

std::optional<Answer> ScaleMachine::onIdleByte(std::uint8_t byte)
{
    if (byte != m_state.number)
        return std::nullopt;
    return m_state.range ? poll() : addressing();
}

std::optional<Answer> ScaleMachine::addressing()
{
    m_events("addressed");
    Answer answer{{static_cast<std::uint8_t>(m_state.number), kReady}, 0};
    const bool unusable = applyFaults(m_faults.next(Site::Addressing), answer, Site::Addressing);
    // A scale that did not answer ready does not take the command that may follow.
    m_phase = unusable ? Phase::Idle : Phase::AwaitingCommand;
    return nonEmpty(answer);
}

std::optional<Answer> ScaleMachine::poll()
{
    const PaceStep step = m_pace.next();
    m_events("poll " + step.text());
    Answer answer{step.answer(m_state.number), 0};
    applyFaults(m_faults.next(Site::Poll), answer, Site::Poll);
    m_phase = Phase::AwaitingCommand;
    return nonEmpty(answer);
}

std::optional<Answer> ScaleMachine::runCommand()
{
    const CommandEntry& entry = *m_command;
    m_events("command " + hexByte(entry.byte) + " " + entry.name);
    const auto faults = m_faults.next(Site::Command, entry.byte);
    Answer answer;
    const Fault* nak = nullptr;
    for (const Fault* fault : faults)
        if (fault->kind == FaultKind::Nak && entry.acknowledged)
            nak = fault;
    if (nak) {
        m_events("fault " + nak->text + ": command refused");
        answer.bytes = {static_cast<std::uint8_t>(nak->arg.value_or(kRefused))};
    } else {
        CommandContext context{m_state, m_events};
        CommandResult result = entry.handler(context, m_data);
        m_changed = m_changed || result.changed;
        answer.bytes = std::move(result.answer);
    }
    applyFaults(faults, answer, Site::Command);
    return nonEmpty(answer);
}

bool ScaleMachine::applyFaults(const std::vector<const Fault*>& faults, Answer& answer, Site site)
{
    bool unusable = false;
    Bytes& bytes = answer.bytes;
    for (const Fault* fault : faults) {
        switch (fault->kind) {
        case FaultKind::Silent:
            bytes.clear();
            unusable = true;
            break;
        case FaultKind::WrongNumber:
            if (bytes.empty())
                continue;
            bytes[0] =
                static_cast<std::uint8_t>(fault->arg.value_or(static_cast<std::uint32_t>(otherNumber(number()))));
            unusable = true;
            break;
        case FaultKind::NotReady:
            if (bytes.size() < 2)
                continue;
            bytes[1] = static_cast<std::uint8_t>(fault->arg.value_or(0x00));
            unusable = true;
            break;
        case FaultKind::Delay:
            answer.delayMs += *fault->arg;
            break;
        case FaultKind::Truncate:
            if (bytes.size() > *fault->arg)
                bytes.resize(*fault->arg);
            break;
        case FaultKind::Nak:
            continue; // settled before the command ran
        case FaultKind::Garble:
            for (auto& b : bytes)
                b = static_cast<std::uint8_t>(b ^ fault->arg.value_or(0xFF));
            break;
        case FaultKind::Extra:
            if (bytes.empty())
                continue;
            bytes.insert(bytes.end(), *fault->arg, bytes.back());
            break;
        case FaultKind::Stray:
            bytes.insert(bytes.begin(), static_cast<std::uint8_t>(fault->arg.value_or(kStrayByte)));
            break;
        case FaultKind::Request:
            if (site != Site::Poll)
                continue; // only a poll can be answered with a request
            bytes = PaceStep{PaceKind::Request, fault->arg.value_or(m_state.range ? m_state.range->first : 1)}.answer(
                number());
            break;
        }
        m_events("fault " + fault->text);
    }
    return unusable;
}

std::optional<Answer> ScaleMachine::nonEmpty(Answer answer)
{
    if (answer.bytes.empty())
        return std::nullopt;
    return answer;
}

} // namespace emu
