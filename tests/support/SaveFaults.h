#pragma once
// The three conditions every save of the program must survive, made real for a test, also when
// the tests run as root (CI), where a directory's mode stops no write:
// - a full disk: the process's file-size limit (RLIMIT_FSIZE) lowered below the new content, with
//   SIGXFSZ ignored, so that the write fails with EFBIG as it would with ENOSPC; programs started
//   meanwhile inherit both;
// - a read-only directory: the directory's mode without write permission, and, as root, the
//   user changed to "nobody" (65534) meanwhile, for whom the mode counts;
// - a directory in place of the file: the old file replaced by a directory holding a file.
// The scope undoes the limit, the user and the mode when it ends; the directory in place stays
// for the test to look at.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qmtest
{

enum class SaveFault { DiskFull, ReadOnlyDirectory, DirectoryInPlace };

inline std::vector<SaveFault> allSaveFaults()
{
    return {SaveFault::DiskFull, SaveFault::ReadOnlyDirectory, SaveFault::DirectoryInPlace};
}

inline const char* faultName(SaveFault fault)
{
    switch (fault) {
    case SaveFault::DiskFull:
        return "DiskFull";
    case SaveFault::ReadOnlyDirectory:
        return "ReadOnlyDirectory";
    case SaveFault::DirectoryInPlace:
        return "DirectoryInPlace";
    }
    return "?";
}

// The reason the message of a failed save gives under the fault (files/FileIo's texts).
inline const char* faultReason(SaveFault fault)
{
    switch (fault) {
    case SaveFault::DiskFull:
        return "превышен допустимый размер файла";
    case SaveFault::ReadOnlyDirectory:
        return "нет доступа";
    case SaveFault::DirectoryInPlace:
        return "это папка, а не файл";
    }
    return "?";
}

// The file a DirectoryInPlace fault leaves inside the directory, and its content.
inline const char* const kInPlaceFile = "kept.txt";
inline const char* const kInPlaceText = "a directory in place of the file";

class SaveFaultScope
{
  public:
    // `target`: the file the save will write; its directory is the test's own.
    // `fileSizeLimit`: below the size of what the save writes.
    SaveFaultScope(SaveFault fault, const std::filesystem::path& target, rlim_t fileSizeLimit = 16)
        : m_fault(fault), m_dir(target.parent_path())
    {
        switch (fault) {
        case SaveFault::DiskFull:
            ::getrlimit(RLIMIT_FSIZE, &m_limit);
            m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
            {
                rlimit lowered = m_limit;
                lowered.rlim_cur = fileSizeLimit;
                if (::setrlimit(RLIMIT_FSIZE, &lowered) != 0)
                    m_skip = "setrlimit(RLIMIT_FSIZE) failed";
            }
            m_active = true;
            break;
        case SaveFault::ReadOnlyDirectory: {
            struct stat st {
            };
            ::stat(m_dir.c_str(), &st);
            m_mode = st.st_mode & 07777;
            ::chmod(m_dir.c_str(), 0555);
            if (::geteuid() == 0) {
                // Root writes whatever the mode says; "nobody" does not. The real user changes
                // too, so that programs started meanwhile run as "nobody" whole (Qt refuses to
                // run set-user-ID); the saved one stays root, to come back.
                if (::setresuid(65534, 65534, 0) != 0) {
                    m_skip = "running as root and setresuid(65534) is not permitted here: no read-only directory "
                             "can be made without a read-only mount";
                } else {
                    m_euidChanged = true;
                }
            }
            m_active = true;
            break;
        }
        case SaveFault::DirectoryInPlace: {
            std::error_code ec;
            std::filesystem::remove(target, ec);
            std::filesystem::create_directory(target);
            std::ofstream(target / kInPlaceFile, std::ios::binary) << kInPlaceText;
            break;
        }
        }
    }
    ~SaveFaultScope() { end(); }
    SaveFaultScope(const SaveFaultScope&) = delete;
    SaveFaultScope& operator=(const SaveFaultScope&) = delete;

    // Undoes the fault now (the destructor does it otherwise).
    void end()
    {
        if (!m_active)
            return;
        m_active = false;
        if (m_fault == SaveFault::DiskFull) {
            ::setrlimit(RLIMIT_FSIZE, &m_limit);
            ::signal(SIGXFSZ, m_oldHandler);
        } else if (m_fault == SaveFault::ReadOnlyDirectory) {
            if (m_euidChanged && ::setresuid(0, 0, 0) != 0)
                std::abort(); // the rest of the tests would run as "nobody"
            ::chmod(m_dir.c_str(), m_mode);
        }
    }

    // Not empty when the fault cannot be made on this machine: the test is skipped with it.
    const std::string& skipReason() const { return m_skip; }

  private:
    SaveFault m_fault;
    std::filesystem::path m_dir;
    bool m_active = false;
    rlimit m_limit{};
    void (*m_oldHandler)(int) = SIG_DFL;
    mode_t m_mode = 0755;
    bool m_euidChanged = false;
    std::string m_skip;
};

} // namespace qmtest
