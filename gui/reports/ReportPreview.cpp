#include "gui/reports/ReportPreview.h"

#include "core/reports/engine/Report.h"
#include "gui/reports/PrinterJob.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QToolBar>

namespace tk {

namespace {

// The engine's progress display while pages are generated: a small window naming the page
// being prepared, shown only when the report asks for it.
class ProgressDisplay
{
public:
    ProgressDisplay(const Report &report, QWidget *parent)
    {
        if (!report.showProgress() || !qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        m_dialog = std::make_unique<QProgressDialog>(parent);
        m_dialog->setWindowTitle(report.title());
        m_dialog->setCancelButton(nullptr);
        m_dialog->setRange(0, 0);
        m_dialog->setMinimumDuration(0);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setLabelText(QStringLiteral("Seiten werden aufbereitet..."));
        m_dialog->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    std::function<void(int)> callback()
    {
        if (!m_dialog)
            return {};
        return [this](int page) {
            m_dialog->setLabelText(QStringLiteral("Seite %1").arg(page));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
    }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

ReportDocument generateWithProgress(Report &report, QWidget *parent)
{
    ProgressDisplay progress(report, parent);
    return report.generate(progress.callback());
}

} // namespace

void setUpPrinter(QPrinter &printer, const Report &report)
{
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4),
                    report.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer.setDocName(report.title());
}

// ---- ReportPreviewDialog ----

ReportPreviewDialog::ReportPreviewDialog(Report &report, QWidget *parent)
    : ReportPreviewDialog(report, std::make_unique<QPrinter>(QPrinter::HighResolution), parent)
{
}

ReportPreviewDialog::ReportPreviewDialog(Report &report, std::unique_ptr<QPrinter> printer,
                                         QWidget *parent)
    : QPrintPreviewDialog(printer.get(), parent)
    , m_report(report)
    , m_printer(std::move(printer))
{
    setUpPrinter(*m_printer, report);
    setWindowTitle(report.title());
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paintPages);

    m_pdfAction = new QAction(QStringLiteral("PDF"), this);
    m_pdfAction->setObjectName(QStringLiteral("actionPdf"));
    m_pdfAction->setToolTip(QStringLiteral("Als PDF-Datei speichern"));
    connect(m_pdfAction, &QAction::triggered, this, &ReportPreviewDialog::savePdf);
    if (auto *toolBar = findChild<QToolBar *>()) {
        toolBar->addSeparator();
        toolBar->addAction(m_pdfAction);
    } else {
        addAction(m_pdfAction);
    }
    // A list is read line by line: it opens at the page's width.
    if (auto *fitWidth = findChild<QAction *>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
    else if (auto *preview = findChild<QPrintPreviewWidget *>())
        preview->fitToWidth();
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

void ReportPreviewDialog::paintPages(QPrinter *printer)
{
    runGuarded(this, [&] {
        const ReportDocument document = generateWithProgress(m_report, this);
        PrinterJob job(*printer);
        job.add(document);
        job.finish();
    });
}

void ReportPreviewDialog::savePdf()
{
    const QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("Als PDF-Datei speichern"), m_report.title() + QStringLiteral(".pdf"),
        QStringLiteral("PDF-Dateien (*.pdf)"));
    if (!fileName.isEmpty())
        savePdfTo(fileName);
}

bool ReportPreviewDialog::savePdfTo(const QString &fileName)
{
    bool written = false;
    runGuarded(this, [&] {
        QString message;
        written = writeReportPdf(m_report, fileName, &message);
        if (!written)
            showError(this, message);
    });
    return written;
}

// ---- functions ----

void previewReport(Report &report, QWidget *parent)
{
    ReportPreviewDialog dialog(report, parent);
    dialog.exec();
}

bool printReport(Report &report, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    bool printed = false;
    runGuarded(parent, [&] {
        const ReportDocument document = generateWithProgress(report, parent);
        PrinterJob job(printer);
        job.add(document);
        printed = job.finish();
    });
    return printed;
}

int printReport(Report &report, QPrinter &printer)
{
    const ReportDocument document = generateWithProgress(report, nullptr);
    PrinterJob job(printer);
    job.add(document);
    job.finish();
    return job.pageCount();
}

bool writeReportPdf(Report &report, const QString &fileName, QString *errorMessage, int *pageCount)
{
    const ReportDocument document = report.generate();
    if (pageCount)
        *pageCount = int(document.pages.size());
    return writePdf({document}, fileName, errorMessage);
}

} // namespace tk
