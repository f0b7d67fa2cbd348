#pragma once

#include <QStringList>

class QTextStream;

namespace tk {

class TimeRecordingTables;

struct HolidayFillOutcome
{
    int entered = 0;
    QStringList leftAlone; // "TT.MM.JJJJ Name": holidays that already had time entries
};

// "Feiertage eintragen" for the current employee of tables.personal: each public holiday of
// the state within the employee's evaluation period of the month, on which the day plan has
// work (Sollstd > 0) and the employee is employed, gets one entry with code F over the day
// plan's times (without times: from 08:00 for the target minutes), and the day is evaluated.
// A holiday that already has entries is left alone and named. Running it again changes
// nothing. Throws DbError (nothing of the employee stored) or DateEncodingError.
HolidayFillOutcome FillHolidays(TimeRecordingTables &tables, int month, int year,
                                const QString &state);

// "1 Feiertag eingetragen", "3 Feiertage eingetragen".
QString HolidaysEnteredText(int count);

// The same for every employee, as "taktora --fill-holidays" runs it: one line per employee
// and one per holiday left alone go to out. Returns the number of employees that failed.
int FillHolidaysOfMonth(int month, int year, QTextStream &out);

} // namespace tk
