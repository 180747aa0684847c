#include "app/GuiFeedback.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

#include "app/AppContext.h"
#include "app/StringGrid.h"
#include "app/UiThread.h"
#include "app/UserDialogs.h"

namespace qm::app
{

namespace
{
void showLatest(AppContext& ctx, QProgressBar* bar, QLabel* counter, const GuiFeedback::Latest& latest)
{
    if (bar && latest.position)
        bar->setValue(*latest.position);
    if (counter && latest.counter)
        counter->setText(*latest.counter);
    for (const auto& [table, cell] : latest.cursors)
        if (StringGrid* grid = ctx.grid(table))
            grid->setCurrentCell(cell.first, cell.second);
}
} // namespace

GuiFeedback::GuiFeedback(AppContext& context, TabProgress progress)
    : m_context(context), m_bar(progress.bar), m_counter(progress.counter), m_stop(progress.stop)
{
}

void GuiFeedback::message(const std::string& text)
{
    AppContext& ctx = m_context;
    callOn(&ctx, [&ctx, &text] {
        if (!ctx.closing())
            ctx.dialogs().message(text);
    });
}

Answer GuiFeedback::ask(const std::string& text, Buttons buttons)
{
    Answer answer = buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    AppContext& ctx = m_context;
    callOn(&ctx, [&ctx, &text, buttons, &answer] {
        if (!ctx.closing())
            answer = ctx.dialogs().ask(text, buttons);
    });
    return answer;
}

void GuiFeedback::error(const std::string& text)
{
    AppContext& ctx = m_context;
    callOn(&ctx, [&ctx, &text] {
        if (!ctx.closing())
            ctx.dialogs().error(text);
    });
}

void GuiFeedback::progressStart(int maximum, int position)
{
    postTo(&m_context, [bar = m_bar, stop = m_stop, maximum, position] {
        if (bar) {
            bar->setMaximum(maximum);
            bar->setValue(position);
            bar->setTextVisible(false);
            bar->show();
        }
        if (stop)
            stop->show();
    });
}

template <class Write> void GuiFeedback::gather(Write write)
{
    AppContext& ctx = m_context;
    if (onThreadOf(&ctx)) {
        Latest now;
        write(now);
        showLatest(ctx, m_bar, m_counter, now);
        return;
    }
    std::lock_guard<std::mutex> lock(m_gathering->mutex);
    if (!m_gathering->open || m_gathering->queuedCalls != g_queuedCalls.load()) {
        auto latest = std::make_shared<Latest>();
        m_gathering->open = latest;
        postTo(&ctx, [&ctx, gathering = m_gathering, latest, bar = m_bar, counter = m_counter] {
            Latest shown;
            {
                std::lock_guard<std::mutex> taken(gathering->mutex);
                if (gathering->open == latest)
                    gathering->open.reset();
                shown = *latest;
            }
            showLatest(ctx, bar, counter, shown);
        });
        m_gathering->queuedCalls = g_queuedCalls.load();
    }
    write(*m_gathering->open);
}

void GuiFeedback::progressPosition(int position)
{
    gather([position](Latest& latest) { latest.position = position; });
}

void GuiFeedback::counterShow(bool show)
{
    postTo(&m_context, [counter = m_counter, show] {
        if (counter)
            counter->setVisible(show);
    });
}

void GuiFeedback::counterText(const std::string& text)
{
    gather([text = QString::fromStdString(text)](Latest& latest) { latest.counter = text; });
}

void GuiFeedback::progressPhase(const std::string& name)
{
    postTo(&m_context, [bar = m_bar, name = QString::fromStdString(name)] {
        if (!bar)
            return;
        bar->setFormat(name);
        bar->setTextVisible(!name.isEmpty());
    });
}

void GuiFeedback::progressEnd()
{
    postTo(&m_context, [bar = m_bar, counter = m_counter, stop = m_stop] {
        if (bar)
            bar->hide();
        if (counter)
            counter->hide();
        if (stop)
            stop->hide();
    });
}

void GuiFeedback::moveCursor(TableId table, int row, int col)
{
    gather([table, row, col](Latest& latest) { latest.cursors[table] = {row, col}; });
}

void GuiFeedback::processEvents()
{
    // On the worker the window handles its events by itself. A loop on the window's thread (the
    // table checks) asks before every row, and a repaint per row of a 4000-row table would cost
    // seconds: every 10 ms the window is just as live for the person.
    if (!onThreadOf(&m_context))
        return;
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < kEventsEveryMs)
        return;
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

bool GuiFeedback::stopRequested() const
{
    return m_context.state().stop.load();
}

void GuiFeedback::clearStop()
{
    m_context.state().stop.store(false);
}

} // namespace qm::app
