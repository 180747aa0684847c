#include "app/PrintPreview.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "app/AppContext.h"
#include "app/StringGrid.h"
#include "app/UserDialogs.h"
#include "common/RegularFile.h"

namespace qm::app
{

namespace
{

namespace fs = std::filesystem;

// Why a file printer could not write its file. Qt does not say; the file and its folder do.
std::string outputFileReason(const fs::path& file)
{
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return fileErrorText(ec ? ec : std::make_error_code(std::errc::not_a_directory));
    if (const std::error_code kind = regularFileKind(file); kind && kind != std::errc::no_such_file_or_directory)
        return fileErrorText(kind);
    if (::access(folder.c_str(), W_OK) != 0)
        return fileErrorText(lastSystemError());
    return "файл не удалось записать";
}

bool printerFailed(const QPrinter& printer)
{
    return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted;
}

// Ends the job; true when it failed: the printer reported an error or an abort while it was drawn
// (it is idle again after the end) or when it ended, or the end itself failed.
bool jobFailed(QPainter& painter, const QPrinter& printer)
{
    const bool failedWhileDrawn = printerFailed(printer);
    const bool ended = painter.end();
    return failedWhileDrawn || !ended || printerFailed(printer);
}

} // namespace

std::string printFailedText(const QPrinter& printer)
{
    const QString file = printer.outputFileName();
    if (!file.isEmpty()) {
        const fs::path path = fs::u8path(file.toStdString());
        return "Не удалось напечатать в файл \"" + pathText(path) + "\":\r\n" + outputFileReason(path) + ".";
    }
    std::string reason;
    switch (printer.printerState()) {
    case QPrinter::Aborted:
        reason = "задание прервано";
        break;
    case QPrinter::Error:
        reason = "система печати сообщила об ошибке";
        break;
    default:
        reason = "задание не принято: принтер не готов или недоступен";
        break;
    }
    const QString name = printer.printerName().isEmpty() ? QStringLiteral("по умолчанию") : printer.printerName();
    return "Печать не выполнена. Принтер \"" + name.toStdString() + "\":\r\n" + reason + ".";
}

PrintPreview::PrintPreview(AppContext& context, paint::Printout printout, QWidget* focusAfter, QWidget* parent)
    : QDialog(parent), m_context(context), m_printout(std::move(printout)), m_focusAfter(focusAfter),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(programTitle());
    // Every print command starts in landscape; a change in the dialog holds for this printout only.
    m_printer->setPageOrientation(QPageLayout::Landscape);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("PrintPreviewView"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        paint::paintPrintout(painter, *printer, m_printout);
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(QStringLiteral("Печать…"), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("PrintButton"));
    QPushButton* pdf = buttons->addButton(QStringLiteral("Сохранить в PDF…"), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("PdfButton"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(print, &QPushButton::clicked, this, [this] {
        if (printWithDialog())
            accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        if (saveAsPdf())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(1000, 700);
    connect(this, &QDialog::finished, this, [this] {
        if (m_focusAfter)
            m_focusAfter->setFocus();
    });
}

PrintPreview::~PrintPreview() = default;

bool PrintPreview::printWithDialog()
{
    if (!m_context.dialogs().choosePrinter(*m_printer, this))
        return false;
    // The dialog's copies are printed one job each, so each copy comes out whole and in order.
    const int copies = m_printer->copyCount();
    m_printer->setCopyCount(1);
    return printCopies(*m_printer, copies) == copies;
}

int PrintPreview::printCopies(QPrinter& printer, int copies)
{
    int printed = 0;
    for (; printed < copies; ++printed) {
        QPainter painter;
        if (!painter.begin(&printer)) {
            m_context.dialogs().error(printFailedText(printer));
            break;
        }
        paint::paintPrintout(painter, printer, m_printout);
        if (jobFailed(painter, printer)) {
            m_context.dialogs().error(printFailedText(printer));
            break;
        }
    }
    return printed;
}

bool PrintPreview::saveAsPdf()
{
    FileDialogSetup setup;
    setup.name = "PdfSaveDialog";
    setup.filter = "Документ PDF (*.pdf)|*.pdf";
    setup.defaultExtension = "pdf";
    setup.initialName = "noname01";
    setup.directory = m_context.state().startDirectory;
    const auto chosen = m_context.dialogs().saveFile(setup);
    if (!chosen)
        return false;
    std::filesystem::path path = chosen->path;
    if (path.is_relative())
        path = m_context.state().startDirectory / path;
    std::string error;
    if (!paint::writePdf(path.string(), m_printout, error)) {
        m_context.dialogs().message(error);
        return false;
    }
    return true;
}

PrintPreview* printTable(AppContext& context, StringGrid* grid)
{
    return openPrintPreview(
        context,
        [table = grid->snapshot()](const PageGeometry& page, const TextMeasure& measure) {
            return layoutTable(table, page, measure);
        },
        grid);
}

PrintPreview* openPrintPreview(AppContext& context, paint::Printout printout, QWidget* focusAfter)
{
    QWidget* window = focusAfter ? focusAfter->window() : nullptr;
    auto* preview = new PrintPreview(context, std::move(printout), focusAfter, window);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->open();
    return preview;
}

} // namespace qm::app
