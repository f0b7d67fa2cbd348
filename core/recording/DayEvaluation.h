#pragma once

#include <QDate>
#include <QtGlobal>

#include "core/db/SuspendedControls.h"
#include "core/recording/DaySums.h"

namespace tk {

class Table;

// What a period evaluation did, for reports of the month recalculation.
struct PeriodOutcome
{
    int created = 0;
    int reevaluated = 0;
};

// The day evaluation: turns the time entries of an employee's day into net minutes per
// entry code, deducting the breaks of the day plan that applies on that date, and stores
// them with the day's target in the day record. It also creates missing day records. The
// computation itself is evaluateDay (DaySums.h); these operations read the tables for it
// and store what it gives.
//
// A stored minutes value (a clock time, a target, a day's sum) that does not fit 32 bits is
// reported as a UserError naming the employee and the date; nothing of that day is stored.
//
// It works on the four table objects of TimeRecordingTables:
//   personal  Personal, ordered by PersonalNummer, positioned on the current employee;
//   auswert   auswert, ordered by PersonalNummer;Datum, restricted by the host to the
//             employee's evaluation period;
//   auswPos   AuswPos, ordered by PersonalNummer;Datum, normally following the current day
//             record; restricted to one day while that day is read;
//   tagplan   Tagplan, ordered by Schichtplan;Tagesplan.
class DayEvaluation
{
public:
    DayEvaluation(Table *personal, Table *auswert, Table *auswPos, Table *tagplan);

    Table *personal() const { return m_personal; }
    Table *auswert() const { return m_auswert; }
    Table *auswPos() const { return m_auswPos; }
    Table *tagplan() const { return m_tagplan; }

    // Day plan number of the date's weekday (Monday 1 .. Sunday 7) when the shift plan has
    // that day plan, else 0. Leaves the day-plan table on the plan found.
    int GetDayPlanNo(int shiftPlan, const QDate &date);
    // Sollstd, Von and Bis of the date's day plan; 0 without one.
    int GetTargetMinutes(int shiftPlan, const QDate &date);
    int GetPlanStart(int shiftPlan, const QDate &date);
    int GetPlanEnd(int shiftPlan, const QDate &date);
    // The breaks of the day plan for the date; nothing when the shift plan has none for it.
    std::optional<PlanBreaks> dayPlanBreaks(int shiftPlan, const QDate &date);

    // Net minutes of the entries the time-entry table holds (they must be exactly those of
    // one person and date), summed in total and per code; returns SumTotal.
    int EvaluateEntries(int shiftPlan, const QDate &date);

    // Creates the current employee's day record of date when it is missing; with recalc 1
    // re-evaluates an existing one by its own shift plan. The day record stays current.
    void EvaluateDay(qint16 recalc, const QDate &date);

    // The same for every date from..to, within the day-record table's restriction. With
    // recalc 1 a day record without shift plan first gets the employee's current one.
    // Afterwards the first day record of the restriction is current.
    PeriodOutcome EvaluatePeriod(qint16 recalc, const QDate &from, const QDate &to);

    // Sums of the latest EvaluateEntries.
    int SumTotal = 0;
    int SumNormal = 0;
    int SumKrank = 0;
    int SumUrlaub = 0;
    int SumFeiertag = 0;
    int SumUnbezahlt = 0;

private:
    struct Employee
    {
        int personalNummer = 0;
        int shiftPlan = 0;
    };

    bool readEmployee(Employee &employee) const;
    int dayPlanValue(int shiftPlan, const QDate &date, const char *field);
    qint64 checkedMinutes(const QVariant &stored, const char *field, const QDate &date) const;
    // The entries of the time-entry table's rows first..last (exclusive) in table order.
    QVector<EntryTimes> readEntries(int first, int last, const QDate &date) const;
    void setSums(const DaySums &sums, const QDate &date);
    void createDayRecord(const Employee &employee, const QDate &date);
    QVector<QVariant> newDayRecord(const Employee &employee, const QDate &date);
    void reevaluateDayRecord(const Employee &employee, const QDate &date, bool givePlan,
                             const QVector<EntryTimes> &entries);

    Table *m_personal;
    Table *m_auswert;
    Table *m_auswPos;
    Table *m_tagplan;
};

} // namespace tk
