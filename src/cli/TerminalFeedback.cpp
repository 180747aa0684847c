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

extern "C" void onInterrupt(int)
{
    g_stop = true;
}
} // namespace

std::string terminalText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
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

void TerminalFeedback::message(const std::string& text)
{
    if (m_progressShown && m_progressOnTerminal)
        std::fputs("\r\033[K", stderr);
    m_lastMessage = text;
    std::cout << terminalText(text) << std::endl;
    if (m_progressShown)
        drawProgress();
}

Answer TerminalFeedback::ask(const std::string& text, Buttons buttons)
{
    if (m_assumeYes)
        return Answer::Yes;
    const bool interactive = isatty(STDIN_FILENO) == 1;
    if (!interactive)
        return Answer::No;
    if (m_progressShown && m_progressOnTerminal)
        std::fputs("\r\033[K", stderr);
    const char* choices = buttons == Buttons::YesNoCancel ? " [д/н/о (y/n/c)] " : " [д/н (y/n)] ";
    for (;;) {
        std::cout << terminalText(text) << choices << std::flush;
        std::string line;
        if (!std::getline(std::cin, line))
            return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
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
    m_progressShown = true;
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
    if (m_progressShown && m_progressOnTerminal)
        std::fputs("\r\033[K", stderr);
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
    std::fprintf(stderr, "\r[%s] %d/%d %s", bar.c_str(), m_position, m_maximum,
                 m_counterShown ? m_counter.c_str() : "");
    std::fflush(stderr);
}

bool TerminalFeedback::stopRequested() const
{
    return g_stop.load();
}

void TerminalFeedback::clearStop()
{
    g_stop = false;
}

} // namespace qm::cli
