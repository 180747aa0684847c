#pragma once
// The print commands' window: a preview of the printout in landscape, from which the person
// prints (the print dialog with its number of copies, each copy printed as its own job) or saves
// the printout as a PDF file. The pages come from print/ through the painter of paint/, the same
// code that writes the command line's PDF.
//
// A job the print system refuses or fails (the painter does not start or end, the printer reports
// an error or an abort) is told with the printer's name or the file it prints into and what went
// wrong; the preview then stays open, so the person can try again or save a PDF.

#include <QDialog>
#include <QPointer>
#include <memory>
#include <string>

#include "paint/PagePainter.h"

class QPrinter;
class QPrintPreviewWidget;

namespace qm::app
{

class AppContext;

class PrintPreview : public QDialog
{
    Q_OBJECT
  public:
    // `focusAfter`, the printed table, gets the focus back when the preview closes.
    PrintPreview(AppContext& context, paint::Printout printout, QWidget* focusAfter, QWidget* parent);
    ~PrintPreview() override;

    // "Печать…": the print dialog, then one job per copy. True when every copy was printed;
    // false when the dialog was cancelled or a job failed (and was told).
    bool printWithDialog();
    // Prints `copies` copies on the printer, each as its own job, and stops at the first job that
    // fails, after telling it. The number of jobs printed whole.
    int printCopies(QPrinter& printer, int copies);
    // "Сохранить в PDF…": the save dialog, then the PDF. True when a file was written.
    bool saveAsPdf();

    QPrinter& printer() { return *m_printer; }
    const paint::Printout& printout() const { return m_printout; }
    QPrintPreviewWidget* view() const { return m_view; }

  private:
    AppContext& m_context;
    paint::Printout m_printout;
    QPointer<QWidget> m_focusAfter;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view;
};

class StringGrid;

// The print command of a table tab: the preview of the grid's table as it stands.
PrintPreview* printTable(AppContext& context, StringGrid* grid);

// The message of a print job that failed on `printer` (UTF-8).
std::string printFailedText(const QPrinter& printer);

// Opens the preview over the window (window-modal, deleted when closed) and returns it.
PrintPreview* openPrintPreview(AppContext& context, paint::Printout printout, QWidget* focusAfter);

} // namespace qm::app
