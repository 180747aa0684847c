#include "EmuProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <variant>

#include "StateFile.h"

namespace qmtest
{

namespace
{

using Clock = std::chrono::steady_clock;

std::string readFile(const std::string& path, std::streamoff from = 0)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    in.seekg(from);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::uint8_t> bytesOf(const std::vector<EmuLogEntry>& log, EmuLogEntry::Kind kind)
{
    std::vector<std::uint8_t> out;
    for (const auto& entry : log)
        if (entry.kind == kind)
            out.push_back(entry.byte);
    return out;
}

} // namespace

EmuProcess::EmuProcess(EmuOptions options) : m_options(std::move(options))
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qmemu-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    m_dir = pattern;
    try {
        start();
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
        throw;
    }
}

EmuProcess::~EmuProcess()
{
    stop();
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

void EmuProcess::start()
{
    if (!m_options.stateJson.empty()) {
        std::ofstream(statePath(), std::ios::binary) << m_options.stateJson;
    }
    std::vector<std::string> args{QM_EMU_PATH,
                                  "--number",
                                  std::to_string(m_options.number),
                                  "--baud",
                                  std::to_string(m_options.baud),
                                  "--state",
                                  statePath(),
                                  "--log",
                                  logPath()};
    for (const auto& fault : m_options.faults) {
        args.push_back("--fault");
        args.push_back(fault);
    }
    if (!m_options.link.empty()) {
        args.push_back("--link");
        args.push_back(m_options.link);
    }
    if (!m_options.tcp.empty()) {
        args.push_back("--tcp");
        args.push_back(m_options.tcp);
    }
    if (m_options.dropAfter > 0) {
        args.push_back("--drop-after");
        args.push_back(std::to_string(m_options.dropAfter));
    }
    if (!m_options.pace.empty()) {
        args.push_back("--pace");
        args.push_back(m_options.pace);
    }
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        // A test that dies must not leave its scale running.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(1);
        ::dup2(out[1], STDOUT_FILENO);
        // Nothing of the test (other scales' ports among it) stays open in the scale.
        for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd)
            ::close(fd);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    m_pid = pid;

    // The first line of its output is the device.
    std::string line;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (line.find('\n') == std::string::npos && Clock::now() < deadline) {
        pollfd fd{out[0], POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (::poll(&fd, 1, static_cast<int>(left.count()) + 1) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(out[0]);
    const auto end = line.find('\n');
    if (end == std::string::npos || end == 0) {
        stop();
        throw std::runtime_error("qmscale-emu did not start (see its message above)");
    }
    m_device = line.substr(0, end);
}

void EmuProcess::stop()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    m_pid = -1;
}

bool EmuProcess::running() const
{
    if (m_pid <= 0)
        return false;
    siginfo_t info{};
    // WNOWAIT: look without reaping, so stop() still collects it.
    if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

void EmuProcess::sync() const
{
    if (m_pid <= 0)
        return;
    std::error_code ec;
    const auto size = std::filesystem::file_size(logPath(), ec);
    const std::streamoff from = ec ? 0 : static_cast<std::streamoff>(size);
    ::kill(m_pid, SIGUSR1);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        if (readFile(logPath(), from).find("\"event\":\"sync\"}\n") != std::string::npos)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    throw std::runtime_error("qmscale-emu did not answer the sync signal");
}

void EmuProcess::writePortsCfg(const std::string& directory, int com) const
{
    std::ofstream(directory + "/ports.cfg", std::ios::app) << "COM" << com << "=" << m_device << "\n";
}

std::vector<EmuLogEntry> EmuProcess::log() const
{
    sync();
    return emu::parseLog(readFile(logPath()));
}

std::vector<std::uint8_t> EmuProcess::received() const
{
    return bytesOf(log(), EmuLogEntry::Kind::Rx);
}

std::vector<std::uint8_t> EmuProcess::sent() const
{
    return bytesOf(log(), EmuLogEntry::Kind::Tx);
}

void EmuProcess::clearLog()
{
    sync();
    std::filesystem::resize_file(logPath(), 0);
}

emu::ScaleState EmuProcess::state() const
{
    sync();
    auto loaded = emu::loadStateFile(statePath());
    if (auto* error = std::get_if<std::string>(&loaded))
        throw std::runtime_error(*error);
    return std::get<emu::ScaleState>(std::move(loaded));
}

} // namespace qmtest
