#include "app/QtFileDialog.h"

#include <algorithm>

#include "app/UserDialogs.h"

namespace qm::app
{

namespace
{

QStringList nameFilters(const FileDialogSetup& setup)
{
    QStringList out;
    for (const auto& f : setup.filters())
        out << QString::fromStdString(nameFilterText(f));
    return out;
}

int filterIndexOf(const QStringList& filters, const QString& filter)
{
    return std::max(1, static_cast<int>(filters.indexOf(filter)) + 1);
}

} // namespace

void prepareFileDialog(QFileDialog& dialog, const FileDialogSetup& setup, QFileDialog::AcceptMode mode)
{
    dialog.setWindowTitle(programTitle());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDirectory(QString::fromStdString(setup.directory.u8string()));
    const QStringList filters = nameFilters(setup);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(setup.extensionFor(1)));
    // A name typed without an extension gets the selected filter's: "old" saved with the .plu
    // filter is "old.plu", not "old.pl6".
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, setup, filters](const QString& f) {
        dialog.setDefaultSuffix(QString::fromStdString(setup.extensionFor(filterIndexOf(filters, f))));
    });
    if (!setup.initialName.empty())
        dialog.selectFile(QString::fromStdString(setup.initialName));
}

std::optional<ChosenFile> chosenFile(const QFileDialog& dialog, const FileDialogSetup& setup)
{
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    ChosenFile chosen;
    chosen.path = std::filesystem::u8path(files.first().toStdString());
    chosen.filterIndex = filterIndexOf(nameFilters(setup), dialog.selectedNameFilter());
    return chosen;
}

} // namespace qm::app
