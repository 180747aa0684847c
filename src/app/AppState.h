#pragma once
// The state every tab of the window shares. Everything but the stop flag is touched on the
// user-interface thread only; the stop flag is also read by the operation on the worker thread.

#include <atomic>
#include <filesystem>

namespace qm::app
{

struct AppState {
    // The working directory at start-up: fixed file names (settings, protocol, ports map, help)
    // and the file dialogs live here.
    std::filesystem::path startDirectory;

    // Set by typing into a table or by commands that change it, cleared by saving it.
    bool productsModified = false;
    bool messagesModified = false;
    bool configModified = false;
    bool reportsModified = false;
    bool logoModified = false;

    bool autoMode = false;

    // Set by every stop button, cleared by each long operation when it starts and tested by it
    // before each record.
    std::atomic<bool> stop{false};

    void clearModified()
    {
        productsModified = messagesModified = configModified = reportsModified = logoModified = false;
    }
};

} // namespace qm::app
