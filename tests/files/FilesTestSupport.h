#pragma once
// A scratch directory and the file commands' fixture; the scripted Feedback and file dialogs
// are the shared ones of tests/support.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/TableLayouts.h"
#include "files/FileCommands.h"
#include "files/FileDialogs.h"
#include "support/ScriptedChooser.h"
#include "support/ScriptedFeedback.h"

namespace qm::test
{

using ScriptedChooser = qmtest::ScriptedChooser<>;

// A fresh directory under the system's temporary directory, removed with its content.
class TempDir
{
  public:
    TempDir()
    {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (;;) {
            m_path = base / ("qm-files-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

// The file commands with a scripted person and scripted dialogs, in a scratch start directory.
class FileCommandTest : public ::testing::Test
{
  protected:
    TempDir dir;
    qmtest::ScriptedFeedback feedback;
    ScriptedChooser chooser;
    FileCommandContext ctx{feedback, chooser, dir.path()};

    // Rows 1..rows of good products named "name1", "name2" ...
    static Table products(int rows)
    {
        Table t = makeTable(productLayout());
        t.setRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r)
            t.setRow(r, {std::to_string(r), "name" + std::to_string(r), "", "100", "5", "0", "1", "2", "0", "0", ""});
        return t;
    }
    void choose(const std::string& name, int filter = 1) { chooser.files.push_back(ChosenFile{name, filter}); }
    void cancelDialog() { chooser.files.push_back(std::nullopt); }
};

std::string readAll(const std::filesystem::path& path);
void writeAll(const std::filesystem::path& path, const std::string& bytes);
// Names of the directory's entries, sorted.
std::vector<std::string> entries(const std::filesystem::path& dir);

} // namespace qm::test
