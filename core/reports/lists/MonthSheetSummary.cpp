#include "core/reports/lists/MonthSheetSummary.h"

namespace tk {

namespace {

MonthSheet::Geometry summaryGeometry()
{
    MonthSheet::Geometry g;
    g.title = QStringLiteral("Personal-Monatsliste (Summen)");
    g.pageLabel = QStringLiteral("Seite: ");
    g.columnLefts = {0, 31.8, 50.8, 70.9, 92.1, 110.1, 127.0, 146.0, 164.0};
    g.rowHeight = 5.3;
    g.stripHeight = 2.0;
    g.totalHeight = 5.8;
    g.totalPointSize = 10.0;
    g.ruleBelowWeekRow = false;
    return g;
}

} // namespace

TReportAusw01::TReportAusw01()
    : MonthSheet(summaryGeometry())
{
    buildPageBands();
    ReportBand &day = buildDayRow();
    day.setBeforePrint([this, &day] {
        fillDayRow(day);
        return true;
    });
    buildWeekAndTotalRows(day.addChild(QStringLiteral("weekRow"), geometry().rowHeight));
}

} // namespace tk
