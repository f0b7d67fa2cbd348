#include "core/recording/HolidayFill.h"

#include <QTextStream>

#include "core/calendar/HolidayCalendar.h"
#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "core/db/Database.h"
#include "core/recording/MonthClosing.h"
#include "core/recording/OtherDayEntries.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/settings/FirmSettings.h"

namespace tk {

namespace {

constexpr int DefaultStart = 8 * 60; // a plan without times: the holiday counts from 08:00

struct Employee
{
    int number = 0;
    int shiftPlan = 0;
    QDate entry;
    QDate leaving;

    bool employedOn(const QDate &date) const
    {
        return (!entry.isValid() || date >= entry) && (!leaving.isValid() || date <= leaving);
    }
};

Employee currentEmployee(Table &personal)
{
    Employee employee;
    employee.number = personal.field(QStringLiteral("PersonalNummer")).asInteger();
    employee.shiftPlan = personal.field(QStringLiteral("Schicht")).asInteger();
    employee.entry = personal.field(QStringLiteral("EintrittsDatum")).asDate();
    employee.leaving = personal.field(QStringLiteral("AustrittsDatum")).asDate();
    return employee;
}

// The holiday's entry over the day plan's working hours; nothing when the plan has no work.
bool holidayEntry(DayEvaluation &evaluation, int shiftPlan, const QDate &date, TimeEntry *entry)
{
    const int target = evaluation.GetTargetMinutes(shiftPlan, date);
    if (target <= 0)
        return false;
    entry->von = evaluation.GetPlanStart(shiftPlan, date);
    entry->bis = evaluation.GetPlanEnd(shiftPlan, date);
    if (entry->bis <= entry->von) {
        entry->von = DefaultStart;
        entry->bis = DefaultStart + target;
    }
    entry->kennung = EntryCodeAt(int(EntryCode::Holiday));
    return true;
}

HolidayFillOutcome fillOnce(TimeRecordingTables &tables, const DatePeriod &period,
                            const QString &state)
{
    const Employee employee = currentEmployee(tables.personal);
    HolidayCalendar holidays(state);
    HolidayFillOutcome outcome;
    WriteBatch batch(WriteBatch::AllOrNothing);
    tables.tagplan.refresh();
    for (QDate date = period.from; date <= period.to; date = date.addDays(1)) {
        const QString name = holidays.nameOf(date);
        TimeEntry entry;
        if (name.isEmpty() || !employee.employedOn(date)
            || !holidayEntry(tables.evaluation, employee.shiftPlan, date, &entry))
            continue;
        if (!entriesOfDay(employee.number, date).isEmpty()) {
            outcome.leftAlone << GermanDateText(date) + QLatin1Char(' ') + name;
            continue;
        }
        appendEntryToDay(employee.number, date, entry);
        ++outcome.entered;
    }
    batch.commit();
    return outcome;
}

} // namespace

HolidayFillOutcome FillHolidays(TimeRecordingTables &tables, int month, int year,
                                const QString &state)
{
    const DatePeriod period = CurrentEvaluationPeriod(&tables.personal, month, year);
    RequireOpenPeriod(EmployeeNumber(tables.personal), period);
    HolidayFillOutcome outcome;
    retryTransaction(RetryOn::Conflict, [&] { outcome = fillOnce(tables, period, state); });
    return outcome;
}

QString HolidaysEnteredText(int count)
{
    return count == 1 ? QStringLiteral("1 Feiertag eingetragen")
                      : QStringLiteral("%1 Feiertage eingetragen").arg(count);
}

int FillHolidaysOfMonth(int month, int year, QTextStream &out)
{
    TimeRecordingTables tables;
    tables.open();
    const QString state = FirmSettings::state();
    return ForEachEmployee(tables.personal, 0, out, [&](int) {
        const QString label = EmployeeLabel(tables.personal);
        const HolidayFillOutcome outcome = FillHolidays(tables, month, year, state);
        out << label << QStringLiteral(": ") << HolidaysEnteredText(outcome.entered) << '\n';
        for (const QString &day : outcome.leftAlone)
            out << QStringLiteral("  %1: hat schon Zeiten, nicht geändert").arg(day) << '\n';
    });
}

} // namespace tk
