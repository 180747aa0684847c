#pragma once
// New, open and save of the logo file (.qmi) and the opening and conversion of a picture file,
// shared by the window and the tests. Each works on the picture and the logo modified flag the
// caller owns, asks through Feedback and gets file names through a FileChooser, as the table
// file commands do (files/FileCommands.h).
//
// The save-first question ("Рисунок логотипа был изменен. Сохранить изменения?") comes first in
// new, open and convert when the flag is set. Cancel ends the command, and so does a Yes whose
// save did not happen (dialog cancelled, write failed), so an unsaved drawing is never replaced.
// A command that fails (missing or wrong file, unreadable picture) leaves the drawing and the
// flag as they were.

#include <filesystem>
#include <functional>

#include "files/FileCommands.h"
#include "logo/LogoPicture.h"
#include "logo/PictureFile.h"

namespace qm
{

// Decodes a picture file: logo/PictureFile.h's loadPicture, or a stand-in in a test.
using PictureReader = std::function<PictureLoad(const std::filesystem::path& path)>;

// `SpeedButton1Click`: a white picture, the flag cleared.
Outcome newLogo(FileCommandContext& ctx, LogoPicture& picture, bool& modified);
// `SpeedButton2Click`: a .qmi file of exactly 512 bytes; the flag cleared.
Outcome openLogo(FileCommandContext& ctx, LogoPicture& picture, bool& modified);
// `SpeedButton3Click`: the flag is cleared only once the file is written.
Outcome saveLogo(FileCommandContext& ctx, const LogoPicture& picture, bool& modified);
// `SpeedButton4Click`: the picture's top-left 64 × 64 pixels through `Monochrom` with the
// threshold; the flag set. `patterns` are the picture dialog's extensions.
Outcome convertLogoPicture(FileCommandContext& ctx, LogoPicture& picture, bool& modified, int threshold,
                           const std::vector<std::string>& patterns, const PictureReader& read);

} // namespace qm
