#include "core/recording/MonthOverview.h"

#include <QHash>
#include <QLocale>
#include <QTextStream>

#include "core/calendar/HolidayCalendar.h"
#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "core/recording/EmployeeDays.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeAccount.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

namespace {

// The minutes of a day's entries (Bis - Von) per code, in the order a tie is decided: U, K,
// F, A, N.
struct EntryMinutes
{
    qint64 minutes[5] = {0, 0, 0, 0, 0};
    bool any = false;
};

int tieOrder(EntryCode code)
{
    switch (code) {
    case EntryCode::Leave:
        return 0;
    case EntryCode::Sick:
        return 1;
    case EntryCode::Holiday:
        return 2;
    case EntryCode::Unpaid:
        return 3;
    default:
        return 4;
    }
}

// A day with entries shows the code with the most minutes; entries of no minutes or of an
// unknown code still show it was worked.
DayMark markOf(const EntryMinutes &entries)
{
    if (!entries.any)
        return DayMark::None;
    const DayMark marks[] = {DayMark::Vacation, DayMark::Sick, DayMark::Holiday, DayMark::Unpaid,
                             DayMark::Present};
    DayMark mark = DayMark::Present;
    qint64 most = 0;
    for (int i = 0; i < 5; ++i) {
        if (entries.minutes[i] > most) {
            most = entries.minutes[i];
            mark = marks[i];
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

QHash<QString, EntryMinutes> entryMinutes(int number, const QDate &from, const QDate &to)
{
    const Query query = EmployeeDays(QStringLiteral("AuswPos"),
                                     QStringLiteral("Datum, Kennung, Von, Bis"), number, from, to);
    QHash<QString, EntryMinutes> days;
    for (int row = 0; row < query.rowCount(); ++row) {
        EntryMinutes &day = days[query.value(row, 0).toString().left(10)];
        day.any = true;
        EntryCode code;
        if (EntryCodeOf(query.value(row, 1).toString(), &code))
            day.minutes[tieOrder(code)] +=
                Field::largeInt(query.value(row, 3)) - Field::largeInt(query.value(row, 2));
    }
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
    const QHash<QString, EntryMinutes> entered =
        entryMinutes(employee.number, overview.first, last);
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
            day.mark = markOf(entered.value(key));
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

QString OverviewDayTip(const MonthOverview &overview, int employee, int day)
{
    const OverviewDay &entry = overview.employees.at(employee).days.at(day);
    QStringList lines{FormatDate(QStringLiteral("dddd, dd.mm.yyyy"), overview.date(day),
                                 QLocale(QLocale::German, QLocale::Germany))};
    if (!overview.holidays.at(day).isEmpty())
        lines << overview.holidays.at(day);
    switch (entry.mark) {
    case DayMark::NotEmployed:
        lines << QStringLiteral("nicht beschäftigt");
        return lines.join(QLatin1Char('\n'));
    case DayMark::Missing:
        lines << QStringLiteral("fehlt: Arbeitstag ohne Zeiten");
        break;
    default:
        break;
    }
    lines << QStringLiteral("Soll %1   Gesamt %2")
                 .arg(AccountHoursText(entry.soll), AccountHoursText(entry.summe));
    const std::pair<const char *, qint64> sums[] = {{"Anwesend", entry.anwesend},
                                                    {"Urlaub", entry.urlaub},
                                                    {"Krank", entry.krank},
                                                    {"Feiertag", entry.feiertag},
                                                    {"Unbezahlt", entry.unbezahlt}};
    for (const auto &[name, minutes] : sums) {
        if (minutes != 0)
            lines << QStringLiteral("%1 %2").arg(QLatin1String(name), AccountHoursText(minutes));
    }
    return lines.join(QLatin1Char('\n'));
}

void WriteMissingDays(const MonthOverview &overview, QTextStream &out)
{
    for (const OverviewEmployee &employee : overview.employees) {
        for (int d = 0; d < overview.dayCount(); ++d) {
            if (employee.days.at(d).mark == DayMark::Missing)
                out << employee.number << ';' << GermanDateText(overview.date(d)) << '\n';
        }
    }
    out << QStringLiteral("%1 fehlende Tage").arg(overview.missingDays()) << '\n';
}

} // namespace tk
