// The day sheet of the time recording window: adding, changing and replacing the time
// entries of the current day through the entry dialogs, and the "Funktionen" commands.
#include "gui/recording/FormAuswert.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextStream>

#include <functional>

#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/DaySheet.h"
#include "core/recording/HolidayFill.h"
#include "core/recording/MonthClosing.h"
#include "core/recording/OtherDayEntries.h"
#include "core/recording/PeriodSelection.h"
#include "core/settings/FirmSettings.h"
#include "gui/recording/DlgChangeTag.h"
#include "gui/recording/DlgChanges.h"
#include "gui/recording/DlgGetSchicht.h"
#include "gui/recording/DlgNewTag.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/ValueComboBox.h"
#include "gui/widgets/WaitCursor.h"

namespace tk {

namespace {

// Runs a day sheet action; every error it raises ends in the error box. The dialogs live on
// the action's stack, so they are freed also when an error interrupts.
void runDaySheet(QWidget *parent, const std::function<void()> &action)
{
    runGuarded(parent, [&] {
        try {
            action();
        } catch (const DateEncodingError &e) {
            throw DbError(e.message());
        } catch (const TimeEncodingError &e) {
            // A stored time the entry fields cannot show (24:00 or later, or negative).
            throw DbError(e.message());
        }
    });
}

void fillHeader(QLabel *paName, QLabel *laMonat, const DaySheet &sheet)
{
    paName->setText(sheet.employeeName());
    laMonat->setText(FormatDate(QLatin1String(DateFormLong), sheet.currentDate()));
}

quint16 fieldMinutes(int minutes)
{
    // The entry fields take unsigned 16-bit minutes; a value they cannot show is refused
    // by the field with its own message.
    return minutes < 0 ? quint16(0xFFFF) : quint16(qMin(minutes, 0xFFFF));
}

QString dayDoesNotFitText(DayFit fit, int entryCount, const TimeEntry &offending)
{
    const QString hint = QStringLiteral(
        "Bitte die Zeiten dieses Tages einzeln mit F2 (oder Doppelklick) ändern oder mit "
        "„Löschen“ entfernen.");
    if (fit == DayFit::TooManyEntries) {
        return QStringLiteral("Dieser Tag hat %1 Zeiten, „Bearbeiten [F4]“ kann aber nur %2 "
                              "zeigen. Damit keine Zeit verloren geht, wird der Tag hier nicht "
                              "bearbeitet.\n\n")
                   .arg(entryCount)
                   .arg(TDlgChangeTag::RowCount)
            + hint;
    }
    return QStringLiteral("Die Zeit %1 bis %2 dieses Tages endet nicht nach ihrem Beginn. "
                          "„Bearbeiten [F4]“ würde sie als leere Zeile zeigen und beim "
                          "Speichern löschen; deshalb wird der Tag hier nicht bearbeitet.\n\n")
               .arg(MinutesToClockText(offending.von), MinutesToClockText(offending.bis))
        + hint;
}

} // namespace

void TFormAuswert::createFunctionCommands()
{
    AlleZeitenneuberechen1 = mnuFunktionen->addAction(QStringLiteral("Alle Zeiten neu berechen"));
    AlleZeitenneuberechen1->setObjectName(QStringLiteral("AlleZeitenneuberechen1"));
    Schichtndern1 = mnuFunktionen->addAction(QStringLiteral("Eine Schicht ändern"));
    Schichtndern1->setObjectName(QStringLiteral("Schichtndern1"));
    connect(AlleZeitenneuberechen1, &QAction::triggered, this,
            &TFormAuswert::AlleZeitenneuberechen1Click);
    connect(Schichtndern1, &QAction::triggered, this, &TFormAuswert::Schichtndern1Click);
    FeiertageEintragen1 = mnuFunktionen->addAction(QStringLiteral("Feiertage eintragen"));
    FeiertageEintragen1->setObjectName(QStringLiteral("FeiertageEintragen1"));
    connect(FeiertageEintragen1, &QAction::triggered, this,
            &TFormAuswert::FeiertageEintragen1Click);
    mnuFunktionen->addSeparator();
    MonatAbschliessen1 = mnuFunktionen->addAction(QStringLiteral("Monat abschließen..."));
    MonatAbschliessen1->setObjectName(QStringLiteral("MonatAbschliessen1"));
    connect(MonatAbschliessen1, &QAction::triggered, this, &TFormAuswert::MonatAbschliessen1Click);
    MonatOeffnen1 = mnuFunktionen->addAction(QStringLiteral("Monat wieder öffnen..."));
    MonatOeffnen1->setObjectName(QStringLiteral("MonatOeffnen1"));
    connect(MonatOeffnen1, &QAction::triggered, this, &TFormAuswert::MonatOeffnen1Click);
    mnuFunktionen->addSeparator();
    Aenderungen1 = mnuFunktionen->addAction(QStringLiteral("Änderungen des Tages..."));
    Aenderungen1->setObjectName(QStringLiteral("Aenderungen1"));
    connect(Aenderungen1, &QAction::triggered, this, &TFormAuswert::Aenderungen1Click);
}

EntryPlan TFormAuswert::checkTypedEntries(const QList<TimeEntry> &typed,
                                          const QList<TimeEntry> &others)
{
    const int personalNummer = tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
    const QDate date = tblAuswert->field(QStringLiteral("Datum")).asDate();
    const QList<TimeEntry> nextDay = entriesOfDay(personalNummer, date.addDays(1));
    const EntryPlan plan = planEntries(typed, others, nextDay, [this](const TimeEntry &) {
        return confirm(QApplication::activeModalWidget(), overMidnightQuestion());
    });
    if (!plan.refusal.isEmpty())
        showInformation(QApplication::activeModalWidget(), plan.refusal);
    return plan;
}

void TFormAuswert::warnAboutEntryDay(const DaySheet &sheet)
{
    EmployeeOnDate employee;
    employee.name = sheet.employeeName();
    employee.hasDayPlan =
        evaluation().GetDayPlanNo(sheet.currentShiftPlan(), sheet.currentDate()) > 0;
    employee.entryDate = tblPersonal->field(QStringLiteral("EintrittsDatum")).asDate();
    employee.leavingDate = tblPersonal->field(QStringLiteral("AustrittsDatum")).asDate();
    // Once per employee and kind in this window: the clerk knows and may go on.
    for (const EntryWarning &warning : entryWarnings(employee, sheet.currentDate())) {
        const QString key = QString::number(int(warning.kind)) + employee.name;
        if (m_entryWarningsShown.contains(key))
            continue;
        m_entryWarningsShown.insert(key);
        showInformation(QApplication::activeModalWidget(), warning.text);
    }
}

void TFormAuswert::storeEntryPlan(const EntryPlan &plan,
                                  const std::function<void(const QList<TimeEntry> &)> &storeThisDay)
{
    const int personalNummer = tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
    const QDate nextDay = tblAuswert->field(QStringLiteral("Datum")).asDate().addDays(1);
    {
        WriteBatch batch(WriteBatch::AllOrNothing);
        storeThisDay(plan.thisDay);
        for (const TimeEntry &entry : plan.nextDay)
            appendEntryToDay(personalNummer, nextDay, entry);
        batch.commit();
    }
    if (!plan.nextDay.isEmpty())
        tblAuswert->refresh(); // the next day's sums, when it lies in the period shown
}

// Stores while the dialog is still open: when the store fails (another workstation changed
// the day meanwhile, the database refused), the clerk reads why, the day shows what is stored,
// and the dialog stays open with what was typed, to confirm again or cancel.
bool TFormAuswert::storeFromDialog(
    const EntryPlan &plan, const std::function<void(const QList<TimeEntry> &)> &storeThisDay)
{
    try {
        storeEntryPlan(plan, storeThisDay);
        return true;
    } catch (const UserError &error) {
        showError(QApplication::activeModalWidget(), error.message());
        return false;
    }
}

// "Neu [F3]": one new entry, proposed from the day plan or from the end of the last entry.
void TFormAuswert::dbSBtnNewBeforeAction()
{
    DaySheet sheet(evaluation());
    if (!sheet.canEdit())
        return;
    runDaySheet(this, [&] {
        sheet.requireOpenDay();
        const TimeEntry proposal = sheet.ProposeNewEntry();
        TDlgNewTag dialog(this);
        fillHeader(dialog.paName(), dialog.laMonat(), sheet);
        dialog.edVon()->SetMinutes(fieldMinutes(proposal.von));
        dialog.edBis()->SetMinutes(fieldMinutes(proposal.bis));
        EntryPlan plan;
        dialog.setAcceptCheck([&] {
            TimeEntry entry;
            entry.von = int(dialog.edVon()->GetMinutes());
            entry.bis = int(dialog.edBis()->GetMinutes());
            entry.kennung = EntryCodeAt(dialog.edKennung()->currentIndex());
            plan = checkTypedEntries({entry}, sheet.DayEntries());
            if (plan.accepted)
                warnAboutEntryDay(sheet);
            return plan.accepted && storeFromDialog(plan, [&](const QList<TimeEntry> &thisDay) {
                       sheet.AppendEntry(thisDay.first());
                   });
        });
        dialog.exec();
    });
}

// F2 and double click: the selected entry in the new time entry dialog.
void TFormAuswert::vgDBGrid3DblClick()
{
    DaySheet sheet(evaluation());
    if (!sheet.canEdit() || !sheet.hasSelectedEntry())
        return;
    runDaySheet(this, [&] {
        sheet.requireOpenDay();
        const TimeEntry selected = sheet.SelectedEntry();
        TDlgNewTag dialog(this);
        fillHeader(dialog.paName(), dialog.laMonat(), sheet);
        dialog.edVon()->SetMinutes(fieldMinutes(selected.von));
        dialog.edBis()->SetMinutes(fieldMinutes(selected.bis));
        // A code outside N, A, F, K, U selects nothing and is kept unless one is chosen.
        dialog.edKennung()->setCurrentIndex(EntryCodePosition(selected.kennung));
        QList<TimeEntry> others = sheet.DayEntries();
        others.removeAt(tblAuswPos->currentRow());
        EntryPlan plan;
        dialog.setAcceptCheck([&] {
            const int position = dialog.edKennung()->currentIndex();
            TimeEntry changed;
            changed.von = int(dialog.edVon()->GetMinutes());
            changed.bis = int(dialog.edBis()->GetMinutes());
            changed.kennung = position < 0 ? selected.kennung : EntryCodeAt(position);
            plan = checkTypedEntries({changed}, others);
            if (plan.accepted)
                warnAboutEntryDay(sheet);
            return plan.accepted && storeFromDialog(plan, [&](const QList<TimeEntry> &thisDay) {
                       sheet.ChangeSelectedEntry(thisDay.first());
                   });
        });
        dialog.exec();
    });
}

// "Bearbeiten [F4]": the whole day in the change day dialog. A day the dialog cannot show
// whole is refused, since confirming would delete the entries it never showed.
void TFormAuswert::dbSBtnEditBeforeAction()
{
    DaySheet sheet(evaluation());
    if (!sheet.canEdit())
        return;
    runDaySheet(this, [&] {
        sheet.requireOpenDay();
        TimeEntry offending;
        const DayFit fit = sheet.CheckFitsRows(TDlgChangeTag::RowCount, &offending);
        const QList<TimeEntry> entries = sheet.DayEntries();
        if (fit != DayFit::Whole) {
            showInformation(this, dayDoesNotFitText(fit, int(entries.size()), offending));
            return;
        }
        TDlgChangeTag dialog(this);
        fillHeader(dialog.paName(), dialog.laMonat(), sheet);
        for (int i = 0; i < entries.size(); ++i) {
            const int row = i + 1;
            dialog.edVon(row)->SetMinutes(fieldMinutes(entries.at(i).von));
            dialog.edBis(row)->SetMinutes(fieldMinutes(entries.at(i).bis));
            dialog.edKennung(row)->setValue(entries.at(i).kennung);
        }
        dialog.UpdateSums();
        EntryPlan plan;
        dialog.setAcceptCheck([&] {
            // A row left at 00:00 to 00:00 is not in use.
            QList<TimeEntry> rows;
            for (int row = 1; row <= TDlgChangeTag::RowCount; ++row) {
                TimeEntry entry;
                entry.von = int(dialog.edVon(row)->GetMinutes());
                entry.bis = int(dialog.edBis(row)->GetMinutes());
                entry.kennung = dialog.edKennung(row)->value();
                if (entry.von != 0 || entry.bis != 0)
                    rows << entry;
            }
            plan = checkTypedEntries(rows, {});
            if (plan.accepted && !rows.isEmpty())
                warnAboutEntryDay(sheet);
            return plan.accepted && storeFromDialog(plan, [&](const QList<TimeEntry> &thisDay) {
                       sheet.ReplaceDayEntries(thisDay);
                   });
        });
        dialog.exec();
    });
}

// "Alle Zeiten neu berechen": every day record of the period the window shows.
void TFormAuswert::AlleZeitenneuberechen1Click()
{
    if (!tablesReady() || !tblAuswPos->isOpen() || !tblTagplan->isOpen())
        return;
    runDaySheet(this, [&] {
        const WaitCursor wait;
        // The day records are already restricted to this period by the last selection.
        const DatePeriod period =
            CurrentEvaluationPeriod(tblPersonal, selectedMonth(), selectedYear());
        EvaluatePeriod(1, period.from, period.to);
    });
}

// "Eine Schicht ändern": another shift plan for the current day only.
void TFormAuswert::Schichtndern1Click()
{
    DaySheet sheet(evaluation());
    if (!sheet.hasCurrentDay())
        return;
    runDaySheet(this, [&] {
        sheet.requireOpenDay();
        const int oldShiftPlan = sheet.currentShiftPlan();
        TDlgGetSchicht dialog(this);
        dialog.setValue(oldShiftPlan != 0 ? QString::number(oldShiftPlan) : QString());
        if (dialog.exec() != QDialog::Accepted)
            return;
        bool isNumber = false;
        int shiftPlan = dialog.value().toInt(&isNumber);
        if (!isNumber)
            shiftPlan = 0; // "<keine>"
        sheet.ChangeShiftPlan(shiftPlan);
    });
}

// "Feiertage eintragen": the holidays of the firm's state in the current employee's period
// get their F entries; days that already have times are named and left alone.
void TFormAuswert::FeiertageEintragen1Click()
{
    if (!tablesReady() || !tblAuswPos->isOpen() || !tblTagplan->isOpen())
        return;
    runDaySheet(this, [&] {
        HolidayFillOutcome outcome;
        {
            const WaitCursor wait;
            outcome =
                FillHolidays(*m_tables, selectedMonth(), selectedYear(), FirmSettings::state());
            tblAuswert->refresh();
        }
        QString text = HolidaysEnteredText(outcome.entered) + QLatin1Char('.');
        if (!outcome.leftAlone.isEmpty())
            text += QStringLiteral("\n\nSchon Zeiten vorhanden, nicht geändert:\n")
                + outcome.leftAlone.join(QLatin1Char('\n'));
        showInformation(this, text);
    });
}

void TFormAuswert::MonatAbschliessen1Click()
{
    if (!tablesReady() || tblPersonal->currentRow() < 0)
        return;
    const int number = tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
    if (!confirmOkCancel(this,
                         QStringLiteral("Den Zeitraum %1 für Personal-Nr. %2 neu berechnen "
                                        "und abschließen?")
                             .arg(paZeitraum->text())
                             .arg(number)))
        return;
    runDaySheet(this, [&] {
        QString report;
        QTextStream out(&report);
        {
            const WaitCursor wait;
            CloseMonth(selectedMonth(), selectedYear(), number, out);
        }
        rereadEmployees();
        showInformation(this, report.trimmed());
    });
}

void TFormAuswert::MonatOeffnen1Click()
{
    if (!tablesReady() || tblPersonal->currentRow() < 0)
        return;
    const int number = tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
    bool ok = false;
    const QString reason = QInputDialog::getText(
        this, QStringLiteral("Monat wieder öffnen"),
        QStringLiteral("Grund für das Wiederöffnen (kommt ins Änderungsprotokoll):"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    runDaySheet(this, [&] {
        ReopenMonth(selectedMonth(), selectedYear(), number, reason);
        rereadEmployees();
    });
}

void TFormAuswert::Aenderungen1Click()
{
    DaySheet sheet(evaluation());
    if (!sheet.hasCurrentDay())
        return;
    runGuarded(this, [&] {
        TDlgChanges dialog(tblAuswert->field(QStringLiteral("PersonalNummer")).asInteger(),
                           sheet.currentDate(), this);
        dialog.exec();
    });
}

} // namespace tk
