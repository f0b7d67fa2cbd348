#include "core/reports/lists/MonthSheet.h"

#include "core/common/ClockText.h"
#include "core/db/Table.h"
#include "core/reports/lists/ListTexts.h"

namespace tk {

namespace {

using Column = MonthSheetCounters::Column;

const char *const ColumnCaptions[] = {"Soll",     "Gesamt", "Ist",    "Unbezahlt",
                                      "Feiertag", "Krank",  "Urlaub", "Ges.ohne Url."};
// Element names: the day row uses them bare, the week sum row with "la", the total row
// with "laGes" (laSoll, laGesSoll).
const char *const CellNames[] = {"Soll",     "Summe", "Anwesend", "Unbezahlt",
                                 "Feiertag", "Krank", "Urlaub",   "OUrlaub"};

double columnWidth(int column)
{
    switch (column) {
    case MonthSheetCounters::Unbezahlt:
        return 16.1;
    case MonthSheetCounters::OhneUrlaub:
        return 21.4;
    default:
        return 15.1;
    }
}

} // namespace

MonthSheet::MonthSheet(const Geometry &geometry)
    : m_auswert(
        std::make_unique<Table>(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum")))
    , m_days(*m_auswert)
    , m_report(geometry.title, &m_days)
    , m_geometry(geometry)
{
    tblAuswert = m_auswert.get();
    tblAuswert->setReadOnly(true);
    m_report.setFont({QStringLiteral("Arial"), 9});
    m_report.setGenerationStarted([this] {
        m_counters.reset();
        m_monthText->setCaption(FormatDate(QLatin1String(DateFormMonthYear), m_start));
    });
}

MonthSheet::~MonthSheet() = default;

void MonthSheet::setKeyRange(int personalNummer, const QDate &from, const QDate &to)
{
    // opened with its range: the day records of all employees are never read whole
    tblAuswert->openRange({personalNummer, from}, {personalNummer, to});
}

void MonthSheet::setEmployeeCaption(const QString &caption)
{
    m_caption->setCaption(caption);
}

void MonthSheet::setPeriod(const QDate &start, const QDate &end)
{
    m_start = start;
    m_end = end;
}

void MonthSheet::buildPageBands()
{
    const double lineTwo = 5.3;
    ReportBand &header =
        m_report.addBand(BandKind::PageHeader, QStringLiteral("pageHeader"), 2 * lineTwo);
    header.addLabel(QStringLiteral("laTitel"), 0, 0, m_geometry.title);
    header.addLabel(QStringLiteral("laMonat"), 69.8, 0, QStringLiteral("Monat:"));
    m_monthText = &header.addLabel(QStringLiteral("laMonatText"), 83.6, 0, QString());
    header
        .addSystemField(QStringLiteral("laDatum"), 0, 0, SystemField::Date,
                        QStringLiteral("Datum: "))
        .toRightEdge()
        .setAlignment(Qt::AlignRight);
    header.addLabel(QStringLiteral("laPersNr"), 0, lineTwo, QStringLiteral("Personal-Nr.:"));
    m_caption = &header.addLabel(QStringLiteral("laPersonal"), 22.2, lineTwo, QString());
    header
        .addSystemField(QStringLiteral("laSeite"), 0, lineTwo, SystemField::PageNumber,
                        m_geometry.pageLabel)
        .toRightEdge()
        .setAlignment(Qt::AlignRight);

    ReportBand &columns = m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"),
                                           m_geometry.rowHeight);
    columns.addFrame(FrameEdge::Top);
    columns.addLabel(QStringLiteral("laTag"), columnLeft(0), 0, QStringLiteral("Tag"));
    for (int c = 0; c < MonthSheetCounters::ColumnCount; ++c) {
        addColumnCaption(columns, QStringLiteral("laCaption%1").arg(CellNames[c]),
                         columnLeft(c + 1), columnWidth(c), QLatin1String(ColumnCaptions[c]));
    }
    columns.addChild(QStringLiteral("columnRule"), m_geometry.stripHeight).addFrame(FrameEdge::Top);
}

void MonthSheet::addValueCells(ReportBand &band, const QString &prefix, const char *const names[])
{
    for (int c = 0; c < MonthSheetCounters::ColumnCount; ++c) {
        band.addLabel(prefix + QLatin1String(names[c]), columnLeft(c + 1), 0, QString())
            .setWidth(columnWidth(c))
            .setAlignment(Qt::AlignRight);
    }
}

void MonthSheet::setValueCells(ReportBand &band, const QString &prefix, const char *const names[],
                               const MonthSheetCounters::Values &values, bool blankRule)
{
    for (int c = 0; c < MonthSheetCounters::ColumnCount; ++c) {
        const qint64 minutes = values[std::size_t(c)];
        const bool blank = blankRule && MonthSheetCounters::blankWhenNotPositive(Column(c));
        band.text(prefix + QLatin1String(names[c]))
            .setCaption(blank ? HoursTextOrBlank(minutes) : HoursText(minutes));
    }
}

ReportBand &MonthSheet::buildDayRow()
{
    ReportBand &day =
        m_report.addBand(BandKind::Detail, QStringLiteral("dayRow"), m_geometry.rowHeight);
    day.addField(QStringLiteral("Datum"), columnLeft(0), 0, QStringLiteral("Datum"))
        .setFormatter([](const QVariant &value) {
            const QDate date = StoredDate(value);
            return date.isValid() ? FormatDate(QLatin1String(DateFormDay), date) : QString();
        });
    addValueCells(day, QString(), CellNames);
    return day;
}

void MonthSheet::fillDayRow(ReportBand &dayRow)
{
    setValueCells(dayRow, QString(), CellNames, m_counters.addDay(currentDay()), true);
}

void MonthSheet::buildWeekAndTotalRows(ReportBand &weekRow)
{
    weekRow.addFrame(FrameEdge::Top);
    if (m_geometry.ruleBelowWeekRow)
        weekRow.addFrame(FrameEdge::Bottom);
    weekRow.addLabel(QStringLiteral("laSummeWoche"), 0, 0, QStringLiteral("Summe Woche"));
    addValueCells(weekRow, QStringLiteral("la"), CellNames);
    weekRow.setBeforePrint([this, &weekRow] {
        if (!closesWeek())
            return false;
        setValueCells(weekRow, QStringLiteral("la"), CellNames, m_counters.takeWeek(), true);
        return true;
    });
    weekRow.addChild(QStringLiteral("weekRule"), m_geometry.stripHeight).addFrame(FrameEdge::Top);

    // The period end always closes a week, so the total row hangs below the week sum row.
    ReportBand &total = weekRow.addChild(QStringLiteral("totalRow"), m_geometry.totalHeight);
    total.setFont({QStringLiteral("Arial"), m_geometry.totalPointSize});
    total.addFrame(FrameEdge::Top);
    total.addFrame(FrameEdge::Bottom);
    total.addLabel(QStringLiteral("laGesamt"), 0, 0, QStringLiteral("Gesamt"));
    addValueCells(total, QStringLiteral("laGes"), CellNames);
    total.setBeforePrint([this, &total] {
        if (currentDate() != m_end)
            return false;
        setValueCells(total, QStringLiteral("laGes"), CellNames, m_counters.period(), false);
        return true;
    });
}

MonthSheetCounters::Day MonthSheet::currentDay() const
{
    return MonthSheetCounters::dayAt(*tblAuswert, tblAuswert->currentRow());
}

QDate MonthSheet::currentDate() const
{
    return tblAuswert->field(QStringLiteral("Datum")).asDate();
}

bool MonthSheet::closesWeek() const
{
    const QDate date = currentDate();
    return date.dayOfWeek() == Qt::Sunday || date == m_end;
}

} // namespace tk
