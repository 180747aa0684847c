#pragma once
// Running a piece of code on the user-interface thread from an operation on the worker thread.
// Every call is queued to one context object, so calls run in the order they were made.
// Called on the user-interface thread itself, both run the code at once.

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace qm::app
{

class AppContext;

// Counts the calls queued to the window's thread: a call that gathers several updates
// (GuiFeedback's progress and cursor) takes in only those made while no other call was queued,
// so it never runs ahead of a call made between them.
inline std::atomic<unsigned long> g_queuedCalls{0};

inline bool onThreadOf(const QObject* context)
{
    return QThread::currentThread() == context->thread();
}

// Runs the code later; the caller goes on.
template <class F> void postTo(QObject* context, F&& code)
{
    if (onThreadOf(context))
        code();
    else {
        ++g_queuedCalls;
        QMetaObject::invokeMethod(context, std::forward<F>(code), Qt::QueuedConnection);
    }
}

// The calls the worker waits for on the window's thread. Once closed (the window goes away), a
// call returns without running its code, also one that is already waiting: the window can end
// the worker by joining its thread, without handling events to answer it.
class WindowCalls
{
  public:
    explicit WindowCalls(QObject* window);

    // From the worker: runs the code on the window's thread and waits for it; false when it did
    // not run because the calls are closed.
    bool call(const std::function<void()>& code) const;
    // On the window's thread.
    void close();
    bool closed() const;

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool closed = false;
    };
    QObject* m_window;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// Runs the code on the window's thread and waits for it: questions, message boxes, reading what
// the window holds. Once the window is closing, a call from the worker runs nothing.
void callOn(AppContext* context, const std::function<void()>& code);

} // namespace qm::app
