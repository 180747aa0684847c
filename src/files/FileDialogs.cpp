#include "files/FileDialogs.h"

namespace qm
{

namespace
{

const char* const kProductFilter = "товары(*.pl6)|*.pl6|товары(*.plu)|*.plu";
const char* const kNoName = "noname01";

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

} // namespace qm
