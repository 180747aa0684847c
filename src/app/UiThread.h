#pragma once
// Running a piece of code on the user-interface thread from an operation on the worker thread.
// Every call is queued to one context object, so calls run in the order they were made.
// Called on the user-interface thread itself, both run the code at once.

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <atomic>
#include <utility>

namespace qm::app
{

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

// Runs the code and waits for it: questions, message boxes, reading what the window holds.
template <class F> void callOn(QObject* context, F&& code)
{
    if (onThreadOf(context))
        code();
    else {
        ++g_queuedCalls;
        QMetaObject::invokeMethod(context, std::forward<F>(code), Qt::BlockingQueuedConnection);
    }
}

} // namespace qm::app
