#include "core/reports/lists/MonthSheetDetail.h"

#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "core/db/Table.h"

namespace tk {

namespace {

MonthSheet::Geometry detailGeometry()
{
    MonthSheet::Geometry g;
    g.title = QStringLiteral("Personal-Monatsliste (Detail)");
    g.pageLabel = QStringLiteral("Seite ");
    g.columnLefts = {0, 29.6, 47.6, 65.6, 90.0, 109.0, 127.0, 146.0, 164.0};
    g.rowHeight = 4.8;
    g.stripHeight = 1.0;
    g.totalHeight = 4.8;
    g.totalPointSize = 9.0;
    g.ruleBelowWeekRow = true;
    return g;
}

QString clockText(const QVariant &minutes)
{
    return MinutesToClockText(minutes.isNull() ? 0 : minutes.toInt());
}

} // namespace

TReportAusw02::TReportAusw02()
    : MonthSheet(detailGeometry())
    , m_auswPos(std::make_unique<Table>(QStringLiteral("AuswPos"),
                                        QStringLiteral("PersonalNummer;Datum")))
{
    tblAuswPos = m_auswPos.get();
    tblAuswPos->setReadOnly(true);
    const QStringList link{QStringLiteral("PersonalNummer"), QStringLiteral("Datum")};
    // Opened under a closed master it reads nothing until the day records are restricted.
    tblAuswPos->setMaster(tblAuswert, link, link);
    tblAuswPos->open();
    m_entries = std::make_unique<TableDataSource>(*tblAuswPos);

    buildPageBands();
    ReportBand &day = buildDayRow();
    day.setBeforePrint([this, &day] {
        if (leavesOutDayRow())
            return false;
        fillDayRow(day);
        return true;
    });

    // The entry lines follow the day also when its row was left out; the week sum row
    // closes the day after its last entry line, also on a day without entries.
    ReportSubDetail &entries =
        m_report.addSubDetail(QStringLiteral("entryLine"), m_entries.get(), geometry().rowHeight);
    ReportBand &line = entries.band();
    line.addField(QStringLiteral("Von"), columnLeft(1), 0, QStringLiteral("Von"))
        .setWidth(15.1)
        .setAlignment(Qt::AlignRight)
        .setFormatter(clockText);
    line.addField(QStringLiteral("Bis"), columnLeft(2), 0, QStringLiteral("Bis"))
        .setWidth(15.1)
        .setAlignment(Qt::AlignRight)
        .setFormatter(clockText);
    line.addField(QStringLiteral("Kennung"), columnLeft(3), 0, QStringLiteral("Kennung"))
        .setFormatter([](const QVariant &code) { return EntryCodeName(code); });
    entries.setHeaderAndFooterWhenEmpty(true);
    buildWeekAndTotalRows(entries.addFooter(QStringLiteral("weekRow"), geometry().rowHeight));
}

TReportAusw02::~TReportAusw02()
{
    // the entry table follows the day-record table: let go of it first
    m_entries.reset();
    m_auswPos.reset();
}

bool TReportAusw02::leavesOutDayRow() const
{
    const int weekday = currentDate().dayOfWeek();
    return (weekday == Qt::Saturday || weekday == Qt::Sunday)
        && tblAuswert->field(QStringLiteral("Summe")).asInteger() <= 0;
}

} // namespace tk
