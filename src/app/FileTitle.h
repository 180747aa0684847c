#pragma once
// The window's title names the product list last opened or saved, so the person sees which file
// the table of the tab "Товары" came from or went to. A new list takes the name away again.

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "files/FileCommands.h"

class QWidget;

namespace qm::app
{

// The program's title, followed by the file when there is one.
QString titleWithFile(const std::optional<std::filesystem::path>& file);

using ListFileCommand = std::function<Outcome(FileCommandContext&)>;

// Runs an open or save of the product list with its file dialogs watched; when it is Done, the
// title of `window` names the file it read (open) or wrote (save, with the extension the chosen
// filter adds).
Outcome openNamingFile(FileCommandContext& files, QWidget* window, const ListFileCommand& open);
Outcome saveNamingFile(FileCommandContext& files, QWidget* window, const ListFileCommand& save);

} // namespace qm::app
