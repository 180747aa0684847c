#pragma once
// The feedback of a part of an operation that fills a table of its own (a compare's read): it
// reaches the person as the operation's feedback does, but the cursor of the person's table
// stays where the person put it, since the rows it would point at are not that table's.

#include "common/Feedback.h"

namespace qm
{

class KeptCursor : public Feedback
{
  public:
    explicit KeptCursor(Feedback& inner) : m_inner(inner) {}

    void message(const std::string& text) override { m_inner.message(text); }
    Answer ask(const std::string& text, Buttons buttons) override { return m_inner.ask(text, buttons); }
    void reportFailure(const Failure& failure) override { m_inner.reportFailure(failure); }
    void progressStart(int maximum, int position) override { m_inner.progressStart(maximum, position); }
    void progressPosition(int position) override { m_inner.progressPosition(position); }
    void counterShow(bool show) override { m_inner.counterShow(show); }
    void counterText(const std::string& text) override { m_inner.counterText(text); }
    void progressEnd() override { m_inner.progressEnd(); }
    void progressPhase(const std::string& name) override { m_inner.progressPhase(name); }
    void moveCursor(TableId, int, int) override {}
    void processEvents() override { m_inner.processEvents(); }
    bool stopRequested() const override { return m_inner.stopRequested(); }
    void clearStop() override { m_inner.clearStop(); }

  private:
    Feedback& m_inner;
};

} // namespace qm
