#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include "core/recording/TimeRecordingTables.h"

namespace tk::test {

// The four time recording tables opened as the time recording window opens them.
struct RecordingTables : TimeRecordingTables
{
    RecordingTables() { open(); }
    void selectEmployee(int personalNummer);
    // The day records of the calendar month.
    void restrictMonth(int personalNummer, int month, int year);
};

// Rows for time recording tests, written straight into the database of the process.
struct DayPlanTimes
{
    QVariant sollstd;
    QVariant von;
    QVariant bis;
    QVariant pauseVon1, pauseBis1;
    QVariant pauseVon2, pauseBis2;
    QVariant pauseVon3, pauseBis3;
};

// auswertBegin / shiftPlan: an invalid QVariant stores an empty field.
void addEmployee(int personalNummer, const QString &vorname, const QString &name,
                 const QVariant &shiftPlan, const QVariant &auswertBegin);
void addShiftPlan(int shiftPlan, const QString &designation);
void addDayPlan(int shiftPlan, int dayPlan, const DayPlanTimes &times);
// Shift plan with the Monday plan of the worked example (target 480, breaks 09:00-09:15
// and 12:00-12:30, break 3 both 0) and the other seven day plans with empty times.
void addExampleShiftPlan(int shiftPlan);
void addEntry(int personalNummer, const QDate &date, int von, int bis, const QVariant &kennung);
// The three entries of the worked example: 07:00-12:15 N, 12:20-16:00 N, 16:00-18:00 U.
void addExampleEntries(int personalNummer, const QDate &date);
void addDayRecord(int personalNummer, const QDate &date, const QVariant &shiftPlan,
                  const QVariant &soll, const QVariant &summe);

// count employees (PersonalNummer 1..count, shift plan 1 of the worked example, evaluation
// from the 1st) with two entries on every weekday of month, stored in one transaction.
void addStaffWithEntries(int count, const QDate &month);

// A stored day record: the values as stored (null for an empty field); empty when missing.
struct StoredDay
{
    bool exists = false;
    QVariant schicht, soll, summe, anwesend, krank, urlaub, feiertag, unbezahlt;
};
StoredDay storedDay(int personalNummer, const QDate &date);
int countDayRecords(int personalNummer, const QDate &from, const QDate &to);
int countDayRecords(int personalNummer);

} // namespace tk::test
