#pragma once
// The settings file's value and the window's controls: which line goes to which control. The
// controls are found by their component names, so a line whose control does not exist yet is
// left alone when read and written back unchanged.

#include "files/AppSettings.h"

namespace qm::app
{

class TForm1;

// Start-up: sets the controls, the active tab, grid fonts, window state, auto-mode flag and, with
// the keep-configuration box checked, the configuration rows.
void applySettings(const AppSettings& settings, TForm1& form);

// Shutdown: `base` (what was read at start-up) with every line whose control exists taken from
// the window.
AppSettings collectSettings(const AppSettings& base, TForm1& form);

} // namespace qm::app
