#pragma once
// A feedback that shows nothing and answers every question No: for work no person watches (the
// loads of the automatic mode, a check whose result says what is wrong). The stop flag, when
// given, is the caller's; an operation's clearStop must not clear it.

#include <functional>
#include <utility>

#include "common/Feedback.h"

namespace qm
{

class QuietFeedback : public Feedback
{
  public:
    explicit QuietFeedback(std::function<bool()> stop = {}) : m_stop(std::move(stop)) {}
    void message(const std::string&) override {}
    Answer ask(const std::string&, Buttons) override { return Answer::No; }
    void progressStart(int, int) override {}
    void progressPosition(int) override {}
    void progressEnd() override {}
    bool stopRequested() const override { return m_stop && m_stop(); }
    void clearStop() override {}

  private:
    std::function<bool()> m_stop;
};

} // namespace qm
