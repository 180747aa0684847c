#include "app/ScaleRunner.h"

#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "app/AppContext.h"
#include "app/TableModel.h"

namespace qm::app
{

ScaleRunner::ScaleRunner(AppContext& context) : m_context(context), m_worker(new ScaleWorker)
{
    m_thread.setObjectName(QStringLiteral("scale"));
    m_worker->moveToThread(&m_thread);
    // The port goes with the worker, on the worker's own thread.
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

ScaleRunner::~ScaleRunner()
{
    // The context has stopped a running job and closed its window calls: the job goes on without
    // the window, ends after its current record, and the thread with it. What it posted to the
    // window is dropped with the window; no event is handled here.
    m_thread.quit();
    m_thread.wait();
}

bool ScaleRunner::run(TabProgress progress, Job job, TableModel* table)
{
    if (m_busy || !job)
        return false;
    m_busy = true;
    m_table = table;
    if (m_table)
        m_table->setBusy(true);
    setCommandsEnabled(false);
    emit busyChanged(true);
    m_feedback = std::make_unique<GuiFeedback>(m_context, progress);
    GuiFeedback* feedback = m_feedback.get();
    ScaleWorker* worker = m_worker;
    QMetaObject::invokeMethod(
        worker,
        [this, worker, feedback, job = std::move(job), dir = m_context.state().startDirectory, trace = m_tracePath] {
            worker->execute(job, *feedback, dir, trace);
            QMetaObject::invokeMethod(this, &ScaleRunner::finish, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
    return true;
}

void ScaleRunner::finish()
{
    // An operation ended by an error leaves its bar and stop button up; take them down.
    if (m_feedback)
        m_feedback->progressEnd();
    m_feedback.reset();
    m_busyText.clear();
    m_busy = false;
    // Queued after everything the job posted: the rows it read are in before the table is free.
    if (m_table)
        m_table->setBusy(false);
    m_table = nullptr;
    setCommandsEnabled(true);
    emit busyChanged(false);
    emit finished();
}

void ScaleRunner::addScaleCommand(QWidget* control)
{
    m_commands[control] = control;
    if (m_busy) {
        m_enabledBefore[control] = control->isEnabled();
        control->setEnabled(false);
    }
}

void ScaleRunner::setCommandsEnabled(bool enabled)
{
    for (auto& [key, control] : m_commands) {
        if (!control)
            continue;
        if (!enabled) {
            m_enabledBefore[key] = control->isEnabled();
            control->setEnabled(false);
        } else {
            const auto it = m_enabledBefore.find(key);
            control->setEnabled(it == m_enabledBefore.end() || it->second);
        }
    }
    if (enabled)
        m_enabledBefore.clear();
}

bool ScaleRunner::waitIdle(int timeoutMs)
{
    if (!m_busy)
        return true;
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    connect(this, &ScaleRunner::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return !m_busy;
}

} // namespace qm::app
