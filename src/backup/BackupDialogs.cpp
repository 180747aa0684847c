#include "backup/BackupDialogs.h"

namespace qm
{

namespace
{

const char* const kBackupFilter = "резервные копии весов(*.zip)|*.zip";

} // namespace

FileDialogSetup BackupSaveDialog()
{
    return {"BackupSaveDialog", kBackupFilter, "zip", "noname01", {}};
}

FileDialogSetup BackupOpenDialog()
{
    return {"BackupOpenDialog", kBackupFilter, "zip", "", {}};
}

} // namespace qm
