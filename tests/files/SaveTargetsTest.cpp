// What a save does to what stands at its name: it writes through a symbolic link to the link's
// target, keeps the old file's permissions and owner, refuses what is no regular file, and writes
// its temporary file under a name of its own, so that temporaries a crash left behind stop no
// later save and are cleared once they are old.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "files/FileIo.h"

namespace qm
{
namespace
{

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

mode_t modeOf(const fs::path& path)
{
    struct stat st {
    };
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(SaveTargets, ASaveWritesThroughASymbolicLinkToItsTarget)
{
    test::TempDir dir;
    fs::create_directory(dir / "real");
    test::writeAll(dir / "real" / "t.pl6", "old");
    fs::create_symlink("real/t.pl6", dir / "link.pl6"); // relative to the link's folder
    fs::create_symlink(dir / "link.pl6", dir / "chain.pl6");

    ASSERT_FALSE(saveFileAtomically(dir / "link.pl6", "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.pl6"));
    EXPECT_EQ(test::readAll(dir / "real" / "t.pl6"), "new");
    ASSERT_FALSE(saveFileAtomically(dir / "chain.pl6", "newer"));
    EXPECT_TRUE(fs::is_symlink(dir / "chain.pl6"));
    EXPECT_EQ(test::readAll(dir / "real" / "t.pl6"), "newer");
    EXPECT_EQ(test::entries(dir / "real"), Names{"t.pl6"});
    EXPECT_EQ(test::entries(dir.path()), (Names{"chain.pl6", "link.pl6", "real"}));

    // A link whose target does not exist yet: the target is made.
    fs::create_symlink("real/new.msg", dir / "dangling.msg");
    ASSERT_FALSE(saveFileAtomically(dir / "dangling.msg", "made"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.msg"));
    EXPECT_EQ(test::readAll(dir / "real" / "new.msg"), "made");

    // A loop of links is refused with the reason.
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    const auto loop = saveFileAtomically(dir / "loop1", "x");
    ASSERT_TRUE(loop);
    EXPECT_NE(loop->find("слишком много символических ссылок"), std::string::npos) << *loop;
}

TEST(SaveTargets, ASaveKeepsTheOldFilesPermissionsAndOwner)
{
    test::TempDir dir;
    const fs::path file = dir / "t.cfl";
    test::writeAll(file, "old");
    ::chmod(file.c_str(), 0640);
    ASSERT_FALSE(saveFileAtomically(file, "new"));
    EXPECT_EQ(modeOf(file), 0640u);
    ::chmod(file.c_str(), 0604);
    ASSERT_FALSE(saveFileAtomically(file, "newer"));
    EXPECT_EQ(modeOf(file), 0604u);
    EXPECT_EQ(test::readAll(file), "newer");

    // A new file gets what the umask leaves of 0666, as before.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_FALSE(saveFileAtomically(dir / "fresh.cfl", "x"));
    EXPECT_EQ(modeOf(dir / "fresh.cfl"), 0666u & ~mask);

    if (::geteuid() != 0)
        GTEST_SKIP() << "the owner can be kept only by a privileged program: not running as root";
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_FALSE(saveFileAtomically(file, "newest"));
    struct stat st {
    };
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(modeOf(file), 0604u);
}

TEST(SaveTargets, WhatIsNoRegularFileIsNeverReplaced)
{
    test::TempDir dir;
    const fs::path fifo = dir / "pipe.pl6";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto error = saveFileAtomically(fifo, "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("\"" + pathText(fifo) + "\""), std::string::npos) << *error;
    EXPECT_NE(error->find("это канал, а не файл"), std::string::npos) << *error;
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    // A link to a FIFO is the FIFO.
    fs::create_symlink(fifo, dir / "link.pl6");
    EXPECT_TRUE(saveFileAtomically(dir / "link.pl6", "x"));
    EXPECT_EQ(test::entries(dir.path()), (Names{"link.pl6", "pipe.pl6"}));
}

TEST(SaveTargets, TemporariesOfEarlierVersionsOrOtherProgramsStopNoSave)
{
    // Before, temporaries were NAME.tmp0 .. NAME.tmp99: with all of them there (crashes of
    // earlier saves), every save of the name failed.
    test::TempDir dir;
    const fs::path file = dir / "f.pl6";
    test::writeAll(file, "old");
    Names before{"f.pl6"};
    for (int i = 0; i < 100; ++i) {
        test::writeAll(dir / ("f.pl6.tmp" + std::to_string(i)), "someone else's");
        before.push_back("f.pl6.tmp" + std::to_string(i));
    }
    std::sort(before.begin(), before.end());
    ASSERT_FALSE(saveFileAtomically(file, "new"));
    EXPECT_EQ(test::readAll(file), "new");
    EXPECT_EQ(test::entries(dir.path()), before) << "nothing else was touched";
}

TEST(SaveTargets, OldTemporariesOfTheProgramAreClearedAndNothingElse)
{
    test::TempDir dir;
    const fs::path file = dir / "f.msg";
    test::writeAll(file, "old");
    const auto old = fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::minutes(1);
    const auto place = [&](const std::string& name, bool aged) {
        test::writeAll(dir / name, "left");
        if (aged)
            fs::last_write_time(dir / name, old);
    };
    place(".f.msg.qmsave-Ab12Cd", true);                // a crash's leftover: cleared
    place(".f.msg.qmsave-Zz99zz", false);               // a save of another process right now: kept
    place(".g.msg.qmsave-Ab12Cd", true);                // another name's: its own save clears it
    place(".f.msg.qmsave-Ab12C", true);                 // not the pattern
    place(".f.msg.qmsave-Ab12Cd.bak", true);            // not the pattern
    place("f.msg.qmsave-Ab12Cd", true);                 // not the pattern (no leading dot)
    place(".f.msg.qmsave-Ab1-Cd", true);                // not the pattern
    fs::create_directory(dir / ".f.msg.qmsave-Dir123"); // the pattern, but no regular file
    fs::last_write_time(dir / ".f.msg.qmsave-Dir123", old);
    fs::create_symlink("f.msg", dir / ".f.msg.qmsave-Lnk123"); // the pattern, but a link

    ASSERT_FALSE(saveFileAtomically(file, "new"));
    EXPECT_EQ(test::readAll(file), "new");
    Names kept{".f.msg.qmsave-Ab12C",  ".f.msg.qmsave-Ab12Cd.bak", ".f.msg.qmsave-Ab1-Cd", ".f.msg.qmsave-Dir123",
               ".f.msg.qmsave-Lnk123", ".f.msg.qmsave-Zz99zz",     ".g.msg.qmsave-Ab12Cd", "f.msg",
               "f.msg.qmsave-Ab12Cd"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(test::entries(dir.path()), kept);
}

TEST(SaveTargets, TheTemporaryNamePattern)
{
    EXPECT_TRUE(isSaveTemporaryOf(".a.pl6.qmsave-abcXYZ", "a.pl6"));
    EXPECT_TRUE(isSaveTemporaryOf(".a.pl6.qmsave-012345", "a.pl6"));
    EXPECT_FALSE(isSaveTemporaryOf(".a.pl6.qmsave-abcXY", "a.pl6"));
    EXPECT_FALSE(isSaveTemporaryOf(".a.pl6.qmsave-abcXYZ", "b.pl6"));
    EXPECT_FALSE(isSaveTemporaryOf(".a.pl6.qmsave-abc.YZ", "a.pl6"));
    EXPECT_FALSE(isSaveTemporaryOf("a.pl6.tmp0", "a.pl6"));
}

TEST(SaveTargets, ASaveKilledHalfWayLeavesTheOldFileAndItsTemporaryIsClearedLater)
{
    test::TempDir dir;
    const fs::path file = dir / "big.acc";
    test::writeAll(file, "old");
    // A child process killed while it writes a large file.
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (;;)
            (void)saveFileAtomically(file, std::string(64 << 20, 'x'));
    }
    for (int i = 0; i < 500; ++i) {
        bool temporary = false;
        for (const auto& name : test::entries(dir.path()))
            temporary = temporary || isSaveTemporaryOf(name, "big.acc");
        if (temporary)
            break;
        ::usleep(2000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    const std::string content = test::readAll(file);
    EXPECT_TRUE(content == "old" || content == std::string(64 << 20, 'x')) << "never a half file";
    Names left;
    for (const auto& name : test::entries(dir.path()))
        if (isSaveTemporaryOf(name, "big.acc"))
            left.push_back(name);
    if (left.empty())
        GTEST_SKIP() << "the child was not caught in the middle of a save";
    // Young, it may be a save in progress: kept. Once old, the next save clears it.
    ASSERT_FALSE(saveFileAtomically(file, "new"));
    EXPECT_TRUE(fs::exists(dir / left[0]));
    fs::last_write_time(dir / left[0], fs::file_time_type::clock::now() - kStaleTemporaryAge - std::chrono::minutes(1));
    ASSERT_FALSE(saveFileAtomically(file, "newer"));
    EXPECT_EQ(test::entries(dir.path()), Names{"big.acc"});
    EXPECT_EQ(test::readAll(file), "newer");
}

} // namespace
} // namespace qm
