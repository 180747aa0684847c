#include "app/UiThread.h"

#include "app/AppContext.h"

namespace qm::app
{

WindowCalls::WindowCalls(QObject* window) : m_window(window) {}

bool WindowCalls::call(const std::function<void()>& code) const
{
    const std::shared_ptr<State> state = m_state;
    struct Progress {
        bool running = false;
        bool done = false;
    };
    auto progress = std::make_shared<Progress>();
    {
        const std::lock_guard<std::mutex> lock(state->mutex);
        if (state->closed)
            return false;
    }
    // close() runs on the window's thread too, so it never comes between the check and the code;
    // `code` lives on the waiting worker's stack and is not touched once the worker has left.
    ++g_queuedCalls;
    QMetaObject::invokeMethod(
        m_window,
        [state, progress, &code] {
            {
                const std::lock_guard<std::mutex> lock(state->mutex);
                if (state->closed)
                    return;
                progress->running = true;
            }
            code();
            const std::lock_guard<std::mutex> lock(state->mutex);
            progress->running = false;
            progress->done = true;
            state->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(state->mutex);
    // A box the code shows may outlive the close: the worker waits until the code is out.
    state->changed.wait(lock, [&] { return progress->done || (state->closed && !progress->running); });
    return progress->done;
}

void WindowCalls::close()
{
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->closed = true;
    m_state->changed.notify_all();
}

bool WindowCalls::closed() const
{
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->closed;
}

void callOn(AppContext* context, const std::function<void()>& code)
{
    if (onThreadOf(context))
        code();
    else
        context->windowCalls().call(code);
}

} // namespace qm::app
