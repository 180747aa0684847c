#include "link/ScaleSession.h"

#include <algorithm>
#include <thread>

#include "common/IntText.h"
#include "link/PortMap.h"

namespace qm
{

template <class Use> bool ScaleSession::onLine(Use use)
{
    if (m_lineFailure)
        return false;
    try {
        use();
        return true;
    } catch (const PortError& e) {
        m_lineFailure = e.what();
        m_burstBytes = 0;
        return false;
    }
}

bool ScaleSession::Connection(const std::string& portText, const std::string& speedText)
{
    // The number after "COM" is read by the same rule as the configuration check, so that a
    // port text the check accepts ("COM03") never reuses another scale's port.
    const int com = comNumber(portText);
    if (com > 0)
        m_comm.setPort(static_cast<tPort>(com - 1));
    if (const auto speed = intText(speedText)) {
        switch (*speed) {
        case 2400:
            m_comm.setBaud(TBaud::b2400);
            break;
        case 4800:
            m_comm.setBaud(TBaud::b4800);
            break;
        case 9600:
            m_comm.setBaud(TBaud::b9600);
            break;
        case 19200:
            m_comm.setBaud(TBaud::b19200);
            break;
        default:
            break;
        }
    }
    m_lineFailure.reset();
    m_addressed.reset();
    m_burstBytes = 0;
    try {
        m_comm.Connect();
    } catch (const PortError&) {
        return false;
    }
    return true;
}

void ScaleSession::NewQue()
{
    onLine([&] {
        const int n = m_comm.GetIn();
        for (int i = 0; i < n; ++i)
            m_comm.GetByte();
    });
}

int ScaleSession::waiting()
{
    int n = 0;
    onLine([&] { n = m_comm.GetIn(); });
    return n;
}

int ScaleSession::lineTimeMs(int bytes) const
{
    const int rate = baudRate(m_comm.baud());
    return (bytes * 10 * 1000 + rate - 1) / rate;
}

void ScaleSession::send(const Bytes& bytes)
{
    if (bytes.empty() || !onLine([&] { m_comm.SendBytes(bytes.data(), bytes.size()); }))
        return;
    const auto now = std::chrono::steady_clock::now();
    // Bytes of an earlier burst still in transit stay ahead of these.
    const auto earlierEnd = m_burstAt + std::chrono::milliseconds(lineTimeMs(m_burstBytes));
    if (m_burstBytes > 0 && earlierEnd > now) {
        m_burstBytes += static_cast<int>(bytes.size());
    } else {
        m_burstBytes = static_cast<int>(bytes.size());
        m_burstAt = now;
    }
}

bool ScaleSession::replyWindow(int n, int windowMs, Count condition)
{
    using namespace std::chrono;
    const auto met = [&](int count) { return condition == Count::Exactly ? count == n : count >= n; };
    auto start = steady_clock::now();
    if (m_burstBytes > 0) {
        const auto onLine = m_burstAt + milliseconds(lineTimeMs(m_burstBytes));
        if (onLine > start)
            start = onLine;
        m_burstBytes = 0;
    }
    const auto deadline = start + milliseconds(windowMs + lineTimeMs(n) + m_comm.replyAllowanceMs());
    bool answered = false;
    const bool onTheLine = onLine([&] {
        for (;;) {
            if (met(m_comm.GetIn()))
                break;
            const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
            if (left <= 0)
                break;
            m_comm.waitForInput(static_cast<int>(left));
        }
        answered = met(m_comm.GetIn());
    });
    return onTheLine && answered;
}

bool ScaleSession::acknowledged(int windowMs, Count condition)
{
    return replyWindow(1, windowMs, condition) && readByte() == kAck;
}

Bytes ScaleSession::readBytes(int n)
{
    if (n <= 0)
        return {};
    return m_comm.GetBytes(n);
}

std::optional<Bytes> ScaleSession::fetch(const Bytes& request, int size, int windowMs)
{
    send(request);
    if (!replyWindow(size, windowMs))
        return std::nullopt;
    return readBytes(size);
}

Reply ScaleSession::ask(const std::function<Reply()>& exchange)
{
    Reply reply = exchange();
    for (int again = 1; reply == Reply::Lost && again <= kAskAgain && m_addressed && !m_lineFailure; ++again) {
        m_comm.note("read answer lost: asked again (" + std::to_string(again) + " of " + std::to_string(kAskAgain) +
                    ")");
        awaitQuiet();
        // A scale that does not take the addressing now has lost this try as well.
        reply = address(*m_addressed) == AddressResult::Ready ? exchange() : Reply::Lost;
    }
    return reply;
}

std::optional<Bytes> ScaleSession::askRecord(const Bytes& request, int size, int windowMs,
                                             const std::function<bool(const std::uint8_t*)>& check)
{
    std::optional<Bytes> record;
    ask([&] {
        record = fetch(request, size, windowMs);
        if (!record) {
            // The scale answers a read of something it does not hold with 0xEE alone.
            const bool notHeld = waiting() == 1 && readByte() == kNotFound;
            return notHeld ? Reply::Final : Reply::Lost;
        }
        if (check && !check(record->data())) {
            record.reset();
            return Reply::Lost;
        }
        return Reply::Taken;
    });
    return record;
}

void ScaleSession::awaitQuiet()
{
    using namespace std::chrono;
    const auto start = steady_clock::now();
    onLine([&] {
        auto lastByte = start;
        for (;;) {
            const int n = m_comm.GetIn();
            if (n > 0) {
                m_comm.GetBytes(n);
                lastByte = steady_clock::now();
            }
            const auto now = steady_clock::now();
            const auto quietLeft = duration_cast<milliseconds>(lastByte + milliseconds(kQuietLineMs) - now).count();
            const auto limitLeft = duration_cast<milliseconds>(start + milliseconds(kQuietLimitMs) - now).count();
            if (quietLeft <= 0 || limitLeft <= 0)
                break;
            m_comm.waitForInput(static_cast<int>(std::min(quietLeft, limitLeft)));
        }
    });
}

void ScaleSession::pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

AddressResult ScaleSession::address(int scaleNumber, bool emptyQueueFirst, int windowMs)
{
    if (emptyQueueFirst)
        NewQue();
    send(static_cast<std::uint8_t>(scaleNumber));
    if (!replyWindow(2, windowMs))
        return AddressResult::NoLink;
    if (readByte() != static_cast<std::uint8_t>(scaleNumber))
        return AddressResult::NoLink;
    if (readByte() != kReady)
        return AddressResult::NotReady;
    m_addressed = scaleNumber;
    return AddressResult::Ready;
}

ScaleSession::FirstByte ScaleSession::firstByteWithin(std::chrono::steady_clock::time_point since, int windowMs)
{
    using namespace std::chrono;
    const auto deadline = since + milliseconds(windowMs);
    FirstByte result;
    onLine([&] {
        while (m_comm.GetIn() < 1) {
            const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
            if (left <= 0)
                break;
            m_comm.waitForInput(static_cast<int>(left));
        }
        result.arrived = m_comm.GetIn() >= 1;
    });
    result.elapsedMs = static_cast<long>(duration_cast<milliseconds>(steady_clock::now() - since).count());
    return result;
}

} // namespace qm
