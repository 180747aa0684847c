#include "app/ToolIcons.h"

#include <cstddef>
#include <iterator>

// Outside any namespace, as Q_INIT_RESOURCE requires. The resources live in a static library:
// referencing them keeps the linker from dropping them.
static void initToolIconResources()
{
    Q_INIT_RESOURCE(toolicons);
}

namespace qm::app
{

namespace
{

struct Entry {
    ToolIcon icon;
    const char* file;  // the built-in picture, named by the operation
    const char* theme; // a freedesktop name, or nullptr for the built-in picture only
    const char* glyph;
};

// clang-format off
constexpr Entry kEntries[] = {
    {ToolIcon::New,             "new",               "document-new",             "□"},
    {ToolIcon::Open,            "open",              "document-open",            "▤"},
    {ToolIcon::Save,            "save",              "document-save",            "▣"},
    {ToolIcon::Print,           "print",             "document-print",           "⎙"},
    {ToolIcon::RowAdd,          "row-add",           "list-add",                 "+"},
    {ToolIcon::RowCopy,         "row-copy",          "edit-copy",                "⧉"},
    {ToolIcon::RowInsert,       "row-insert",        nullptr,                    "↧"},
    {ToolIcon::RowDelete,       "row-delete",        "list-remove",              "−"},
    {ToolIcon::RowSort,         "row-sort",          "view-sort-ascending",      "⇅"},
    {ToolIcon::RowsDeleteRange, "rows-delete-range", nullptr,                    "−…"},
    {ToolIcon::Renumber,        "renumber",          nullptr,                    "№"},
    {ToolIcon::Check,           "check",             nullptr,                    "✔"},
    {ToolIcon::SendAll,         "send-all",          nullptr,                    "⇒▦"},
    {ToolIcon::SendOne,         "send-one",          nullptr,                    "⇒1"},
    {ToolIcon::SendRange,       "send-range",        nullptr,                    "⇒…"},
    {ToolIcon::ReadAll,         "read-all",          nullptr,                    "⇐▦"},
    {ToolIcon::ReadOne,         "read-one",          nullptr,                    "⇐1"},
    {ToolIcon::ReadRange,       "read-range",        nullptr,                    "⇐…"},
    {ToolIcon::DeleteAll,       "delete-all",        nullptr,                    "✖▦"},
    {ToolIcon::DeleteOne,       "delete-one",        nullptr,                    "✖1"},
    {ToolIcon::DeleteRange,     "delete-range",      nullptr,                    "✖…"},
    {ToolIcon::CancelRange,     "cancel-range",      nullptr,                    "⊘"},
    {ToolIcon::TestLink,        "test-link",         nullptr,                    "▶"},
    {ToolIcon::TestAll,         "test-all",          nullptr,                    "▶▦"},
    {ToolIcon::ApplyConfig,     "apply-config",      "view-refresh",             "⟳"},
    {ToolIcon::Browse,          "browse",            nullptr,                    "…"},
    {ToolIcon::Clear,           "clear",             "edit-clear",               "⌫"},
    {ToolIcon::Font,            "font",              "preferences-desktop-font", "Aa"},
    {ToolIcon::ConvertPicture,  "picture-convert",   nullptr,                    "▥"},
    {ToolIcon::ExportCsv,       "export-csv",        nullptr,                    "CSV↗"},
    {ToolIcon::ImportCsv,       "import-csv",        nullptr,                    "CSV↙"},
    {ToolIcon::Compare,         "compare",           nullptr,                    "⇔"},
    {ToolIcon::Help,            "help",              "help-contents",            "?"},
};
// clang-format on

constexpr bool entriesInEnumOrder()
{
    for (size_t i = 0; i < std::size(kEntries); ++i) {
        if (kEntries[i].icon != static_cast<ToolIcon>(i))
            return false;
    }
    return std::size(kEntries) == static_cast<size_t>(ToolIcon::Help) + 1;
}
static_assert(entriesInEnumOrder(), "one entry per ToolIcon, in the order of the enum");

const Entry& entry(ToolIcon icon)
{
    return kEntries[static_cast<size_t>(icon)];
}

} // namespace

QString toolIconPath(ToolIcon icon)
{
    return QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(entry(icon).file));
}

QIcon toolIcon(ToolIcon icon)
{
    static const bool resourcesReady = (initToolIconResources(), true);
    (void)resourcesReady;
    const Entry& e = entry(icon);
    const QIcon builtIn(toolIconPath(icon));
    if (!e.theme)
        return builtIn;
    return QIcon::fromTheme(QString::fromLatin1(e.theme), builtIn);
}

QString toolIconGlyph(ToolIcon icon)
{
    return QString::fromUtf8(entry(icon).glyph);
}

} // namespace qm::app
