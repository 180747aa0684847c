#pragma once
// A start directory for a test of the command line: ports.cfg pointing COM1 at the emulated
// scale (when there is one) and "scales.cfl" with one row naming it, written by the window's own
// save; the directory goes away with the object. cli() runs the program on it.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/TableFiles.h"
#include "support/CliProcess.h"
#include "support/EmuProcess.h"

namespace qmtest
{

class CliStartDir
{
  public:
    // `name` and `department` UTF-8; the row's speed is 19200.
    CliStartDir(const EmuProcess* emu, int scaleNumber, const std::string& name, const std::string& department = {},
                const std::string& productFile = {})
    {
        path = std::filesystem::temp_directory_path() /
               ("qmcli-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(path);
        if (emu)
            emu->writePortsCfg(path.string());
        qm::Table config = qm::makeTable(qm::configLayout());
        qm::Row row(qm::kConfigColumns);
        row[qm::cfgcol::Index] = "1";
        row[qm::cfgcol::Name] = qm::cp(name);
        row[qm::cfgcol::Department] = qm::cp(department);
        row[qm::cfgcol::Number] = std::to_string(scaleNumber);
        row[qm::cfgcol::Port] = "COM1";
        row[qm::cfgcol::Speed] = "19200";
        row[qm::cfgcol::ProductFile] = productFile;
        config.setDataRows({row});
        qm::saveCellFile(path / "scales.cfl", config);
    }
    ~CliStartDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    CliStartDir(const CliStartDir&) = delete;
    CliStartDir& operator=(const CliStartDir&) = delete;

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const { return fileText(path / name); }

    // The program with --dir and --config on this directory, run in it.
    CliRun cli(std::vector<std::string> args, const std::function<void(pid_t)>& whileRunning = {}) const
    {
        args.insert(args.begin(), {"--dir", path.string(), "--config", "scales.cfl"});
        return runCli(path, args, whileRunning, path);
    }

    std::filesystem::path path;

  private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }
};

} // namespace qmtest
