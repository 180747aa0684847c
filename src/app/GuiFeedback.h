#pragma once
// The window's side of qm::Feedback. An operation on the worker thread calls it; boxes are
// shown on the user-interface thread while the operation waits for the answer, and the progress
// controls of the operation's tab and the grids' current cells are updated by queued calls, in
// the order the operation made them. Progress positions, counter texts and cursor moves that
// follow one another with nothing else queued between them share one call, which shows the
// latest of each: a loop that checks 4000 rows in a blink costs the window one update, not
// 8000. Used on the user-interface thread (the configuration
// check), every call runs at once and processEvents lets the window handle pending events, at
// most every 10 ms.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "common/Feedback.h"

class QLabel;
class QProgressBar;

namespace qm::app
{

class AppContext;

// The progress controls of a tab: bar, counter label and stop button. Any may be missing.
struct TabProgress {
    QProgressBar* bar = nullptr;
    QLabel* counter = nullptr;
    QWidget* stop = nullptr;
};

class GuiFeedback : public Feedback
{
  public:
    explicit GuiFeedback(AppContext& context, TabProgress progress = {});

    // A failure shows as its text in the message box (Feedback's reportFailure); the operation
    // has moved the cursor onto its cell before.
    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    // The error box for a failure that escaped the operation.
    void error(const std::string& text);

    void progressStart(int maximum, int position) override;
    void progressPosition(int position) override;
    void counterShow(bool show) override;
    void counterText(const std::string& text) override;
    void progressEnd() override;
    // The pass's name written on the bar, which otherwise shows no text.
    void progressPhase(const std::string& name) override;

    void moveCursor(TableId table, int row, int col) override;
    void processEvents() override;

    bool stopRequested() const override;
    void clearStop() override;

    // The updates gathered into one queued call.
    struct Latest {
        std::optional<int> position;
        std::optional<QString> counter;
        std::map<TableId, std::pair<int, int>> cursors;
    };
    struct Gathering {
        std::mutex mutex;
        std::shared_ptr<Latest> open;  // queued, not yet shown
        unsigned long queuedCalls = 0; // the count of queued calls when it was queued
    };

  private:
    // Adds the update to the open call, or queues a new one (from the worker; at once on the
    // window's thread).
    template <class Write> void gather(Write write);

    AppContext& m_context;
    std::shared_ptr<Gathering> m_gathering = std::make_shared<Gathering>();
    QPointer<QProgressBar> m_bar;
    QPointer<QLabel> m_counter;
    QPointer<QWidget> m_stop;
    static constexpr int kEventsEveryMs = 10;
    QElapsedTimer m_sinceEvents; // since processEvents last handled the window's events
};

} // namespace qm::app
