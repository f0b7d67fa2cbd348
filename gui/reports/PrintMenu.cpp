#include "gui/reports/PrintMenu.h"

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/PeriodSelection.h"
#include "core/reports/lists/GrossWageList.h"
#include "core/reports/lists/ListDocuments.h"
#include "core/reports/lists/ListTexts.h"
#include "core/reports/lists/MonthSheet.h"
#include "gui/recording/FormAuswert.h"
#include "gui/reports/DlgPrintAbort.h"
#include "gui/reports/PrinterJob.h"
#include "gui/reports/ReportPreview.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/WaitCursor.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>

namespace tk {

namespace {

// The message of an error that ends a command, in German as the operator knows it.
QString messageOf(const std::exception &e)
{
    if (const auto *date = dynamic_cast<const DateEncodingError *>(&e))
        return date->message();
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return db->message();
    return QString::fromUtf8(e.what());
}

// Runs a command; an error it raises ends it with the error box.
void runCommand(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        showError(parent, messageOf(e));
    }
}

// While it lives, moves of the window's employee table leave the window's selection to the
// print run, which selects each employee's period itself and so sees its errors.
class DetachedSelection
{
public:
    explicit DetachedSelection(TFormAuswert &form)
        : m_form(form)
    {
        m_form.setSelectionDetached(true);
    }
    ~DetachedSelection() { m_form.setSelectionDetached(false); }
    DetachedSelection(const DetachedSelection &) = delete;
    DetachedSelection &operator=(const DetachedSelection &) = delete;

private:
    TFormAuswert &m_form;
};

QString nameOf(Table &personal)
{
    return personal.field(QStringLiteral("Name")).asString() + QStringLiteral(", ")
        + personal.field(QStringLiteral("Vorname")).asString();
}

} // namespace

AuswertPrintCommands::AuswertPrintCommands(TFormAuswert *form)
    : QObject(form)
    , m_form(form)
{
    setObjectName(QStringLiteral("AuswertPrintCommands"));
    m_previewer = [form](Report &report) { previewReport(report, form); };
    m_chooser = [form](QPrinter &printer) {
        QPrintDialog dialog(&printer, form);
        dialog.setObjectName(QStringLiteral("PrintDialog1"));
        return dialog.exec() == QDialog::Accepted;
    };

    mmiPVPersListeSum = addCommand("mmiPVPersListeSum",
                                   QStringLiteral("Vorschau:  Akt. Personal-Monatsliste (Summen)"),
                                   &AuswertPrintCommands::mmiPVPersListeSumClick);
    mmiPVPersListeDetail = addCommand(
        "mmiPVPersListeDetail", QStringLiteral("Vorschau:  Akt. Personal-Monatsliste (Detail)"),
        &AuswertPrintCommands::mmiPVPersListeDetailClick);
    mmiPVBruttolohn =
        addCommand("mmiPVBruttolohn", QStringLiteral("Vorschau:  Auswertung Bruttolohn"),
                   &AuswertPrintCommands::mmiPVBruttolohnClick);
    form->mnuDrucken->addSeparator();
    mmiPRPersListeSum = addCommand("mmiPRPersListeSum",
                                   QStringLiteral("Drucken:  Alle Personal-Monatsliste (Summen)"),
                                   &AuswertPrintCommands::mmiPRPersListeSumClick);
    mmiPRPersListeDetail = addCommand(
        "mmiPRPersListeDetail", QStringLiteral("Drucken:  Alle Personal-Monatsliste (Detail)"),
        &AuswertPrintCommands::mmiPRPersListeDetailClick);
    mmiPRBruttolohn =
        addCommand("mmiPRBruttolohn", QStringLiteral("Drucken:  Auswertung Bruttolohn"),
                   &AuswertPrintCommands::mmiPRBruttolohnClick);
}

AuswertPrintCommands::~AuswertPrintCommands() = default;

QAction *AuswertPrintCommands::addCommand(const char *name, const QString &caption,
                                          void (AuswertPrintCommands::*slot)())
{
    QAction *action = m_form->mnuDrucken->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void AuswertPrintCommands::setPreviewer(std::function<void(Report &)> previewer)
{
    m_previewer = std::move(previewer);
}

void AuswertPrintCommands::setPrinterChooser(std::function<bool(QPrinter &)> chooser)
{
    m_chooser = std::move(chooser);
}

void AuswertPrintCommands::mmiPVPersListeSumClick()
{
    previewSheet(ListKind::Summen);
}

void AuswertPrintCommands::mmiPVPersListeDetailClick()
{
    previewSheet(ListKind::Detail);
}

void AuswertPrintCommands::mmiPVBruttolohnClick()
{
    showGrossWages(false);
}

void AuswertPrintCommands::mmiPRPersListeSumClick()
{
    printAllSheets(ListKind::Summen);
}

void AuswertPrintCommands::mmiPRPersListeDetailClick()
{
    printAllSheets(ListKind::Detail);
}

void AuswertPrintCommands::mmiPRBruttolohnClick()
{
    showGrossWages(true);
}

// The current employee's sheet over the evaluation period of the selected month.
void AuswertPrintCommands::previewSheet(ListKind kind)
{
    runCommand(m_form, [&] {
        Table &personal = *m_form->tblPersonal;
        std::unique_ptr<MonthSheet> sheet;
        {
            const WaitCursor wait;
            const DatePeriod period =
                CurrentEvaluationPeriod(&personal, m_form->selectedMonth(), m_form->selectedYear());
            sheet = MakeMonthSheet(kind);
            sheet->setKeyRange(personal.field(QStringLiteral("PersonalNummer")).asInteger(),
                               period.from, period.to);
            sheet->setEmployeeCaption(EmployeeCaption(personal));
            sheet->setPeriod(period.from, period.to);
        }
        m_previewer(sheet->report());
    });
}

void AuswertPrintCommands::printAllSheets(ListKind kind)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kind == ListKind::Detail ? QStringLiteral("Personal-Monatsliste (Detail)")
                                                : QStringLiteral("Personal-Monatsliste (Summen)"));
    if (!m_chooser(printer))
        return;

    try {
        m_abort = std::make_unique<TDlgPrintAbort>();
        m_abort->setProgressText(QStringLiteral("Drucke..."));
        // input goes to the printing dialog only while the run lets events through
        m_abort->setWindowModality(Qt::ApplicationModal);
        m_abort->show();
        QCoreApplication::processEvents();
    } catch (...) {
        disposeAbortDialog();
        return;
    }

    try {
        runSheets(kind, printer);
    } catch (const std::exception &e) {
        // The employee table stays on the employee whose sheet failed.
        disposeAbortDialog();
        showError(m_form, messageOf(e));
        return;
    }
    disposeAbortDialog();
    if (!m_form->tblPersonal->isEmpty())
        runCommand(m_form, [this] { m_form->tblPersonal->first(); });
}

void AuswertPrintCommands::runSheets(ListKind kind, QPrinter &printer)
{
    const int month = m_form->selectedMonth();
    const int year = m_form->selectedYear();
    const QDate start(year, month, 1);
    const QDate end(year, month, start.daysInMonth());
    Table &personal = *m_form->tblPersonal;

    PrinterJob job(printer);
    {
        const DetachedSelection detached(*m_form);
        for (personal.first(); !personal.isEmpty() && !personal.eof() && !m_abort->cancelled();
             personal.next()) {
            // the window's reaction to the move: the employee's evaluation period with its
            // missing day records; an employee without a period ends the run here
            SelectEvaluationPeriod(m_form->evaluation(), month, year, 0);

            const QString caption = EmployeeCaption(personal);
            std::unique_ptr<MonthSheet> sheet = MakeMonthSheet(kind);
            sheet->setKeyRange(personal.field(QStringLiteral("PersonalNummer")).asInteger(), start,
                               end);
            sheet->setEmployeeCaption(caption);
            sheet->setPeriod(start, end);
            m_abort->setProgressText(QStringLiteral("Drucke: ") + nameOf(personal));
            sheet->report().setShowProgress(false);
            if (!job.add(sheet->generate()))
                throw DbError(QStringLiteral("Der Drucker kann nicht beschrieben werden."));
            sheet.reset();
            Q_EMIT sheetPrinted(caption);
            // lets a press of "Abbrechen" through before the next employee
            QCoreApplication::processEvents();
        }
    }
    if (!job.finish())
        throw DbError(QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden."));
}

void AuswertPrintCommands::showGrossWages(bool print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Auswertung: Bruttolohn"));
    printer.setPageOrientation(QPageLayout::Landscape); // as the print dialog should offer it
    if (print && !m_chooser(printer))
        return;
    runCommand(m_form, [&] {
        TReportAusw03 list;
        list.setMonth(QDate(m_form->selectedYear(), m_form->selectedMonth(), 1));
        if (print)
            printReport(list.report(), printer);
        else
            m_previewer(list.report());
    });
}

void AuswertPrintCommands::disposeAbortDialog()
{
    if (m_abort) {
        m_abort->hide();
        m_abort.reset();
    }
}

} // namespace tk
