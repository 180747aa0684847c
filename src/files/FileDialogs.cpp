#include "files/FileDialogs.h"

namespace qm
{

namespace
{

const char* const kProductFilter = "товары(*.pl6)|*.pl6|товары(*.plu)|*.plu";
const char* const kNoName = "noname01";
const char* const kLogoFilter = "рисунки(*.qmi)|*.qmi";

FileDialogSetup dialog(const char* name, const char* filter, const char* extension, const char* initialName = "")
{
    return {name, filter, extension, initialName, {}};
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
    return dialog("PluSaveDialog", kProductFilter, "pl6", kNoName);
}

FileDialogSetup PluOpenDialog()
{
    return dialog("PluOpenDialog", kProductFilter, "pl6");
}

FileDialogSetup PluMsgOpenDialog()
{
    return dialog("PluMsgOpenDialog", "товары(*.pl6)|*.pl6|товары(*.plu)|*.plu|сообщения(*.msg)|*.msg", "pl6");
}

FileDialogSetup MsgSaveDialog()
{
    return dialog("MsgSaveDialog", "сообщения(*.msg)|*.msg", "msg", kNoName);
}

FileDialogSetup MsgOpenDialog()
{
    return dialog("MsgOpenDialog", "сообщения(*.msg)|*.msg", "msg");
}

FileDialogSetup CfgSaveDialog()
{
    return dialog("CfgSaveDialog", "конфигурация(*.cfl)|*.cfl", "cfl", kNoName);
}

FileDialogSetup CfgOpenDialog()
{
    return dialog("CfgOpenDialog", "конфигурация(*.cfl)|*.cfl", "cfl");
}

FileDialogSetup AccSaveDialog()
{
    return dialog("AccSaveDialog", "отчеты(*.acc)|*.acc", "acc", kNoName);
}

FileDialogSetup AccOpenDialog()
{
    return dialog("AccOpenDialog", "отчеты(*.acc)|*.acc", "acc");
}

FileDialogSetup QmiSaveDialog()
{
    return dialog("QmiSaveDialog", kLogoFilter, "qmi", kNoName);
}

FileDialogSetup QmiOpenDialog()
{
    return dialog("QmiOpenDialog", kLogoFilter, "qmi");
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
