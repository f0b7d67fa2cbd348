#include "gui/reports/PrinterJob.h"

#include <QPrinter>

namespace tk {

PrinterJob::PrinterJob(QPrinter &printer)
    : ReportPrintJob(printer)
    , m_printer(printer)
{
}

void PrinterJob::adjustDevice(const ReportDocument &document, bool firstDocument)
{
    m_printer.setFullPage(true);
    if (firstDocument)
        m_printer.setDocName(document.title);
}

} // namespace tk
