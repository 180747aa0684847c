#include "files/FileDialogs.h"

namespace qm
{

namespace
{

const char* const kNoName = "noname01";

// The files of one kind as their save and open dialogs offer them.
struct FileKind {
    const char* filter;
    const char* extension; // added to a name typed without one
};
const FileKind kProductFiles{"товары(*.pl6)|*.pl6|товары(*.plu)|*.plu", "pl6"};
const FileKind kMessageFiles{"сообщения(*.msg)|*.msg", "msg"};
const FileKind kConfigFiles{"конфигурация(*.cfl)|*.cfl", "cfl"};
const FileKind kReportFiles{"отчеты(*.acc)|*.acc", "acc"};
const FileKind kLogoFiles{"рисунки(*.qmi)|*.qmi", "qmi"};

FileDialogSetup dialog(const char* name, const char* filter, const char* extension, const char* initialName = "")
{
    return {name, filter, extension, initialName, {}};
}

// A save dialog offers "noname01"; an open dialog no name.
FileDialogSetup saveDialog(const char* name, const FileKind& kind)
{
    return dialog(name, kind.filter, kind.extension, kNoName);
}

FileDialogSetup openDialog(const char* name, const FileKind& kind)
{
    return dialog(name, kind.filter, kind.extension);
}

} // namespace

std::vector<FileFilter> FileDialogSetup::filters() const
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t stop = bar == std::string::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, stop - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    std::vector<FileFilter> list;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        list.push_back({parts[i], parts[i + 1]});
    return list;
}

std::string FileDialogSetup::extensionFor(int filterIndex) const
{
    const auto list = filters();
    if (filterIndex < 1 || filterIndex > static_cast<int>(list.size()))
        return defaultExtension;
    const std::string& pattern = list[static_cast<size_t>(filterIndex - 1)].pattern;
    const std::string extension = pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0 ? pattern.substr(2) : "";
    if (extension.empty() || extension.find_first_of("*?;. ") != std::string::npos)
        return defaultExtension;
    return extension;
}

std::string nameFilterText(const FileFilter& filter)
{
    const std::string tail = "(" + filter.pattern + ")";
    const std::string& d = filter.description;
    if (d.size() >= tail.size() && d.compare(d.size() - tail.size(), tail.size(), tail) == 0)
        return d;
    return d + " " + tail;
}

std::filesystem::path dialogFileName(const FileDialogSetup& setup, const std::filesystem::path& typed, int filterIndex)
{
    const std::string extension = setup.extensionFor(filterIndex);
    const std::string file = typed.filename().string();
    if (extension.empty() || file.empty() || file.find('.') != std::string::npos)
        return typed;
    std::filesystem::path name = typed;
    name += "." + extension;
    return name;
}

FileDialogSetup PluSaveDialog()
{
    return saveDialog("PluSaveDialog", kProductFiles);
}

FileDialogSetup PluOpenDialog()
{
    return openDialog("PluOpenDialog", kProductFiles);
}

FileDialogSetup PluMsgOpenDialog()
{
    return dialog("PluMsgOpenDialog", "товары(*.pl6)|*.pl6|товары(*.plu)|*.plu|сообщения(*.msg)|*.msg", "pl6");
}

FileDialogSetup MsgSaveDialog()
{
    return saveDialog("MsgSaveDialog", kMessageFiles);
}

FileDialogSetup MsgOpenDialog()
{
    return openDialog("MsgOpenDialog", kMessageFiles);
}

FileDialogSetup CfgSaveDialog()
{
    return saveDialog("CfgSaveDialog", kConfigFiles);
}

FileDialogSetup CfgOpenDialog()
{
    return openDialog("CfgOpenDialog", kConfigFiles);
}

FileDialogSetup AccSaveDialog()
{
    return saveDialog("AccSaveDialog", kReportFiles);
}

FileDialogSetup AccOpenDialog()
{
    return openDialog("AccOpenDialog", kReportFiles);
}

FileDialogSetup QmiSaveDialog()
{
    return saveDialog("QmiSaveDialog", kLogoFiles);
}

FileDialogSetup QmiOpenDialog()
{
    return openDialog("QmiOpenDialog", kLogoFiles);
}

FileDialogSetup PictureOpenDialog(const std::vector<std::string>& patterns)
{
    std::string all;
    for (const auto& pattern : patterns)
        all += (all.empty() ? "" : " ") + pattern;
    FileDialogSetup setup = dialog("PictureOpenDialog", "", "");
    setup.filter = "рисунки|" + all;
    return setup;
}

FileDialogSetup CsvSaveDialog()
{
    return dialog("CsvSaveDialog", "таблица CSV(*.csv)|*.csv", "csv", kNoName);
}

// Accounting systems often name their exports .txt.
FileDialogSetup CsvOpenDialog()
{
    return dialog("CsvOpenDialog", "таблица CSV(*.csv)|*.csv|текст(*.txt)|*.txt|все файлы(*)|*", "csv");
}

} // namespace qm
