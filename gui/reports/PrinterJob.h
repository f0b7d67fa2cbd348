#pragma once

#include "core/reports/engine/ReportRenderer.h"

class QPrinter;

namespace tk {

// A print job on a printer: full-page output, the document title as the spooler's name.
class PrinterJob final : public ReportPrintJob
{
public:
    explicit PrinterJob(QPrinter &printer);

protected:
    void adjustDevice(const ReportDocument &document, bool firstDocument) override;

private:
    QPrinter &m_printer;
};

} // namespace tk
