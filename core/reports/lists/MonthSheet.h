#pragma once

#include "core/recording/MonthSheetCounters.h"
#include "core/reports/engine/Report.h"
#include "core/reports/engine/TableDataSource.h"

#include <QDate>
#include <QString>

#include <array>
#include <memory>

namespace tk {

class Table;

// What the two monthly sheets (summary and detail) share: one employee's day records of a
// period, one row per day in decimal hours, a week sum row after every Sunday and after the
// period end, and a total row after the period end. The command hands over the employee
// caption, the period and the key range of the sheet's own day-record table.
class MonthSheet
{
public:
    // Positions of one sheet, in millimetres from the left margin.
    struct Geometry
    {
        QString title;
        QString pageLabel; // text before the page number
        // left edges of Tag, Soll, Gesamt, Ist, Unbezahlt, Feiertag, Krank, Urlaub,
        // Ges.ohne Url.
        std::array<double, 9> columnLefts{};
        double rowHeight = 5.3;   // day, week sum and entry rows
        double stripHeight = 2.0; // the ruled strips under the captions and week rows
        double totalHeight = 5.3;
        double totalPointSize = 9.0;
        bool ruleBelowWeekRow = false;
    };

    virtual ~MonthSheet();
    MonthSheet(const MonthSheet &) = delete;
    MonthSheet &operator=(const MonthSheet &) = delete;

    // The sheet's own day records (auswert, ordered by PersonalNummer;Datum).
    Table *tblAuswert = nullptr;

    // Restricts the day records to (personalNummer, from)..(personalNummer, to).
    void setKeyRange(int personalNummer, const QDate &from, const QDate &to);
    void setEmployeeCaption(const QString &caption);
    // The month text of the header comes from start; the week and total rows close on end.
    void setPeriod(const QDate &start, const QDate &end);

    QDate periodStart() const { return m_start; }
    QDate periodEnd() const { return m_end; }

    Report &report() { return m_report; }
    ReportDocument generate() { return m_report.generate(); }

protected:
    explicit MonthSheet(const Geometry &geometry);

    // Page header and column header, the same on every page.
    void buildPageBands();
    // The day row; the sheet gives it its before-print hook, which calls fillDayRow.
    ReportBand &buildDayRow();
    // Counts the current day record and sets the cells of the day row.
    void fillDayRow(ReportBand &dayRow);
    // Fills weekRow as the week sum row (printed after a Sunday and after the period end)
    // and hangs its ruled strip and the total row (after the period end) below it.
    void buildWeekAndTotalRows(ReportBand &weekRow);

    // The current day record's minutes.
    MonthSheetCounters::Day currentDay() const;
    QDate currentDate() const;
    // Sunday or the period end: a week sum row follows the day.
    bool closesWeek() const;

    const Geometry &geometry() const { return m_geometry; }
    double columnLeft(int column) const { return m_geometry.columnLefts[std::size_t(column)]; }

    std::unique_ptr<Table> m_auswert;
    TableDataSource m_days;
    Report m_report;
    MonthSheetCounters m_counters;

private:
    void addValueCells(ReportBand &band, const QString &prefix, const char *const names[]);
    void setValueCells(ReportBand &band, const QString &prefix, const char *const names[],
                       const MonthSheetCounters::Values &values, bool blankRule);

    Geometry m_geometry;
    QDate m_start;
    QDate m_end;
    ReportText *m_monthText = nullptr;
    ReportText *m_caption = nullptr;
};

} // namespace tk
