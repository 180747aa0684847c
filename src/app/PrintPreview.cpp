#include "app/PrintPreview.h"

#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/StringGrid.h"
#include "app/UserDialogs.h"

namespace qm::app
{

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
        if (printWithDialog() > 0)
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

int PrintPreview::printWithDialog()
{
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(programTitle());
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    // The dialog's copies are printed one job each, so each copy comes out whole and in order.
    const int copies = m_printer->copyCount();
    m_printer->setCopyCount(1);
    return printCopies(*m_printer, copies);
}

int PrintPreview::printCopies(QPrinter& printer, int copies)
{
    int printed = 0;
    for (; printed < copies; ++printed) {
        QPainter painter;
        if (!painter.begin(&printer)) {
            m_context.dialogs().error("Принтер не готов к печати.");
            break;
        }
        paint::paintPrintout(painter, printer, m_printout);
        painter.end();
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
