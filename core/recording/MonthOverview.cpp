#include "core/recording/MonthOverview.h"

#include <QHash>
#include <QSet>
#include <QTextStream>

#include "core/calendar/HolidayCalendar.h"
#include "core/common/ClockText.h"
#include "core/recording/EmployeeDays.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

namespace {

// The code sums of a day record in the order a tie is decided: U, K, F, A, N.
DayMark markOf(const OverviewDay &day, bool hasEntries)
{
    const struct
    {
        qint64 minutes;
        DayMark mark;
    } sums[] = {{day.urlaub, DayMark::Vacation},
                {day.krank, DayMark::Sick},
                {day.feiertag, DayMark::Holiday},
                {day.unbezahlt, DayMark::Unpaid},
                {day.anwesend, DayMark::Present}};
    DayMark mark = hasEntries ? DayMark::Present : DayMark::None;
    qint64 most = 0;
    for (const auto &sum : sums) {
        if (sum.minutes > most) {
            most = sum.minutes;
            mark = sum.mark;
        }
    }
    return mark;
}

QHash<QString, OverviewDay> storedDays(int number, const QDate &from, const QDate &to)
{
    const Query query = EmployeeDays(
        QStringLiteral("auswert"),
        QStringLiteral("Datum, Soll, Summe, Anwesend, Krank, Urlaub, Feiertag, Unbezahlt"), number,
        from, to);
    QHash<QString, OverviewDay> days;
    for (int row = 0; row < query.rowCount(); ++row) {
        OverviewDay day;
        qint64 *fields[] = {&day.soll,   &day.summe,    &day.anwesend, &day.krank,
                            &day.urlaub, &day.feiertag, &day.unbezahlt};
        for (int column = 0; column < 7; ++column)
            *fields[column] = Field::largeInt(query.value(row, column + 1));
        days.insert(query.value(row, 0).toString().left(10), day);
    }
    return days;
}

QSet<QString> daysWithEntries(int number, const QDate &from, const QDate &to)
{
    const Query query =
        EmployeeDays(QStringLiteral("AuswPos"), QStringLiteral("Datum"), number, from, to);
    QSet<QString> days;
    for (int row = 0; row < query.rowCount(); ++row)
        days.insert(query.value(row, 0).toString().left(10));
    return days;
}

OverviewEmployee readEmployee(TimeRecordingTables &tables, const MonthOverview &overview,
                              const QDate &today)
{
    Table &personal = tables.personal;
    OverviewEmployee employee;
    employee.number = EmployeeNumber(personal);
    employee.name = EmployeeField(personal, "Name");
    employee.vorname = EmployeeField(personal, "Vorname");
    const int plan = personal.field(QStringLiteral("Schicht")).asInteger();
    const QDate entry = personal.field(QStringLiteral("EintrittsDatum")).asDate();
    const QDate leaving = personal.field(QStringLiteral("AustrittsDatum")).asDate();
    const QDate last = overview.date(overview.dayCount() - 1);
    const QHash<QString, OverviewDay> stored = storedDays(employee.number, overview.first, last);
    const QSet<QString> entered = daysWithEntries(employee.number, overview.first, last);
    for (int d = 0; d < overview.dayCount(); ++d) {
        const QDate date = overview.date(d);
        const QString key = IsoDateText(date);
        OverviewDay day = stored.value(key);
        if (!stored.contains(key))
            day.soll = tables.evaluation.GetTargetMinutes(plan, date);
        if ((entry.isValid() && date < entry) || (leaving.isValid() && date > leaving)) {
            day = OverviewDay();
            day.mark = DayMark::NotEmployed;
        } else {
            day.mark = markOf(day, entered.contains(key));
            if (day.mark == DayMark::None && day.soll > 0 && date <= today) {
                day.mark = DayMark::Missing;
                ++employee.missing;
            }
        }
        employee.days.append(day);
    }
    return employee;
}

} // namespace

QString DayMarkText(DayMark mark)
{
    switch (mark) {
    case DayMark::Present:
        return QStringLiteral("N");
    case DayMark::Vacation:
        return QStringLiteral("U");
    case DayMark::Sick:
        return QStringLiteral("K");
    case DayMark::Holiday:
        return QStringLiteral("F");
    case DayMark::Unpaid:
        return QStringLiteral("A");
    case DayMark::Missing:
        return QStringLiteral("fehlt");
    default:
        return QString();
    }
}

bool MonthOverview::isFreeDay(int day) const
{
    return date(day).dayOfWeek() >= Qt::Saturday || !holidays.at(day).isEmpty();
}

int MonthOverview::absentOn(int day) const
{
    int count = 0;
    for (const OverviewEmployee &employee : employees) {
        const DayMark mark = employee.days.at(day).mark;
        count += mark == DayMark::Vacation || mark == DayMark::Sick || mark == DayMark::Unpaid;
    }
    return count;
}

int MonthOverview::missingDays() const
{
    int count = 0;
    for (const OverviewEmployee &employee : employees)
        count += employee.missing;
    return count;
}

MonthOverview ReadMonthOverview(int month, int year, const QDate &today, const QString &state)
{
    MonthOverview overview;
    overview.first = QDate(year, month, 1);
    HolidayCalendar calendar(state);
    for (QDate date = overview.first; date.month() == month; date = date.addDays(1))
        overview.holidays.append(calendar.nameOf(date));
    TimeRecordingTables tables;
    tables.open();
    Table &personal = tables.personal;
    for (personal.first(); !personal.eof(); personal.next())
        overview.employees.append(readEmployee(tables, overview, today));
    return overview;
}

void WriteMissingDays(const MonthOverview &overview, QTextStream &out)
{
    for (const OverviewEmployee &employee : overview.employees) {
        for (int d = 0; d < overview.dayCount(); ++d) {
            if (employee.days.at(d).mark == DayMark::Missing)
                out << employee.number << ';' << GermanDate(overview.date(d)) << '\n';
        }
    }
    out << QStringLiteral("%1 fehlende Tage").arg(overview.missingDays()) << '\n';
}

} // namespace tk
