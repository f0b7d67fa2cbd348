#pragma once

#include <QPrintPreviewDialog>

#include <memory>

class QAction;
class QPrinter;

namespace tk {

class Report;
struct ReportDocument;

// The engine's preview window: Qt's print preview with the report's pages, its own print
// command and an added "PDF" command that saves the pages as a PDF file. The pages are
// generated anew for every painting, so a print from the preview starts its counters at 0.
class ReportPreviewDialog : public QPrintPreviewDialog
{
    Q_OBJECT
public:
    explicit ReportPreviewDialog(Report &report, QWidget *parent = nullptr);
    ~ReportPreviewDialog() override;

    QAction *pdfAction() const { return m_pdfAction; }
    // Asks for a file name and writes the pages there; errors show the error box.
    void savePdf();
    // Writes the pages to fileName; errors show the error box. True when written.
    bool savePdfTo(const QString &fileName);

private:
    // the printer is made first so that the preview can be built on it
    ReportPreviewDialog(Report &report, std::unique_ptr<QPrinter> printer, QWidget *parent);
    void paintPages(QPrinter *printer);

    Report &m_report;
    std::unique_ptr<QPrinter> m_printer;
    QAction *m_pdfAction = nullptr;
};

// Shows the preview and returns when the operator has closed it.
void previewReport(Report &report, QWidget *parent);

// Shows the system print dialog and prints; cancelling the dialog does nothing. True when
// the report was sent to the printer.
bool printReport(Report &report, QWidget *parent);

// Prints to a printer already chosen (a print run over many reports). Table errors and
// errors of the hooks propagate as exceptions. Returns the number of pages printed.
int printReport(Report &report, QPrinter &printer);

// Writes the report as a PDF file without any display (no progress either). Returns false
// with a German message when the file cannot be written; a report without data writes no
// file and sets pageCount to 0. Table errors propagate as exceptions.
bool writeReportPdf(Report &report, const QString &fileName, QString *errorMessage = nullptr,
                    int *pageCount = nullptr);

// Prepares a printer for a report's paper: A4 in the report's orientation, coordinates from
// the paper's corner, the report title as the job name.
void setUpPrinter(QPrinter &printer, const Report &report);

} // namespace tk
