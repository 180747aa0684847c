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

void GuiFeedback::progressPosition(int position)
{
    postTo(&m_context, [bar = m_bar, position] {
        if (bar)
            bar->setValue(position);
    });
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
    postTo(&m_context, [counter = m_counter, text = QString::fromStdString(text)] {
        if (counter)
            counter->setText(text);
    });
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
    AppContext& ctx = m_context;
    postTo(&ctx, [&ctx, table, row, col] {
        if (StringGrid* grid = ctx.grid(table))
            grid->setCurrentCell(row, col);
    });
}

void GuiFeedback::processEvents()
{
    // On the worker the window handles its events by itself.
    if (onThreadOf(&m_context))
        QCoreApplication::processEvents();
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
