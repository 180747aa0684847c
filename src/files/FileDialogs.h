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
};

struct ChosenFile {
    std::filesystem::path path;
    int filterIndex = 1; // 1-based entry of the filter the user had selected
};

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

} // namespace qm
