#include "cli/TerminalFeedback.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

#include "common/TableLayouts.h"

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

// The layout whose headers name the columns of the table; nullptr for the settings fields.
const TableLayout* layoutOf(TableId table)
{
    switch (table) {
    case TableId::Products:
        return &productLayout();
    case TableId::Messages:
        return &messageLayout();
    case TableId::Config:
        return &configLayout();
    case TableId::Tests:
        return &testLayout();
    case TableId::PriceKeys:
        return &priceKeyLayout();
    case TableId::Reports:
        return &reportLayout();
    case TableId::Settings:
        break;
    }
    return nullptr;
}

} // namespace

std::string failureLine(const Failure& failure)
{
    // Only a cell a person has to correct is named: the key or row that the line failed on is no
    // fault of its cell.
    const bool badCell = failure.kind == FailureKind::BadRow || failure.kind == FailureKind::BadNumber ||
                         failure.kind == FailureKind::BadConfigRow;
    const TableLayout* layout = failure.table ? layoutOf(*failure.table) : nullptr;
    if (!badCell || !layout || !failure.namesCellOf(*failure.table) ||
        static_cast<size_t>(failure.column) >= layout->headers.size())
        return failure.text;
    return "строка " + std::to_string(failure.row) + ", столбец «" + columnTitle(*layout, failure.column) +
           "»: " + failure.text;
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

TerminalFeedback::~TerminalFeedback()
{
    close(false);
}

void TerminalFeedback::message(const std::string& text)
{
    m_closing.push_back(text);
}

void TerminalFeedback::reportFailure(const Failure& failure)
{
    // What the operation said before it failed ("Проверьте работоспособность весов ...") comes
    // first, and is no closing text of a success.
    close(false);
    std::cout << std::flush;
    std::cerr << terminalText(failureLine(failure)) << std::endl;
    if (m_progressShown)
        drawProgress();
}

void TerminalFeedback::close(bool succeeded)
{
    clearProgressLine();
    if (m_closing.empty())
        return;
    std::ostream& out = succeeded && !m_messagesToError ? std::cout : std::cerr;
    for (const auto& text : m_closing)
        out << terminalText(text) << '\n';
    out << std::flush;
    m_closing.clear();
}

Answer TerminalFeedback::ask(const std::string& text, Buttons buttons)
{
    if (m_assumeYes)
        return Answer::Yes;
    const Answer no = buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    clearProgressLine();
    // Without a terminal nobody can answer: the question is shown with the way to say Yes.
    const auto refuse = [&] {
        std::cerr << "qmscales-cli: не подтверждено: используйте --yes" << std::endl;
        if (m_progressShown)
            drawProgress();
        return no;
    };
    std::cout << std::flush;
    if (isatty(STDIN_FILENO) != 1) {
        std::cerr << terminalText(text) << std::endl;
        return refuse();
    }
    const char* choices = buttons == Buttons::YesNoCancel ? " [д/н/о (y/n/c)] " : " [д/н (y/n)] ";
    for (;;) {
        std::cerr << terminalText(text) << choices << std::flush;
        std::string line;
        if (!std::getline(std::cin, line)) {
            std::cerr << std::endl;
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
