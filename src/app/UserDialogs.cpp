#include "app/UserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace qm::app
{

namespace
{

QString title()
{
    return QGuiApplication::applicationDisplayName();
}

// "товары(*.pl6)|*.pl6|..." as Qt's name filters: "товары(*.pl6) (*.pl6)".
QStringList nameFilters(const FileDialogSetup& setup)
{
    QStringList out;
    for (const auto& f : setup.filters())
        out << QString::fromStdString(f.description) + " (" + QString::fromStdString(f.pattern) + ")";
    return out;
}

std::optional<ChosenFile> runFileDialog(QWidget* parent, const FileDialogSetup& setup, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDirectory(QString::fromStdString(setup.directory.u8string()));
    const QStringList filters = nameFilters(setup);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(setup.defaultExtension));
    if (!setup.initialName.empty())
        dialog.selectFile(QString::fromStdString(setup.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    ChosenFile chosen;
    chosen.path = std::filesystem::u8path(dialog.selectedFiles().first().toStdString());
    chosen.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (chosen.filterIndex < 1)
        chosen.filterIndex = 1;
    return chosen;
}

} // namespace

QString boxText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

void MessageBoxDialogs::message(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), boxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

Answer MessageBoxDialogs::ask(const std::string& text, Buttons buttons)
{
    const auto standard = buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                    : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    // The save-first questions (Yes/No/Cancel) are plain boxes without an icon.
    const auto icon = buttons == Buttons::YesNo ? QMessageBox::Question : QMessageBox::NoIcon;
    QMessageBox box(icon, title(), boxText(text), standard, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

void MessageBoxDialogs::error(const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, title(), boxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<QFont> MessageBoxDialogs::chooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent, title());
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<ChosenFile> MessageBoxDialogs::openFile(const FileDialogSetup& setup)
{
    return runFileDialog(m_parent, setup, QFileDialog::AcceptOpen);
}

std::optional<ChosenFile> MessageBoxDialogs::saveFile(const FileDialogSetup& setup)
{
    return runFileDialog(m_parent, setup, QFileDialog::AcceptSave);
}

} // namespace qm::app
