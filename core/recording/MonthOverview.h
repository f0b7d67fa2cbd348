#pragma once

#include <QDate>
#include <QString>
#include <QVector>
#include <QtGlobal>

class QTextStream;

namespace tk {

// What a day of an employee shows in the month overview.
enum class DayMark {
    None,       // no entry and nothing missing (a free day, or a working day still to come)
    Present,    // N: worked
    Vacation,   // U
    Sick,       // K
    Holiday,    // F
    Unpaid,     // A
    Missing,    // a working day of the plan without any entry, up to today
    NotEmployed // before the entry date or after the leaving date
};

// The code letter of a mark ("U", "K", "F", "A", "N"), "fehlt" for a missing day, else empty.
QString DayMarkText(DayMark mark);

struct OverviewDay
{
    DayMark mark = DayMark::None;
    qint64 soll = 0; // the day record's target, else the plan's
    qint64 summe = 0;
    qint64 anwesend = 0, krank = 0, urlaub = 0, feiertag = 0, unbezahlt = 0;
};

struct OverviewEmployee
{
    int number = 0;
    QString name;
    QString vorname;
    QVector<OverviewDay> days; // one per day of the month
    int missing = 0;
};

// One calendar month of every employee at a glance. A day's mark is the code of its entries
// with the most minutes (U, K, F, A before N on a tie); entries without minutes or with an
// unknown code count as worked. The minutes shown with it are the day record's. A working day
// (target above 0) without any entry up to today is missing.
struct MonthOverview
{
    QDate first;               // first day of the month
    QVector<QString> holidays; // per day: the public holiday's name of the state, or empty
    QVector<OverviewEmployee> employees;

    int dayCount() const { return int(holidays.size()); }
    QDate date(int day) const { return first.addDays(day); } // day counts from 0
    bool isFreeDay(int day) const;                           // a Saturday, Sunday or holiday
    // The employees away on a day: vacation, sick or unpaid.
    int absentOn(int day) const;
    int missingDays() const;
};

// Reads the month for every employee, one employee's days at a time through the key, never
// a table whole. Throws DbError.
MonthOverview ReadMonthOverview(int month, int year, const QDate &today, const QString &state);

// The tip of a day of an employee (employee and day count from 0): the date, the holiday's
// name, the mark, and the target and sums in hours.
QString OverviewDayTip(const MonthOverview &overview, int employee, int day);

// "taktora --missing": PersonalNummer;TT.MM.JJJJ per missing working day up to today, in
// employee and date order, then "N fehlende Tage".
void WriteMissingDays(const MonthOverview &overview, QTextStream &out);

} // namespace tk
