#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "core/recording/DaySheet.h"

namespace tk {

// The checks a typed time entry passes before it is stored, so that a slip cannot change
// the pay without a word. The dialogs ask and show; the rules live here.

// How Bis lies to Von: after it (an ordinary entry), the same (nothing worked, refused) or
// before it (a shift over midnight, if the clerk says so).
enum class EntryOrder { Forward, NotAfter, OverMidnight };
EntryOrder entryOrder(const TimeEntry &entry);
QString notAfterText(const TimeEntry &entry);
// The question for an entry whose Bis lies before its Von.
QString overMidnightQuestion();

// A shift over midnight as two entries: Von to 24:00 on its day and 00:00 to Bis on the
// next. An end at 00:00 leaves nothing for the next day.
struct MidnightSplit
{
    TimeEntry thisDay;
    TimeEntry nextDay;
    bool hasNextDay = false;
};
MidnightSplit splitAtMidnight(const TimeEntry &entry);

// The first of others whose span shares a minute with entry's; -1 when none does. Entries
// that merely touch (one ends when the other begins) do not overlap.
int overlappingEntry(const TimeEntry &entry, const QList<TimeEntry> &others);
QString overlapText(const TimeEntry &entry, const TimeEntry &other);
// The first pair of rows that overlap each other, as indexes into rows; {-1, -1} when none.
std::pair<int, int> overlappingPair(const QList<TimeEntry> &rows);

// What becomes of the entries a dialog hands back. typed: the entries typed (rows left
// empty already left out); others: the day's entries the dialog leaves as they are;
// nextDayEntries: the entries stored on the following day. An entry whose Bis lies before
// its Von is split over midnight when askOverMidnight says yes and keeps the dialog open
// when it says no. Every other refusal carries its message.
struct EntryPlan
{
    bool accepted = false;
    QString refusal;          // why not, when there is something to say
    QList<TimeEntry> thisDay; // to store on the day, in typed order
    QList<TimeEntry> nextDay; // to append to the following day
};
EntryPlan planEntries(const QList<TimeEntry> &typed, const QList<TimeEntry> &others,
                      const QList<TimeEntry> &nextDayEntries,
                      const std::function<bool(const TimeEntry &)> &askOverMidnight);

// What the employee's master data say about entering times on date: no shift plan (the
// times are not evaluated), not yet or no longer employed. Each warning is a whole German
// sentence naming the employee.
struct EmployeeOnDate
{
    QString name;
    bool hasDayPlan = false; // the day's shift plan has a day plan for the date
    QDate entryDate;         // invalid when not recorded
    QDate leavingDate;       // invalid when not recorded
};
struct EntryWarning
{
    enum class Kind { NotYetEmployed, NoLongerEmployed, NoShiftPlan };
    Kind kind;
    QString text;
};
QList<EntryWarning> entryWarnings(const EmployeeOnDate &employee, const QDate &date);

} // namespace tk
