#pragma once
// The pictures of the tool buttons, named by the operation a button runs, so one operation looks
// the same on every tab.

#include <QIcon>
#include <QString>

namespace qm::app
{

enum class ToolIcon {
    New,
    Open,
    Save,
    Print,
    RowAdd,
    RowCopy,
    RowInsert,
    RowDelete,
    RowSort,
    RowsDeleteRange,
    Renumber,
    Check,
    SendAll,
    SendOne,
    SendRange,
    ReadAll,
    ReadOne,
    ReadRange,
    DeleteAll,
    DeleteOne,
    DeleteRange,
    CancelRange,
    TestLink,
    TestAll,
    ApplyConfig,
    Browse,
    Clear,
    Font,
    ConvertPicture,
    ExportCsv,
    ImportCsv,
    Compare,
    Help, // last: the table of pictures is checked against it
};

// The built-in picture, ":/icons/<operation>.svg".
QString toolIconPath(ToolIcon icon);
// The desktop theme's picture where the theme has one that fits the operation, else the built-in
// one. The scale operations always use the built-in ones: no theme tells them apart.
QIcon toolIcon(ToolIcon icon);
// A short text for a button whose picture could not be loaded.
QString toolIconGlyph(ToolIcon icon);

} // namespace qm::app
