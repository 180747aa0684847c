#pragma once
// The window's side of qm::Feedback. An operation on the worker thread calls it; boxes are
// shown on the user-interface thread while the operation waits for the answer, and the progress
// controls of the operation's tab and the grids' current cells are updated by queued calls, in
// the order the operation made them. Used on the user-interface thread (the configuration
// check), every call runs at once and processEvents lets the window handle pending events.

#include <QPointer>
#include <QWidget>

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

  private:
    AppContext& m_context;
    QPointer<QProgressBar> m_bar;
    QPointer<QLabel> m_counter;
    QPointer<QWidget> m_stop;
};

} // namespace qm::app
