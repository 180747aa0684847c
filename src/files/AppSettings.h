#pragma once
// The settings file "qm1_6.cfg" as one value: a line per member, in file order, then the kept
// configuration rows. Texts are code page 1251 bytes as the file holds them. The window binds
// the members to its controls (the component names below) when it starts and before it closes.

#include <string>
#include <vector>
#include <string_view>

#include "common/Table.h"

namespace qm
{

inline constexpr const char* kSettingsFileName = "qm1_6.cfg";
inline constexpr int kSettingsLines = 37;

enum class WindowState { Normal, Maximized, Minimized };

struct AppSettings {
    int activeTab = 0;                         // 1  `PageControl1`, 0..9
    std::string productFont = "MS Sans Serif"; // 2  `StringGrid1`
    std::string messageFont = "MS Sans Serif"; // 3  `StringGrid2`
    std::string configFont = "MS Sans Serif";  // 4  `StringGrid4`
    std::string reportFont = "MS Sans Serif";  // 5  `StringGrid5`
    std::string testFont = "MS Sans Serif";    // 6  `StringGrid6`
    // 7  main window; shutdown fills it with `storedWindowState`.
    WindowState windowState = WindowState::Normal;
    int logoIndex = 0;                  // 8  `ComboBox9`, -1..2
    std::string department = "46";      // 9  `Edit3`
    std::string printOffset = "10";     // 10 `Edit4`
    int labelFormatIndex = 20;          // 11 `ComboBox3`, -1..36 (item 20 is "41")
    int barcodeFormatIndex = 4;         // 12 `ComboBox4`, -1..8
    std::string minWeightChange = "10"; // 13 `Edit5`
    bool checkProducts = true;          // 14 `CheckBox20` test products before writing
    bool checkMessages = true;          // 15 `CheckBox21` test messages before writing
    bool productVirtualSync = false;    // 16 `CheckBox22`
    bool autoVirtualSync = false;       // 17 `CheckBox23`
    bool keepProtocol = true;           // 18 `CheckBox24`
    bool processQueue = true;           // 19 `CheckBox25`
    bool allowPriceChange = true;       // 20 `CheckBox1`
    bool allowPriceChangeKept = true;   // 21 `CheckBox2`
    bool printPluNumber = false;        // 22 `CheckBox3`
    bool printGroupCode = true;         // 23 `CheckBox4`
    bool printPackDate = true;          // 24 `CheckBox5`
    bool printSellByDate = true;        // 25 `CheckBox6`
    bool printLabelNumber = false;      // 26 `CheckBox7`
    bool printPackTime = false;         // 27 `CheckBox8`
    std::string shopName1;              // 28 `Edit1`, default "Спасибо"
    std::string shopName2;              // 29 `Edit2`, default "за покупку !"
    bool enterCurrentDateTime = true;   // 30 `CheckBox15`: the window then fills date and time
    bool minimizeInAutoMode = true;     // 31 `CheckBox19`
    int logoThreshold = 127;            // 32 `TrackBar1`, 20..220
    bool printReportTable = true;       // 33 `CheckBox17`
    bool printTotals = true;            // 34 `CheckBox18`
    bool autoMode = false;              // 35 auto-mode flag
    std::string autoPeriod = "60";      // 36 `Edit33`, seconds
    bool keepConfig = true;             // 37 `CheckBox16`
    // 38 on, only with keepConfig: `StringGrid4`, 9 lines per data row. One empty row by default.
    Table configTable;
    // Without keepConfig, lines after 37 that a later version of the program may have written:
    // kept as read and written back, so nothing it stored is lost.
    std::vector<std::string> trailingLines;

    AppSettings(); // the defaults of `NewFormFile`
    bool operator==(const AppSettings& other) const;
};

// Line 7 as shutdown stores it: a minimised window (Qt keeps the maximised flag on a window
// minimised from maximised) is minimised while auto mode runs and normal otherwise; else
// maximised or normal.
WindowState storedWindowState(bool maximized, bool minimized, bool autoMode);

// Bytes of the settings file. Writing stops after line 37 when keepConfig is off.
std::string serializeSettings(const AppSettings& settings);

// Reading by `OpenFormFile`'s rules: only exactly "TRUE" is true; a window-state line other than
// "wsMaximized" or "wsMinimized" is normal. A missing line, or a number line that is no integer
// text or out of its control's range, keeps that line's default; nothing in the bytes can fail.
AppSettings parseSettings(std::string_view bytes);
// The same over the file's lines.
AppSettings parseSettingsLines(const std::vector<std::string>& lines);

} // namespace qm
