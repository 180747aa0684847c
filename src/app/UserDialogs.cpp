#include "app/UserDialogs.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>

#include "app/QtFileDialog.h"

namespace qm::app
{

namespace
{

std::optional<ChosenFile> runFileDialog(QWidget* parent, const FileDialogSetup& setup, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    prepareFileDialog(dialog, setup, mode);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosenFile(dialog, setup);
}

} // namespace

QString programTitle()
{
    return QStringLiteral("Программа для работы с весами QM ver.1.6");
}

QString boxText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

void MessageBoxDialogs::message(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, programTitle(), boxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

Answer MessageBoxDialogs::ask(const std::string& text, Buttons buttons)
{
    const auto standard = buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                    : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    // The save-first questions (Yes/No/Cancel) are plain boxes without an icon.
    const auto icon = buttons == Buttons::YesNo ? QMessageBox::Question : QMessageBox::NoIcon;
    QMessageBox box(icon, programTitle(), boxText(text), standard, m_parent);
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
    QMessageBox box(QMessageBox::Critical, programTitle(), boxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<QFont> MessageBoxDialogs::chooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent, programTitle());
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

bool MessageBoxDialogs::choosePrinter(QPrinter& printer, QWidget* over)
{
    QPrintDialog dialog(&printer, over ? over : m_parent);
    dialog.setWindowTitle(programTitle());
    return dialog.exec() == QDialog::Accepted;
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
