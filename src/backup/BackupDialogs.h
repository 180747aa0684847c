#pragma once
// The file dialogs of the backup and the restore as data (files/FileDialogs.h): the window shows
// them through its FileChooser, the tests script them.

#include "files/FileDialogs.h"

namespace qm
{

FileDialogSetup BackupSaveDialog();
FileDialogSetup BackupOpenDialog();

} // namespace qm
