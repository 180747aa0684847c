#pragma once
// A feedback for tests: records messages, failures, questions, progress and cursor moves,
// answers questions from a script, and raises the stop flag on request.

#include <atomic>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Feedback.h"

namespace qmtest
{

struct Cursor {
    qm::TableId table;
    int row;
    int col;
    bool operator==(const Cursor& o) const { return table == o.table && row == o.row && col == o.col; }
};

class ScriptedFeedback : public qm::Feedback
{
  public:
    std::vector<std::string> messages; // every text shown, failures included
    std::vector<qm::Failure> failures;
    std::vector<std::string> questions;
    std::deque<qm::Answer> answers; // taken in order; No when empty
    std::vector<int> progress;      // every position shown
    std::vector<std::string> counters;
    std::vector<Cursor> cursor;
    int progressMaximum = -1;
    bool progressVisible = false;
    bool counterVisible = false;
    int progressEnds = 0;
    int positionsSinceStart = 0; // records a loop has shown on the bar started last
    int eventPoints = 0;
    // Called at each point where the window would handle events (e.g. to raise the stop flag).
    std::function<void(ScriptedFeedback&)> onEvents;
    std::atomic<bool> stop{false};

    // The kind of the failure shown last, when nothing was shown after it.
    std::optional<qm::FailureKind> lastFailure() const
    {
        if (failures.empty() || messages.back() != failures.back().text)
            return std::nullopt;
        return failures.back().kind;
    }
    // The kind of the one failure shown, when nothing else was shown.
    std::optional<qm::FailureKind> onlyFailure() const { return messages.size() == 1 ? lastFailure() : std::nullopt; }

    void message(const std::string& text) override { messages.push_back(text); }
    void reportFailure(const qm::Failure& failure) override
    {
        failures.push_back(failure);
        messages.push_back(failure.text);
    }
    qm::Answer ask(const std::string& text, qm::Buttons) override
    {
        questions.push_back(text);
        if (answers.empty())
            return qm::Answer::No;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    void progressStart(int maximum, int position) override
    {
        progressMaximum = maximum;
        progressVisible = true;
        progress.push_back(position);
        positionsSinceStart = 0;
    }
    void progressPosition(int position) override
    {
        progress.push_back(position);
        ++positionsSinceStart;
    }
    void counterShow(bool show) override { counterVisible = show; }
    void counterText(const std::string& text) override { counters.push_back(text); }
    void progressEnd() override
    {
        progressVisible = false;
        counterVisible = false;
        ++progressEnds;
    }
    void moveCursor(qm::TableId table, int row, int col) override { cursor.push_back({table, row, col}); }
    void processEvents() override
    {
        ++eventPoints;
        if (onEvents)
            onEvents(*this);
    }
    bool stopRequested() const override { return stop.load(); }
    void clearStop() override { stop = false; }

    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back(); }
};

} // namespace qmtest
