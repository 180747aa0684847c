#include "support/CliProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace qmtest
{

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

pid_t startCli(const std::vector<std::string>& args, const std::filesystem::path& out, const std::filesystem::path& err,
               const std::filesystem::path& workDir)
{
    std::vector<std::string> words = args;
    words.insert(words.begin(), QM_CLI_PATH);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
        ::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd)
            ::close(fd);
        if (!workDir.empty() && ::chdir(workDir.c_str()) != 0)
            ::_exit(126);
        std::vector<char*> argv;
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

CliRun runCli(const std::filesystem::path& captureDir, const std::vector<std::string>& args,
              const std::function<void(pid_t)>& whileRunning, const std::filesystem::path& workDir)
{
    const auto out = captureDir / "stdout.txt";
    const auto err = captureDir / "stderr.txt";
    const pid_t pid = startCli(args, out, err, workDir);
    if (whileRunning)
        whileRunning(pid);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileText(out), fileText(err)};
}

} // namespace qmtest
