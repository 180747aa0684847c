#pragma once
// The file dialogs of the table commands as data, and the small interface through which the
// commands get a file name: the window answers with real dialogs, the tests with a script.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qm
{

struct FileFilter {
    std::string description; // "товары(*.pl6)"
    std::string pattern;     // "*.pl6"
};

struct FileDialogSetup {
    std::string name;                // the component: `PluSaveDialog`
    std::string filter;              // entries as "description|pattern|description|pattern", UTF-8
    std::string defaultExtension;    // without the dot; added when the user types no extension
    std::string initialName;         // "noname01" for save dialogs, empty for open dialogs
    std::filesystem::path directory; // where the dialog starts: the start directory

    std::vector<FileFilter> filters() const;
    // The extension (without the dot) the dialog adds to a name typed without one while entry
    // `filterIndex` (1-based) is selected: the entry's own "*.ext", so the chosen filter decides
    // the format; `defaultExtension` when the entry has no single extension.
    std::string extensionFor(int filterIndex) const;
};

struct ChosenFile {
    std::filesystem::path path;
    int filterIndex = 1; // 1-based entry of the filter the user had selected
};

// An entry as a file dialog's name filter. The dialog takes the patterns from the parentheses
// that end the text and shows the text as it stands, so a description already ending in
// "(pattern)" is used unchanged and shows once: "товары(*.pl6)".
std::string nameFilterText(const FileFilter& filter);

// The name a file dialog returns for `typed` while entry `filterIndex` is selected: the
// entry's extension is added when the typed file name holds no dot at all.
std::filesystem::path dialogFileName(const FileDialogSetup& setup, const std::filesystem::path& typed, int filterIndex);

class FileChooser
{
  public:
    virtual ~FileChooser() = default;
    // nullopt when the user cancels the dialog.
    virtual std::optional<ChosenFile> openFile(const FileDialogSetup& setup) = 0;
    virtual std::optional<ChosenFile> saveFile(const FileDialogSetup& setup) = 0;
};

FileDialogSetup PluSaveDialog();
FileDialogSetup PluOpenDialog();
FileDialogSetup PluMsgOpenDialog();
FileDialogSetup MsgSaveDialog();
FileDialogSetup MsgOpenDialog();
FileDialogSetup CfgSaveDialog();
FileDialogSetup CfgOpenDialog();
FileDialogSetup AccSaveDialog();
FileDialogSetup AccOpenDialog();
FileDialogSetup QmiSaveDialog();
FileDialogSetup QmiOpenDialog();
// The picture to convert into the logo: one entry of every extension given ("*.bmp" ...).
FileDialogSetup PictureOpenDialog(const std::vector<std::string>& patterns);
// The CSV exchange of the product, message and configuration tables.
FileDialogSetup CsvSaveDialog();
FileDialogSetup CsvOpenDialog();

} // namespace qm
