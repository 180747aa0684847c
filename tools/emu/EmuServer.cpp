#include "EmuServer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

#include "StateFile.h"

namespace emu
{

namespace
{

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_sync = 0;
sigset_t g_waitMask; // the mask during the wait: the signals above get through only there

void onStopSignal(int)
{
    g_stop = 1;
}

void onSyncSignal(int)
{
    g_sync = 1;
}

const auto g_start = std::chrono::steady_clock::now();

} // namespace

EmuServer::EmuServer(Link& link, ScaleState& state, Options& options, EventLog& log)
    : m_link(link), m_state(state), m_log(log), m_statePath(options.statePath),
      m_machine(state, std::move(options.faults), std::move(options.pace),
                [this](const std::string& text) { m_log.event(m_nowMs, text); }),
      m_byteMs(options.baud > 0 ? 10000.0 / options.baud : 0.0)
{
}

void EmuServer::installSignals()
{
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGUSR1})
        sigaddset(&blocked, sig);
    sigprocmask(SIG_BLOCK, &blocked, &g_waitMask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGUSR1}) {
        struct sigaction action {
        };
        action.sa_handler = sig == SIGUSR1 ? onSyncSignal : onStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(sig, &action, nullptr);
        sigdelset(&g_waitMask, sig);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

double EmuServer::clockMs() const
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_start).count();
}

bool EmuServer::saveState()
{
    m_dirty = false;
    m_lastSaveMs = clockMs();
    if (m_statePath.empty())
        return true;
    const std::string error = saveStateFile(m_statePath, m_state);
    m_log.event(m_lastSaveMs, error.empty() ? "state saved" : "state not saved: " + error);
    if (!error.empty())
        std::fprintf(stderr, "qmscale-emu: %s\n", error.c_str());
    return error.empty();
}

void EmuServer::run()
{
    while (!g_stop) {
        m_nowMs = clockMs();
        // A sync first takes in what the program has written so far, so that the "sync" line
        // follows every byte that has arrived and every answer already due.
        const bool syncing = g_sync != 0;
        g_sync = 0;
        if (syncing)
            readLine(m_nowMs);
        deliver(m_nowMs);
        m_machine.tick(m_nowMs);
        // The answer goes out first: a save of a large state must not delay it on the line.
        // A sync (what the tests read the state through) always writes what is pending.
        flushTx(clockMs());
        if (m_dirty && (syncing || m_nowMs >= m_lastSaveMs + kSaveSpacingMs))
            saveState();
        if (syncing)
            m_log.event(clockMs(), "sync");

        std::optional<double> wake = nextWake();
        if (m_hungUp) {
            // Nobody holds the slave: wait a little instead of spinning on the hang-up.
            wake = std::min(wake.value_or(m_nowMs + 20), m_nowMs + 20);
        }
        timespec timeout{};
        timespec* timeoutPtr = nullptr;
        if (wake) {
            const double waitMs = std::max(0.0, *wake - clockMs());
            timeout.tv_sec = static_cast<time_t>(waitMs / 1000);
            timeout.tv_nsec = static_cast<long>(std::fmod(waitMs, 1000.0) * 1e6);
            timeoutPtr = &timeout;
        }
        pollfd fds[2] = {{m_hungUp ? -1 : m_link.dataFd(), static_cast<short>(POLLIN | (m_txBlocked ? POLLOUT : 0)), 0},
                         {m_link.listenFd(), POLLIN, 0}};
        m_hungUp = false;
        const int ready = ::ppoll(fds, 2, timeoutPtr, &g_waitMask);
        if (ready <= 0)
            continue;
        pollfd& fd = fds[0];
        if (fd.revents & POLLOUT)
            m_txBlocked = false;
        if (fd.revents & POLLIN)
            readLine(clockMs());
        if ((fd.revents & (POLLHUP | POLLERR)) && fd.fd == m_link.dataFd())
            hangUp(clockMs());
        // A client that left is seen before the next one is taken, so clients taking turns
        // never find the line still held by the one before.
        if (fds[1].revents & POLLIN) {
            const std::string text = m_link.accept();
            if (!text.empty())
                m_log.event(clockMs(), text);
        }
    }
    m_nowMs = clockMs();
    saveState();
    event("stopped");
}

void EmuServer::readLine(double nowMs)
{
    std::uint8_t buffer[4096];
    while (true) {
        if (m_link.dataFd() < 0)
            return;
        const ssize_t n = ::read(m_link.dataFd(), buffer, sizeof buffer);
        if (n > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                m_rxFreeMs = std::max(nowMs, m_rxFreeMs) + m_byteMs;
                m_rx.push_back({m_rxFreeMs, buffer[i]});
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EIO or end of file: the slave side is closed for now (no data, never an end), or the
        // client has gone.
        if (n == 0 || (n < 0 && errno != EAGAIN))
            hangUp(nowMs);
        return;
    }
}

void EmuServer::hangUp(double nowMs)
{
    if (m_link.hangUp()) {
        m_hungUp = true;
        return;
    }
    // The bytes already on the scale's serial line still reach it; answers go to nobody.
    m_log.event(nowMs, "client left");
    m_tx.clear();
    m_txBlocked = false;
}

void EmuServer::deliver(double nowMs)
{
    while (!m_rx.empty() && m_rx.front().at <= nowMs) {
        const TimedByte in = m_rx.front();
        m_rx.pop_front();
        m_log.byte(in.at, LogEntry::Kind::Rx, in.byte);
        const auto answer = m_machine.receive(in.byte, in.at);
        if (m_machine.takeChanged())
            m_dirty = true;
        if (answer)
            schedule(*answer, in.at);
    }
}

void EmuServer::schedule(const Answer& answer, double arrivalMs)
{
    double at = std::max(arrivalMs + answer.delayMs, m_txFreeMs);
    for (std::uint8_t byte : answer.bytes) {
        at += m_byteMs;
        m_tx.push_back({at, byte});
    }
    m_txFreeMs = at;
}

void EmuServer::flushTx(double nowMs)
{
    if (m_txBlocked)
        return;
    std::uint8_t buffer[4096];
    std::size_t count = 0;
    while (count < m_tx.size() && count < sizeof buffer && m_tx[count].at <= nowMs) {
        buffer[count] = m_tx[count].byte;
        ++count;
    }
    if (count == 0)
        return;
    const std::size_t writable = m_link.dataFd() < 0 ? 0 : m_link.writable(count);
    if (writable == 0) {
        // No client, or a connection cut here: the answer is lost, as on a cut cable.
        if (m_link.dataFd() >= 0)
            hangUp(nowMs);
        m_log.event(nowMs, "answer lost: " + std::to_string(count) + " bytes not written");
        m_tx.erase(m_tx.begin(), m_tx.begin() + static_cast<std::ptrdiff_t>(count));
        return;
    }
    count = writable;
    const ssize_t n = ::write(m_link.dataFd(), buffer, count);
    if (n < 0) {
        if (errno == EAGAIN) {
            m_txBlocked = true;
        } else if (errno != EINTR) {
            // The line cannot take the bytes at all: they are lost, as on a cut cable.
            m_log.event(nowMs, "answer lost: " + std::to_string(count) + " bytes not written");
            m_tx.erase(m_tx.begin(), m_tx.begin() + static_cast<std::ptrdiff_t>(count));
        }
        return;
    }
    for (ssize_t i = 0; i < n; ++i) {
        m_log.byte(nowMs, LogEntry::Kind::Tx, m_tx.front().byte);
        m_tx.pop_front();
    }
    m_link.wrote(static_cast<std::size_t>(n));
    if (m_link.dataFd() < 0) {
        hangUp(nowMs);
        return;
    }
    if (static_cast<std::size_t>(n) < count)
        m_txBlocked = true;
}

std::optional<double> EmuServer::nextWake() const
{
    std::optional<double> wake;
    auto earliest = [&wake](double at) { wake = wake ? std::min(*wake, at) : at; };
    if (!m_rx.empty())
        earliest(m_rx.front().at);
    if (!m_tx.empty() && !m_txBlocked)
        earliest(m_tx.front().at);
    if (const auto deadline = m_machine.deadline())
        earliest(*deadline + 1);
    if (m_dirty)
        earliest(m_lastSaveMs + kSaveSpacingMs);
    return wake;
}

} // namespace emu
