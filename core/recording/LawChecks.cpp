#include "core/recording/LawChecks.h"

#include <QHash>
#include <QTextStream>

#include "core/calendar/HolidayCalendar.h"
#include "core/common/ClockText.h"
#include "core/db/Table.h"
#include "core/recording/EmployeeDays.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/settings/FirmSettings.h"

namespace tk {

namespace {

QHash<QString, QVector<EntryTimes>> entriesOf(int personalNummer, const QDate &from,
                                              const QDate &to)
{
    const Query query =
        EmployeeDays(QStringLiteral("AuswPos"), QStringLiteral("Datum, Von, Bis, Kennung"),
                     personalNummer, from, to);
    QHash<QString, QVector<EntryTimes>> days;
    for (int row = 0; row < query.rowCount(); ++row)
        days[query.value(row, 0).toString().left(10)].append({Field::largeInt(query.value(row, 1)),
                                                              Field::largeInt(query.value(row, 2)),
                                                              query.value(row, 3).toString()});
    return days;
}

QHash<QString, int> shiftPlansOf(int personalNummer, const QDate &from, const QDate &to)
{
    const Query query = EmployeeDays(QStringLiteral("auswert"), QStringLiteral("Datum, Schicht"),
                                     personalNummer, from, to);
    QHash<QString, int> plans;
    for (int row = 0; row < query.rowCount(); ++row)
        plans.insert(query.value(row, 0).toString().left(10), query.value(row, 1).toInt());
    return plans;
}

} // namespace

QVector<LawFinding> CheckEmployeeLaw(TimeRecordingTables &tables, int month, int year,
                                     const QString &state)
{
    Table &personal = tables.personal;
    const int number = personal.field(QStringLiteral("PersonalNummer")).asInteger();
    const int employeePlan = personal.field(QStringLiteral("Schicht")).asInteger();
    const DatePeriod period = CurrentEvaluationPeriod(&personal, month, year);
    const QDate from = period.from.addDays(-1);
    const auto entries = entriesOf(number, from, period.to);
    const auto plans = shiftPlansOf(number, from, period.to);
    HolidayCalendar holidays(state);
    QVector<LawDay> days;
    for (QDate date = from; date <= period.to; date = date.addDays(1)) {
        const QString key = IsoDateText(date);
        const int stored = plans.value(key);
        LawDay day;
        day.date = date;
        day.plan = tables.evaluation.dayPlanBreaks(stored > 0 ? stored : employeePlan, date);
        day.entries = entries.value(key);
        day.holiday = holidays.nameOf(date);
        days.append(day);
    }
    return CheckWorkingTimeLaw(days, period.from);
}

QVector<EmployeeFindings> LawFindingsOfMonth(int month, int year, int onlyEmployee)
{
    TimeRecordingTables tables;
    tables.open();
    const QString state = FirmSettings::state();
    return EmployeeResults<QVector<LawFinding>>(tables.personal, onlyEmployee, [&] {
        return CheckEmployeeLaw(tables, month, year, state);
    });
}

int WriteLawChecks(int month, int year, int onlyEmployee, QTextStream &out)
{
    int count = 0;
    int failures = 0;
    for (const EmployeeFindings &employee : LawFindingsOfMonth(month, year, onlyEmployee)) {
        if (!employee.error.isEmpty()) {
            ++failures;
            out << employee.label << QStringLiteral(": ") << employee.error << '\n';
        }
        for (const LawFinding &finding : employee.value) {
            out << QStringList{QString::number(employee.number), GermanDateText(finding.date),
                               finding.rule, finding.text}
                       .join(QLatin1Char(';'))
                << '\n';
            ++count;
        }
    }
    out << QStringLiteral("%1 Befunde").arg(count) << '\n';
    return failures;
}

} // namespace tk
