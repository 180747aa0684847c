// qmscales-cli against files that are no regular files and saves that cannot be made, run as a
// real process: a FIFO, a device or a directory as a table file, ports.cfg or qm1_6.cfg gets its
// message at once; a save against a full disk, a read-only directory or a directory in place of
// the file keeps the old file and names it.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "support/CliProcess.h"
#include "support/SaveFaults.h"

namespace fs = std::filesystem;

namespace
{

struct FaultDir {
    FaultDir()
    {
        std::string pattern = (fs::temp_directory_path() / "qmfaultcli-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        // Written by the program also while it runs as another user (the read-only case as root).
        ::chmod(path.c_str(), 0777);
    }
    ~FaultDir()
    {
        std::error_code ec;
        fs::permissions(path / "d", fs::perms::all, ec);
        fs::remove_all(path, ec);
    }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const { return qmtest::fileText(path / name); }
    // The captured output files go, so that a run as another user can make them anew.
    void clearCapture() const
    {
        std::error_code ec;
        fs::remove(path / "stdout.txt", ec);
        fs::remove(path / "stderr.txt", ec);
    }

    fs::path path;
};

qmtest::CliRun cli(const FaultDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--dir", dir.path.string()});
    return qmtest::runCli(dir.path, args, {}, dir.path);
}

// A run that must end at once: a FIFO's reader would wait for a writer for ever.
qmtest::CliRun quickCli(const FaultDir& dir, std::vector<std::string> args)
{
    const auto started = std::chrono::steady_clock::now();
    auto r = cli(dir, std::move(args));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    return r;
}

std::string products(int rows)
{
    qm::Table t = qm::makeTable(qm::productLayout());
    std::vector<qm::Row> data;
    for (int r = 1; r <= rows; ++r)
        data.push_back(
            {std::to_string(r), qm::cp("Товар ") + std::to_string(r), "", "100", "5", "0", "1", "2", "0", "0", ""});
    t.setDataRows(data);
    return qm::cellFileBytes(t);
}

TEST(CliFileFaults, ATableFileThatIsAFifoADeviceOrADirectoryIsRefusedAtOnce)
{
    FaultDir dir;
    ASSERT_EQ(::mkfifo((dir.path / "fifo.pl6").c_str(), 0644), 0);
    auto r = quickCli(dir, {"check-products", "fifo.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Не удалось прочитать файл \"fifo.pl6\":\nэто канал, а не файл."), std::string::npos) << r.err;

    // Before: read until memory ran out, std::bad_alloc, exit 134 without a message.
    fs::create_symlink("/dev/zero", dir.path / "zero.pl6");
    r = quickCli(dir, {"check-products", "zero.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\"zero.pl6\":\nэто устройство, а не файл."), std::string::npos) << r.err;

    fs::create_directory(dir.path / "dir.msg");
    r = quickCli(dir, {"check-messages", "dir.msg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\"dir.msg\":\nэто папка, а не файл."), std::string::npos) << r.err;

    ASSERT_EQ(::mkfifo((dir.path / "fifo.cfl").c_str(), 0644), 0);
    r = quickCli(dir, {"--config", "fifo.cfl", "check-config"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\"fifo.cfl\":\nэто канал, а не файл."), std::string::npos) << r.err;
}

TEST(CliFileFaults, PortsCfgAndTheSettingsFileThatAreNoRegularFilesAreNamed)
{
    FaultDir dir;
    dir.write("scales.cfl", "1\r\nВесы\r\n\r\n1\r\nCOM1\r\n9600\r\n\r\n\r\n\r\n");
    ASSERT_EQ(::mkfifo((dir.path / "ports.cfg").c_str(), 0644), 0);
    auto r = quickCli(dir, {"--config", "scales.cfl", "test-link", "--all"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ports.cfg\":\nэто канал, а не файл."), std::string::npos) << r.err;
    r = quickCli(dir, {"ports"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ports.cfg\":\nэто канал, а не файл."), std::string::npos) << r.err;
    // A file command needs no port names: it is not held up.
    dir.write("a.pl6", products(1));
    EXPECT_EQ(quickCli(dir, {"check-products", "a.pl6"}).status, 0);

    ASSERT_EQ(::mkfifo((dir.path / "qm1_6.cfg").c_str(), 0644), 0);
    r = quickCli(dir, {"test-link", "--all"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("qm1_6.cfg\":\nэто канал, а не файл."), std::string::npos) << r.err;
}

// Every save of the command line that writes a file of its own (the scale reads, which save the
// same way, are in their own tests): export-csv, import-csv, print --pdf, keep-config,
// convert-logo.
TEST(CliFileFaults, EverySaveKeepsTheOldFileAndNamesIt)
{
    struct Case {
        const char* out; // in the directory "d"
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {"out.csv", {"export-csv", "a.pl6", "d/out.csv"}},
        {"out.pl6", {"import-csv", "a.csv", "d/out.pl6"}},
        {"out.pdf", {"print", "a.pl6", "--pdf", "d/out.pdf"}},
        {"out.qmi", {"convert-logo", "pic.pbm", "--out", "d/out.qmi"}},
    };
    for (const qmtest::SaveFault fault : qmtest::allSaveFaults()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(qmtest::faultName(fault)) + " " + c.out);
            FaultDir dir;
            dir.write("a.pl6", products(20));
            ASSERT_EQ(cli(dir, {"export-csv", "a.pl6", "a.csv"}).status, 0);
            std::string picture = "P1\n64 64\n";
            for (int i = 0; i < 64 * 64; ++i)
                picture += i % 3 ? "0 " : "1 ";
            dir.write("pic.pbm", picture);
            fs::create_directory(dir.path / "d");
            const fs::path target = dir.path / "d" / c.out;
            std::ofstream(target, std::ios::binary) << "old";
            dir.clearCapture();
            qmtest::CliRun r;
            {
                // The program's own messages fit below this; every file it saves here is larger,
                // but for the logo, which a full disk is shown for by the domain's tests.
                qmtest::SaveFaultScope scope(fault, target, 512);
                if (!scope.skipReason().empty())
                    GTEST_SKIP() << scope.skipReason();
                if (fault == qmtest::SaveFault::DiskFull && std::string(c.out) == "out.qmi")
                    continue;
                r = cli(dir, c.args);
            }
            EXPECT_EQ(r.status, 1) << r.err;
            EXPECT_NE(r.err.find("Не удалось сохранить файл \"d/" + std::string(c.out) + "\""), std::string::npos)
                << r.err;
            EXPECT_NE(r.err.find(qmtest::faultReason(fault)), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("Прежний файл не изменен."), std::string::npos) << r.err;
            if (fault == qmtest::SaveFault::DirectoryInPlace)
                EXPECT_TRUE(fs::is_directory(target));
            else
                EXPECT_EQ(qmtest::fileText(target), "old");
            EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "d"), fs::directory_iterator()), 1)
                << "a temporary file stayed behind";
        }
    }
}

TEST(CliFileFaults, KeepConfigKeepsTheOldSettingsFile)
{
    for (const qmtest::SaveFault fault : qmtest::allSaveFaults()) {
        SCOPED_TRACE(qmtest::faultName(fault));
        FaultDir dir;
        fs::create_directory(dir.path / "d");
        dir.write("scales.cfl", "1\r\nВесы\r\n\r\n1\r\nCOM1\r\n9600\r\n\r\n\r\n\r\n");
        const fs::path settings = dir.path / "d" / "qm1_6.cfg";
        std::ofstream(settings, std::ios::binary) << "old";
        qmtest::CliRun r;
        {
            qmtest::SaveFaultScope scope(fault, settings, 280);
            if (!scope.skipReason().empty())
                GTEST_SKIP() << scope.skipReason();
            r = qmtest::runCli(dir.path, {"--dir", (dir.path / "d").string(), "keep-config", "scales.cfl"}, {},
                               dir.path);
        }
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find("qm1_6.cfg\""), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(qmtest::faultReason(fault)), std::string::npos) << r.err;
        if (fault != qmtest::SaveFault::DirectoryInPlace) {
            EXPECT_EQ(qmtest::fileText(settings), "old");
        }
    }
}

} // namespace
