#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace tk {

class DayEvaluation;
class Table;

// One time entry as the entry dialogs hand it over.
struct TimeEntry
{
    int von = 0;
    int bis = 0;
    QString kennung;
};

// Why the change day dialog cannot show a day whole.
enum class DayFit {
    Whole,
    TooManyEntries, // more entries than the dialog has rows
    EntryNotAfter,  // an entry whose Bis is not after its Von would show as an empty row
};

// The editing of the current day record's time entries in the time recording window: reads
// what the dialogs show and writes what they hand back. Every stored change ends with the
// re-evaluation of the day, so that the day record's target and sums match its entries.
//
// Works on the window's day evaluation and its tables: the day-record table's current record
// is the day, the time-entry table follows it and its current record is the selected entry.
class DaySheet
{
public:
    explicit DaySheet(DayEvaluation &evaluation);

    // An employee and one of its day records are current, and the day record is not being
    // edited.
    bool hasCurrentDay() const;
    // A day record is current and its time entries can be changed.
    bool canEdit() const;
    QDate currentDate() const;
    // The current day record's Schicht; 0 when empty.
    int currentShiftPlan() const;
    // Vorname, one blank, Name of the current employee, as the dialogs' name bars show it.
    QString employeeName() const;

    // The times proposed for a new entry: from the day plan's start on an empty day, else from
    // the end of the day's last entry; to the day plan's end (0 without a day plan).
    TimeEntry ProposeNewEntry();
    // The day's entries in table order; the selection stays where it was.
    QList<TimeEntry> DayEntries() const;
    bool hasSelectedEntry() const;
    TimeEntry SelectedEntry() const;
    DayFit CheckFitsRows(int rowCount, TimeEntry *offending = nullptr) const;

    // Appends an entry to the day (Summe = Bis - Von) and re-evaluates the day.
    void AppendEntry(const TimeEntry &entry);
    // Stores the selected entry with new values and re-evaluates the day.
    void ChangeSelectedEntry(const TimeEntry &entry);
    // Replaces all entries of the day by the rows whose Bis lies after their Von, in row
    // order, and re-evaluates the day; one transaction.
    void ReplaceDayEntries(const QList<TimeEntry> &rows);
    // Deletes the selected entry and re-evaluates the day.
    void DeleteSelectedEntry();
    // Stores another shift plan in the day record and re-evaluates the day; false (and
    // nothing stored) when the number is the day's present one.
    bool ChangeShiftPlan(int shiftPlan);

    // Throws PeriodClosedError when the current day lies in a closed period; every change
    // checks it first, the dialogs before they open.
    void requireOpenDay() const;

private:
    void replaceOnce(const QList<TimeEntry> &rows);
    void writeEntry(const TimeEntry &entry);
    void postEntry();
    void reevaluateCurrentDay();

    DayEvaluation &m_evaluation;
    Table *m_auswert;
    Table *m_auswPos;
};

} // namespace tk
