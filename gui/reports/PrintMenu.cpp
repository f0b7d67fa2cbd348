#include "gui/reports/PrintMenu.h"

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/reports/lists/ChangeLogList.h"
#include "core/reports/lists/EmployeeSheets.h"
#include "core/reports/lists/GrossWageList.h"
#include "core/reports/lists/LawCheckList.h"
#include "core/reports/lists/ListDocuments.h"
#include "core/reports/lists/ListTexts.h"
#include "core/reports/lists/MonthSheet.h"
#include "core/reports/lists/TimeAccountList.h"
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
    explicit DetachedSelection(const PrintContext &context)
        : m_context(context)
    {
        m_context.detachSelection(true);
    }
    ~DetachedSelection() { m_context.detachSelection(false); }
    DetachedSelection(const DetachedSelection &) = delete;
    DetachedSelection &operator=(const DetachedSelection &) = delete;

private:
    const PrintContext &m_context;
};

QString nameOf(Table &personal)
{
    return personal.field(QStringLiteral("Name")).asString() + QStringLiteral(", ")
        + personal.field(QStringLiteral("Vorname")).asString();
}

} // namespace

PrintMenu::PrintMenu(PrintContext context)
    : QObject(context.parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("PrintMenu"));
    QWidget *parent = m_context.parent;
    m_previewer = [parent](Report &report) { previewReport(report, parent); };
    m_chooser = [parent](QPrinter &printer) {
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("PrintDialog1"));
        return dialog.exec() == QDialog::Accepted;
    };

    mmiPVPersListeSum = addCommand("mmiPVPersListeSum",
                                   QStringLiteral("Vorschau:  Akt. Personal-Monatsliste (Summen)"),
                                   &PrintMenu::mmiPVPersListeSumClick);
    mmiPVPersListeDetail = addCommand(
        "mmiPVPersListeDetail", QStringLiteral("Vorschau:  Akt. Personal-Monatsliste (Detail)"),
        &PrintMenu::mmiPVPersListeDetailClick);
    mmiPVBruttolohn =
        addCommand("mmiPVBruttolohn", QStringLiteral("Vorschau:  Auswertung Bruttolohn"),
                   &PrintMenu::mmiPVBruttolohnClick);
    m_context.menu->addSeparator();
    mmiPRPersListeSum = addCommand("mmiPRPersListeSum",
                                   QStringLiteral("Drucken:  Alle Personal-Monatsliste (Summen)"),
                                   &PrintMenu::mmiPRPersListeSumClick);
    mmiPRPersListeDetail = addCommand(
        "mmiPRPersListeDetail", QStringLiteral("Drucken:  Alle Personal-Monatsliste (Detail)"),
        &PrintMenu::mmiPRPersListeDetailClick);
    mmiPRBruttolohn =
        addCommand("mmiPRBruttolohn", QStringLiteral("Drucken:  Auswertung Bruttolohn"),
                   &PrintMenu::mmiPRBruttolohnClick);
    m_context.menu->addSeparator();
    mmiPVZeitkonto = addCommand("mmiPVZeitkonto", QStringLiteral("Vorschau:  Zeitkonto"),
                                &PrintMenu::mmiPVZeitkontoClick);
    mmiPVArbeitszeit =
        addCommand("mmiPVArbeitszeit", QStringLiteral("Vorschau:  Arbeitszeitprüfung"),
                   &PrintMenu::mmiPVArbeitszeitClick);
    mmiPRZeitkonto = addCommand("mmiPRZeitkonto", QStringLiteral("Drucken:  Zeitkonto"),
                                &PrintMenu::mmiPRZeitkontoClick);
    mmiPRArbeitszeit =
        addCommand("mmiPRArbeitszeit", QStringLiteral("Drucken:  Arbeitszeitprüfung"),
                   &PrintMenu::mmiPRArbeitszeitClick);
    m_context.menu->addSeparator();
    mmiPVProtokoll =
        addCommand("mmiPVProtokoll", QStringLiteral("Vorschau:  Akt. Änderungsprotokoll"),
                   &PrintMenu::mmiPVProtokollClick);
}

PrintMenu::~PrintMenu() = default;

QAction *PrintMenu::addCommand(const char *name, const QString &caption, void (PrintMenu::*slot)())
{
    QAction *action = m_context.menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void PrintMenu::setPreviewer(std::function<void(Report &)> previewer)
{
    m_previewer = std::move(previewer);
}

void PrintMenu::setPrinterChooser(std::function<bool(QPrinter &)> chooser)
{
    m_chooser = std::move(chooser);
}

void PrintMenu::mmiPVPersListeSumClick()
{
    previewSheet(ListKind::Summen);
}

void PrintMenu::mmiPVPersListeDetailClick()
{
    previewSheet(ListKind::Detail);
}

void PrintMenu::mmiPVBruttolohnClick()
{
    showMonthList<TReportAusw03>(QStringLiteral("Auswertung: Bruttolohn"), true, false);
}

void PrintMenu::mmiPRPersListeSumClick()
{
    printAllSheets(ListKind::Summen);
}

void PrintMenu::mmiPRPersListeDetailClick()
{
    printAllSheets(ListKind::Detail);
}

void PrintMenu::mmiPRBruttolohnClick()
{
    showMonthList<TReportAusw03>(QStringLiteral("Auswertung: Bruttolohn"), true, true);
}

void PrintMenu::mmiPVZeitkontoClick()
{
    showMonthList<TimeAccountList>(QStringLiteral("Zeitkonto"), true, false);
}

void PrintMenu::mmiPRZeitkontoClick()
{
    showMonthList<TimeAccountList>(QStringLiteral("Zeitkonto"), true, true);
}

void PrintMenu::mmiPVArbeitszeitClick()
{
    showMonthList<LawCheckList>(QStringLiteral("Arbeitszeitprüfung"), false, false);
}

void PrintMenu::mmiPRArbeitszeitClick()
{
    showMonthList<LawCheckList>(QStringLiteral("Arbeitszeitprüfung"), false, true);
}

// The current employee's sheet over the evaluation period of the selected month.
void PrintMenu::previewSheet(ListKind kind)
{
    runCommand(m_context.parent, [&] {
        Table &personal = m_context.tables->personal;
        std::unique_ptr<MonthSheet> sheet;
        {
            const WaitCursor wait;
            const DatePeriod period =
                CurrentEvaluationPeriod(&personal, m_context.month(), m_context.year());
            sheet = MakeEmployeeSheet(kind, personal, period);
        }
        m_previewer(sheet->report());
    });
}

void PrintMenu::printAllSheets(ListKind kind)
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
        showError(m_context.parent, messageOf(e));
        return;
    }
    disposeAbortDialog();
    Table &personal = m_context.tables->personal;
    if (!personal.isEmpty())
        runCommand(m_context.parent, [&personal] { personal.first(); });
}

void PrintMenu::runSheets(ListKind kind, QPrinter &printer)
{
    Table &personal = m_context.tables->personal;
    PrinterJob job(printer);
    {
        const DetachedSelection detached(m_context);
        // an employee without a period ends the run at that employee
        ForEachEmployeeSheet(
            *m_context.tables, kind, m_context.month(), m_context.year(), nullptr,
            [this] { return !m_abort->cancelled(); },
            [&](MonthSheet &sheet) {
                m_abort->setProgressText(QStringLiteral("Drucke: ") + nameOf(personal));
                sheet.report().setShowProgress(false);
                if (!job.add(sheet.generate()))
                    throw DbError(QStringLiteral("Der Drucker kann nicht beschrieben werden."));
                Q_EMIT sheetPrinted(EmployeeCaption(personal));
                // lets a press of "Abbrechen" through before the next employee
                QCoreApplication::processEvents();
                return true;
            });
    }
    if (!job.finish())
        throw DbError(QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden."));
}

void PrintMenu::mmiPVProtokollClick()
{
    runCommand(m_context.parent, [&] {
        ChangeLogList list;
        list.setMonth(QDate(m_context.year(), m_context.month(), 1));
        list.setEmployee(
            m_context.tables->personal.field(QStringLiteral("PersonalNummer")).asInteger());
        m_previewer(list.report());
    });
}

template <class List>
void PrintMenu::showMonthList(const QString &title, bool landscape, bool print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    if (landscape)
        printer.setPageOrientation(QPageLayout::Landscape); // as the print dialog should offer it
    if (print && !m_chooser(printer))
        return;
    runCommand(m_context.parent, [&] {
        List list;
        list.setMonth(QDate(m_context.year(), m_context.month(), 1));
        if (print)
            printReport(list.report(), printer);
        else
            m_previewer(list.report());
    });
}

void PrintMenu::disposeAbortDialog()
{
    if (m_abort) {
        m_abort->hide();
        m_abort.reset();
    }
}

} // namespace tk
