#include "cli/TerminalFeedback.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace qm::cli
{

namespace
{
std::atomic<bool> g_stop{false};

// The first Ctrl+C raises the stop flag; a second one ends the program at once, as Ctrl+C
// does elsewhere, for an operation that does not come to its next stop point.
extern "C" void onInterrupt(int)
{
    if (g_stop.exchange(true)) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}
} // namespace

std::string terminalText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                continue;
            out += '\n';
            continue;
        }
        out += text[i];
    }
    return out;
}

TerminalFeedback::TerminalFeedback()
{
    struct sigaction sa {
    };
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    m_progressOnTerminal = isatty(STDERR_FILENO) == 1;
}

void TerminalFeedback::clearProgressLine()
{
    if (m_progressShown && m_progressOnTerminal) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

void TerminalFeedback::message(const std::string& text)
{
    if (stopRequested()) {
        m_spokeAfterStop = true;
        if (m_holdAfterStop) {
            m_held.push_back(text);
            return;
        }
    }
    clearProgressLine();
    m_lastMessage = text;
    (m_messagesToError ? std::cerr : std::cout) << terminalText(text) << std::endl;
    if (m_progressShown)
        drawProgress();
}

void TerminalFeedback::releaseHeld()
{
    const bool hold = m_holdAfterStop;
    m_holdAfterStop = false;
    std::vector<std::string> held;
    held.swap(m_held);
    for (const auto& text : held)
        message(text);
    m_holdAfterStop = hold;
}

Answer TerminalFeedback::ask(const std::string& text, Buttons buttons)
{
    if (m_assumeYes)
        return Answer::Yes;
    const Answer no = buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    clearProgressLine();
    // Without a terminal nobody can answer: the question is shown with the way to say Yes.
    const auto refuse = [&] {
        std::cout << std::flush;
        std::cerr << "qmscales-cli: не подтверждено: используйте --yes" << std::endl;
        if (m_progressShown)
            drawProgress();
        return no;
    };
    if (isatty(STDIN_FILENO) != 1) {
        std::cout << terminalText(text) << std::endl;
        return refuse();
    }
    const char* choices = buttons == Buttons::YesNoCancel ? " [д/н/о (y/n/c)] " : " [д/н (y/n)] ";
    for (;;) {
        std::cout << terminalText(text) << choices << std::flush;
        std::string line;
        if (!std::getline(std::cin, line)) {
            std::cout << std::endl;
            // Ctrl+C at the prompt is a No; the command says the action was stopped.
            return stopRequested() ? no : refuse();
        }
        if (line == "y" || line == "Y" || line == "yes" || line == "д" || line == "Д" || line == "да")
            return Answer::Yes;
        if (line == "n" || line == "N" || line == "no" || line == "н" || line == "Н" || line == "нет")
            return Answer::No;
        if (buttons == Buttons::YesNoCancel && (line == "c" || line == "C" || line == "о" || line == "О"))
            return Answer::Cancel;
    }
}

void TerminalFeedback::progressStart(int maximum, int position)
{
    m_maximum = maximum;
    m_position = position;
    m_phase.clear();
    m_progressShown = true;
    drawProgress();
}

void TerminalFeedback::progressPhase(const std::string& name)
{
    m_phase = name.empty() ? name : name + " ";
    drawProgress();
}

void TerminalFeedback::progressPosition(int position)
{
    if (position == m_position)
        return;
    m_position = position;
    drawProgress();
}

void TerminalFeedback::counterText(const std::string& text)
{
    m_counter = text;
}

void TerminalFeedback::progressEnd()
{
    clearProgressLine();
    m_progressShown = false;
    m_counterShown = false;
}

void TerminalFeedback::drawProgress()
{
    if (!m_progressOnTerminal || !m_progressShown)
        return;
    constexpr int width = 40;
    const int filled = m_maximum > 0 ? std::min(width, m_position * width / m_maximum) : width;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(width, '.');
    // The line is drawn over itself: what a longer phase name left is erased first.
    std::fprintf(stderr, "\r\033[K%s[%s] %d/%d %s", m_phase.c_str(), bar.c_str(), m_position, m_maximum,
                 m_counterShown ? m_counter.c_str() : "");
    std::fflush(stderr);
}

bool TerminalFeedback::stopRequested() const
{
    return g_stop.load();
}

// An operation clears the flag when it starts so that a stop meant for an earlier operation of
// the window does not end it. A run of the command line is one operation: Ctrl+C pressed while
// it opens the port still stops it at its first record.
void TerminalFeedback::clearStop() {}

} // namespace qm::cli
