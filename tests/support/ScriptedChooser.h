#pragma once
// File dialogs answered from a script: each dialog shown takes the next answer (nullopt: the
// person cancelled it). Base is FileChooser or an interface built on it (the window's dialogs).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/FileDialogs.h"

namespace qmtest
{

template <class Base = qm::FileChooser> class ScriptedChooser : public Base
{
  public:
    std::deque<std::optional<qm::ChosenFile>> files;
    std::vector<qm::FileDialogSetup> shown;
    bool cancelWhenEmpty = false; // else a dialog with no answer left fails the test

    std::optional<qm::ChosenFile> openFile(const qm::FileDialogSetup& setup) override { return next(setup); }
    std::optional<qm::ChosenFile> saveFile(const qm::FileDialogSetup& setup) override { return next(setup); }
    // The dialogs' component names, in order.
    std::vector<std::string> shownNames() const
    {
        std::vector<std::string> names;
        for (const auto& setup : shown)
            names.push_back(setup.name);
        return names;
    }

  private:
    std::optional<qm::ChosenFile> next(const qm::FileDialogSetup& setup)
    {
        shown.push_back(setup);
        if (files.empty()) {
            if (!cancelWhenEmpty)
                ADD_FAILURE() << "unexpected dialog " << setup.name;
            return std::nullopt;
        }
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

} // namespace qmtest
