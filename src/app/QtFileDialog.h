#pragma once
// A file dialog described as data (files/FileDialogs.h) set up on a real QFileDialog, and the
// file it returns.

#include <QFileDialog>
#include <optional>

#include "files/FileDialogs.h"

namespace qm::app
{

// Title, start directory, filters (each shown once), initial name, and a default suffix that
// follows the filter the user selects.
void prepareFileDialog(QFileDialog& dialog, const FileDialogSetup& setup, QFileDialog::AcceptMode mode);

// The accepted dialog's file with the 1-based index of the selected filter; nullopt when the
// dialog holds no file.
std::optional<ChosenFile> chosenFile(const QFileDialog& dialog, const FileDialogSetup& setup);

} // namespace qm::app
