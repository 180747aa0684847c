#pragma once
// The conventions every exchange with a scale shares: opening the link from a port text and a
// speed text, emptying the input queue, addressing the scale, and the reply window.
//
// The reply window is a blocking wait with a deadline. Its length is the command's window plus
// the line time of the awaited bytes and of the part of the last burst still on the line, so a
// slow line never fails an answer that is merely in transit.
//
// A port that fails in the middle of an exchange (a USB adapter pulled out, the device gone) is a
// line on which nothing comes back any more: the session keeps the failure's text and from then
// on sends nothing and finds no answer, so the command in progress returns false and its
// operation ends with the same message as for a scale that stopped answering there. No port
// error leaves the session's exchanges; the next Connection starts afresh.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/SerialLine.h"

namespace qm
{

class Feedback;
using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kAck = 0xAA;
inline constexpr std::uint8_t kReady = 0x80;
inline constexpr std::uint8_t kNotFound = 0xEE;
inline constexpr std::uint8_t kRequest = 0xDD;

inline constexpr int kAddressWindowMs = 200;

enum class Count { Exactly, AtLeast };

enum class AddressResult { Ready, NoLink, NotReady };

// What one read exchange came to: a record that passed its check (Taken); the scale's word that
// there is none, 0xEE, which asking again would not change (Final); or an answer lost on the
// line: missing, short, late, or failing its check (Lost).
enum class Reply { Taken, Final, Lost };

// A lost read answer is asked for at most this many times more.
inline constexpr int kAskAgain = 2;
// The line is quiet when no byte has come for this long: at every speed in use a byte time is far
// shorter, so the rest of a late or shifted answer cannot still be on its way.
inline constexpr int kQuietLineMs = 100;
// A line that never falls quiet (another device talking) holds a retry no longer than this.
inline constexpr int kQuietLimitMs = 2000;

class ScaleSession
{
  public:
    // The feedback rides with the session so that the operations above reach the person who
    // started them; the session itself never shows anything.
    ScaleSession(SerialLine& line, Feedback& feedback) : m_comm(line), m_feedback(feedback) {}

    SerialLine& line() { return m_comm; }
    Feedback& feedback() { return m_feedback; }

    // Sets Port and Baud from the texts and connects; false when the port cannot be opened. A
    // lost line (lineFailure) is forgotten.
    // A port text that is no "COM" followed by 1..16, or a speed other than 2400, 4800, 9600
    // and 19200, leaves that setting as the previous connection had it.
    bool Connection(const std::string& portText, const std::string& speedText);

    // Drops every byte waiting in the input queue.
    void NewQue();

    // Addressing: the scale number byte, then its two-byte answer within 200 ms (a few commands,
    // such as the message deletes, give the scale longer).
    AddressResult address(int scaleNumber, bool emptyQueueFirst = true, int windowMs = kAddressWindowMs);

    void send(const Bytes& bytes);
    void send(std::uint8_t byte) { send(Bytes{byte}); }

    // Waits until the count of waiting bytes meets the condition or the window closes, then
    // asks the count again: true when it meets the condition then.
    bool replyWindow(int n, int windowMs, Count condition = Count::Exactly);
    // The one-byte acknowledgement within the window: true when it came and is 0xAA. With
    // Count::AtLeast the first of several bytes decides; the rest wait for the next NewQue.
    bool acknowledged(int windowMs, Count condition = Count::Exactly);
    int waiting();
    // Reads of bytes that a window or waiting() has counted: they are in the port's own buffer
    // then, so the read itself never meets the device.
    std::uint8_t readByte() { return m_comm.GetByte(); }
    Bytes readBytes(int n);
    // Sends the request and takes an answer of exactly `size` bytes within the window; nullopt
    // for a short, long or missing answer (the bytes stay for the next NewQue).
    std::optional<Bytes> fetch(const Bytes& request, int size, int windowMs);

    // Runs a read exchange and, while its answer is lost, asks again: the line is let go quiet,
    // the scale of the last good addressing is addressed afresh and the exchange runs once more,
    // at most kAskAgain times, each a note in the line's trace. The reply of the last run. Only
    // for reads: a write, delete or clear is never repeated. The first run costs nothing extra.
    Reply ask(const std::function<Reply()>& exchange);
    // fetch, asked again by ask() while the answer is missing, short, long or fails `check` (none:
    // any answer of the size). A lone 0xEE is the scale's final word: nullopt, not asked again.
    std::optional<Bytes> askRecord(const Bytes& request, int size, int windowMs,
                                   const std::function<bool(const std::uint8_t*)>& check = {});
    // Drops input until no byte has come for kQuietLineMs (kQuietLimitMs at most).
    void awaitQuiet();

    // Waits from `since` until a first byte is waiting or windowMs have passed: the link
    // test's answer time.
    struct FirstByte {
        bool arrived = false;
        long elapsedMs = 0; // since `since`, when arrived
    };
    FirstByte firstByteWithin(std::chrono::steady_clock::time_point since, int windowMs);

    // A pause that also lets the burst in flight reach the line (50, 100, 210 ms pauses).
    void pause(int ms);

    // Time in milliseconds that n bytes take on the line at the current speed (10 bits each).
    int lineTimeMs(int bytes) const;

    // The system's text of the port failure that ended the line since the last Connection, if
    // any: for the trace and the --verbose line, never for the person's message.
    const std::optional<std::string>& lineFailure() const { return m_lineFailure; }

  private:
    // Runs a use of the line; a port failure ends the line (false) instead of leaving the session.
    template <class Use> bool onLine(Use use);

    std::optional<std::string> m_lineFailure;
    // The scale number of the last addressing the scale answered ready, since the last Connection:
    // the scale a lost answer is asked again of.
    std::optional<int> m_addressed;
    SerialLine& m_comm;
    Feedback& m_feedback;
    // The last burst handed to the line and when: its tail may still be in transit.
    int m_burstBytes = 0;
    std::chrono::steady_clock::time_point m_burstAt{};
};

} // namespace qm
