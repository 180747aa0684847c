#pragma once
// What the window benchmarks share: boxes answered at once (so no modal dialog waits), a fresh
// start directory with its own configuration folder, the large tables as files, and a wait that
// keeps the window's event loop running.

#include <stdlib.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/UserDialogs.h"
#include "common/TableLayouts.h"
#include "files/TableFiles.h"

#include "BenchSupport.h"

namespace bench
{

// Every box answered at once: questions with `answer`, file dialogs from the queue.
class QuickDialogs : public qm::app::UserDialogs
{
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    qm::Answer ask(const std::string&, qm::Buttons) override { return answer; }
    void error(const std::string& text) override { errors.push_back(text); }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }
    bool choosePrinter(QPrinter&, QWidget*) override { return false; }
    std::optional<qm::ChosenFile> openFile(const qm::FileDialogSetup&) override { return next(); }
    std::optional<qm::ChosenFile> saveFile(const qm::FileDialogSetup&) override { return next(); }

    qm::Answer answer = qm::Answer::No;
    std::vector<qm::ChosenFile> files;
    std::vector<std::string> messages;
    std::vector<std::string> errors;

  private:
    std::optional<qm::ChosenFile> next()
    {
        if (files.empty())
            return std::nullopt;
        const qm::ChosenFile f = files.front();
        files.erase(files.begin());
        return f;
    }
};

// A new directory made current, holding the program's configuration folder as well (so no
// remembered window geometry of the user's comes in); removed at the end.
class BenchDirectory
{
  public:
    BenchDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_path = pattern;
        std::filesystem::current_path(m_path);
        setenv("XDG_CONFIG_HOME", (m_path / "config").c_str(), 1);
    }
    ~BenchDirectory()
    {
        std::error_code ec;
        std::filesystem::current_path(m_path.parent_path(), ec);
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

// A product table in reverse PLU order (so that a sort has work) saved as .pl6.
inline std::filesystem::path writeProducts(const std::filesystem::path& path, int count)
{
    qm::Table t = products(count);
    std::vector<qm::Row> rows;
    for (int r = t.lastRow(); r >= 1; --r)
        rows.push_back(t.row(r));
    t.setDataRows(rows);
    if (const auto error = qm::saveCellFile(path, t))
        throw std::runtime_error(*error);
    return path;
}

inline std::filesystem::path writeMessages(const std::filesystem::path& path, int count)
{
    if (const auto error = qm::saveCellFile(path, messages(count)))
        throw std::runtime_error(*error);
    return path;
}

// Runs the window's event loop until the condition holds (checked every 10 ms) or the time is up.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(10);
    if (!done())
        loop.exec();
    return done();
}

} // namespace bench
