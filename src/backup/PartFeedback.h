#pragma once
// The feedback the subjects' operations see while a backup or a restore runs them one after
// another: the bar and the stop button pass through, named after the part; the closing text of
// each operation and its failure are kept back, since the backup or restore says once at its
// end what was done; the questions of a write stage are answered Yes, since the restore asked
// its one question before any of them. The tab tables' cursor is left alone.

#include <functional>
#include <optional>
#include <string>

#include "common/Feedback.h"
#include "operation/OperationTexts.h"

namespace qm
{

class PartFeedback : public Feedback
{
  public:
    explicit PartFeedback(Feedback& outer) : m_outer(outer) {}

    // The part the next operation works on, shown with its bar.
    void startPart(const std::string& name)
    {
        m_part = name;
        m_failure.reset();
    }
    // The failure the operation of the part reported, if any.
    const std::optional<Failure>& failure() const { return m_failure; }
    // Starts the part and runs its operation, unless a stop came first ("Действие прервано.");
    // a failure the operation reported without returning it goes with its result.
    OperationResult run(const std::string& name, const std::function<OperationResult()>& operation)
    {
        startPart(name);
        if (stopRequested())
            return OperationResult::stopped(Failure::plain(FailureKind::Stopped, operationtext::kStopped));
        OperationResult result = operation();
        if (!result && !result.failure)
            result.failure = m_failure;
        return result;
    }

    void message(const std::string&) override {}
    Answer ask(const std::string&, Buttons) override { return Answer::Yes; }
    void reportFailure(const Failure& failure) override { m_failure = failure; }
    void progressStart(int maximum, int position) override
    {
        m_outer.progressStart(maximum, position);
        m_outer.progressPhase(m_part);
    }
    void progressPosition(int position) override { m_outer.progressPosition(position); }
    void counterShow(bool shown) override { m_outer.counterShow(shown); }
    void counterText(const std::string& text) override { m_outer.counterText(text); }
    void progressEnd() override { m_outer.progressEnd(); }
    void progressPhase(const std::string& name) override { m_outer.progressPhase(m_part + ": " + name); }
    void processEvents() override { m_outer.processEvents(); }
    bool stopRequested() const override { return m_outer.stopRequested(); }
    // The stop flag is cleared once, when the backup or restore starts: a stop between two
    // parts must end the whole run, not be forgotten by the next part.
    void clearStop() override {}

  private:
    Feedback& m_outer;
    std::string m_part;
    std::optional<Failure> m_failure;
};

} // namespace qm
