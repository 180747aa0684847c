#pragma once
// One cycle of auto mode (`Timer1Timer`): for every configuration row, its product load file and
// then its message load file are loaded when they exist, and after each its load queue advances.
//
// Scales on different ports are loaded at the same time: the rows are grouped by port, and each
// group runs on its own thread with its own serial line and session, the rows of one port in
// table order. Rows that name one load file are in one group whatever their ports: they are
// loaded one after the other from one read of the file, which is deleted only when all of them
// succeeded. Each load works on its own copy of its file's rows; its protocol line and list entry
// are written when it ends. The cycle returns when every group is done.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "autoload/AutoLoad.h"
#include "common/Table.h"

namespace qm
{

class SerialLine;

// A load file another program wrote less than this long ago may still be being written: it is
// left for a later cycle.
inline constexpr int kSettleSeconds = 2;

struct CycleSetup {
    Table config;   // a copy, taken when the cycle starts
    LoadSetup load; // start directory, options, logo index, report
    // A new serial line for one port; called on the thread that will use it.
    std::function<std::unique_ptr<SerialLine>()> makeLine;
    // True once the cycle is to end: the load in progress ends after its current record, and
    // nothing further starts.
    std::function<bool()> stopRequested;
    // Runs the jobs at the same time and returns when all have ended. Empty: one std::thread
    // each. The window and the command line run them on threads of their toolkit.
    std::function<void(std::vector<std::function<void()>>&)> runTogether;
};

struct CycleSummary {
    int loads = 0;  // loads attempted
    int failed = 0; // of which did not succeed (stopped ones included)
    bool stopped = false;
};

CycleSummary runAutoCycle(const CycleSetup& setup);

// The period of auto mode in seconds from its text (`Edit33`): decimal digits, 1 to 86400.
// nullopt for an empty text, 0, or a longer period: auto mode is not switched on with it.
inline constexpr int kMaxPeriodSeconds = 86400;
std::optional<int> periodSeconds(const std::string& text);

// A load-file cell of the configuration table (code page 1251) as a path; a relative name
// belongs to the start directory.
std::filesystem::path loadFilePath(const std::string& cell, const std::filesystem::path& startDirectory);

// True when the file is there to be loaded: it exists, is no directory and has not been written
// for kSettleSeconds.
bool readyToLoad(const std::filesystem::path& file);

} // namespace qm
