#pragma once
// qmscales-cli run as a child process for a test: standard input empty, standard output and
// standard error captured through files in the given directory.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qmtest
{

struct CliRun {
    int status = -1; // the exit code, -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// The whole content of a file, empty when it cannot be read.
std::string fileText(const std::filesystem::path& path);

// Starts the program with `args` (the words after its name) in `workDir` (the test's own
// directory when empty): standard input empty, standard output and standard error into the
// files. Nothing else of the test stays open in it, and it ends when the test does.
pid_t startCli(const std::vector<std::string>& args, const std::filesystem::path& out, const std::filesystem::path& err,
               const std::filesystem::path& workDir = {});

// `args` are the words after the program name; `whileRunning` gets the process id once it runs.
// The program runs in `workDir` (relative paths on its command line are taken from there), or in
// the test's own current directory when it is empty.
CliRun runCli(const std::filesystem::path& captureDir, const std::vector<std::string>& args,
              const std::function<void(pid_t)>& whileRunning = {}, const std::filesystem::path& workDir = {});

} // namespace qmtest
