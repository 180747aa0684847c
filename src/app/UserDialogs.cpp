#include "app/UserDialogs.h"

#include <QDialogButtonBox>
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

std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const std::string& text,
                                     QMessageBox::StandardButtons buttons, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(icon, programTitle(), boxText(text), buttons, parent);
    box->setObjectName(QStringLiteral("MessageBox"));
    if (auto* row = box->findChild<QDialogButtonBox*>())
        row->setCenterButtons(true);
    if (buttons.testFlag(QMessageBox::Yes))
        box->setDefaultButton(QMessageBox::Yes);
    return box;
}

void MessageBoxDialogs::message(const std::string& text)
{
    makeBox(QMessageBox::NoIcon, text, QMessageBox::Ok, m_parent)->exec();
}

Answer MessageBoxDialogs::ask(const std::string& text, Buttons buttons)
{
    const auto standard = buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                    : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    // Every question is a plain box, whatever its buttons, so that they all look alike.
    const auto box = makeBox(QMessageBox::NoIcon, text, standard, m_parent);
    switch (box->exec()) {
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
    makeBox(QMessageBox::Critical, text, QMessageBox::Ok, m_parent)->exec();
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
