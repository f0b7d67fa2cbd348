#pragma once

#include "core/db/Table.h"
#include "core/recording/DayEvaluation.h"

namespace tk {

// The four tables of the time recording as the window, the month recalculation and the
// printed lists use them, with the day evaluation over them:
//   personal  Personal, ordered by PersonalNummer, read only;
//   auswert   auswert, ordered by PersonalNummer;Datum, read one evaluation period at a time;
//   auswPos   AuswPos, ordered by PersonalNummer;Datum, following the current day record;
//   tagplan   Tagplan, ordered by Schichtplan;Tagesplan.
class TimeRecordingTables
{
public:
    TimeRecordingTables();
    TimeRecordingTables(const TimeRecordingTables &) = delete;
    TimeRecordingTables &operator=(const TimeRecordingTables &) = delete;

    // Opens the tables in the order above; the day records start with an empty view until a
    // period restricts them. Throws DbError at the first table that cannot be opened and
    // leaves the ones before it open.
    void open();

    // Restricts the day records to one employee's days from..to.
    void restrictDays(int personalNummer, const QDate &from, const QDate &to);

    Table personal;
    Table auswert;
    Table auswPos;
    Table tagplan;
    DayEvaluation evaluation;
};

} // namespace tk
