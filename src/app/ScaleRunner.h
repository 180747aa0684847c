#pragma once
// The one way the tabs run a scale operation. The operation runs on one worker thread that
// owns the serial port; one operation at a time. While it runs, every control registered as a
// scale command (on every tab) is disabled, the table it works on (if any) is busy (read-only,
// its editing commands waiting: TableModel::setBusy), the stop buttons stay live and the window
// keeps handling events.
//
// Use from a tab:
//
//     const Table config = context.grid(TableId::Config)->snapshot();     // copies, taken now
//     const std::string name = ScaleChoosers::nameOf(*m_chooser);
//     context.runner().run({ProgressBar1, Label65, Button16},
//         [config, name, sink = std::make_shared<GridSink>(...)](ScaleSession& session, Feedback& feedback) {
//             ... the domain operation, e.g. qm::testChosenScale(session, config, name, tests) ...
//         });
//
// Rules for the job, which runs on the worker thread:
// - take what it needs from the window as copies when run() is called (tables, chooser texts,
//   field texts); never touch a widget or a model;
// - talk to the user through the Feedback it is given (boxes wait for the answer; progress,
//   counter and cursor moves are queued to the window in order), and hand rows it reads back
//   through a GridSink, or post a result with postTo(&context, ...);
// - the stop flag is AppState::stop: Feedback::clearStop and stopRequested reach it, the stop
//   buttons set it.
// A qm::PortError (or other exception) escaping the job is shown in the error box; the
// progress controls of the tab are hidden when the job ends, however it ends.
//
// Byte trace: with a trace path set (the window takes it from the environment variable
// QMSCALES_TRACE, relative to the start directory), every byte in and out of the port is
// logged with a time stamp.

#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/GuiFeedback.h"
#include "app/ScaleWorker.h"

namespace qm::app
{

class AppContext;
class TableModel;

class ScaleRunner : public QObject
{
    Q_OBJECT
  public:
    using Job = ScaleWorker::Job;

    explicit ScaleRunner(AppContext& context);
    ~ScaleRunner() override;

    // Starts the job; false, and nothing started, while another operation runs. `table` is busy
    // from now until the job has ended and everything it posted to the window is done.
    bool run(TabProgress progress, Job job, TableModel* table = nullptr);
    bool busy() const { return m_busy; }
    // What a command started while the running operation holds the worker is told (the cycle of
    // auto mode sets it); empty: such a command is ignored. Cleared when the operation ends.
    void setBusyText(std::string text) { m_busyText = std::move(text); }
    const std::string& busyText() const { return m_busyText; }

    // A control that starts a scale operation: disabled while any operation runs.
    void addScaleCommand(QWidget* control);

    void setTracePath(std::string path) { m_tracePath = std::move(path); }
    const std::string& tracePath() const { return m_tracePath; }

    // Handles events until no operation runs or the time is up; true when idle.
    bool waitIdle(int timeoutMs);

  signals:
    void busyChanged(bool busy);
    void finished();

  private:
    void finish();
    void setCommandsEnabled(bool enabled);

    AppContext& m_context;
    QThread m_thread;
    ScaleWorker* m_worker;
    std::unique_ptr<GuiFeedback> m_feedback; // the running operation's
    QPointer<TableModel> m_table;            // the table it works on
    std::map<QWidget*, QPointer<QWidget>> m_commands;
    std::map<QWidget*, bool> m_enabledBefore;
    std::string m_tracePath;
    std::string m_busyText;
    bool m_busy = false;
};

} // namespace qm::app
