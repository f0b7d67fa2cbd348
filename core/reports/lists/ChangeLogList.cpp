#include "core/reports/lists/ChangeLogList.h"

#include "core/recording/ChangeLog.h"
#include "core/reports/lists/ListTexts.h"

namespace tk {

namespace {

struct Column
{
    const char *field;
    const char *caption;
    double left;
    double width;
};

const Column Columns[] = {
    {"Zeit", "Zeitpunkt", 0, 27},   {"Wer", "Benutzer / Arbeitsplatz", 28, 38},
    {"Tabelle", "Tabelle", 67, 16}, {"Schluessel", "Schlüssel", 84, 24},
    {"Feld", "Feld", 109, 24},      {"Alt", "alt", 134, 38},
    {"Neu", "neu", 173, 38},        {"Grund", "Grund", 212, 65}};

constexpr double RowHeight = 4.4;

} // namespace

ChangeLogList::ChangeLogList()
    : m_rows([] {
        QStringList names;
        for (const Column &column : Columns)
            names << QLatin1String(column.field);
        return names;
    }())
    , m_report(QStringLiteral("Änderungsprotokoll"), &m_rows)
{
    m_report.setLandscape(true);
    m_report.setFont({QStringLiteral("Arial"), 8});
    m_report.setGenerationStarted([this] { readChanges(); });
    buildBands();
}

void ChangeLogList::setMonth(const QDate &firstDay)
{
    m_month = firstDay;
}

void ChangeLogList::readChanges()
{
    m_rows.clear();
    const QVector<ChangeRow> rows = ChangesOfMonth(m_month.month(), m_month.year(), m_employee);
    for (const ChangeRow &row : rows) {
        const QString who = row.benutzer.isEmpty() && row.arbeitsplatz.isEmpty()
            ? QStringLiteral("(außerhalb des Programms)")
            : row.benutzer + QStringLiteral(" / ") + row.arbeitsplatz;
        m_rows.addRow({ChangeTimeText(row.zeitpunkt), who, row.tabelle, row.schluessel, row.feld,
                       row.altWert, row.neuWert, row.grund});
    }
    m_count = int(rows.size());
}

void ChangeLogList::buildBands()
{
    ReportBand &title =
        addMonthTitle(m_report, QStringLiteral("Änderungsprotokoll"), [this] { return m_month; });
    title.text(QStringLiteral("laTitel")).setBold(true);

    ReportBand &columns =
        m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"), RowHeight + 1);
    columns.addFrame(FrameEdge::Top);
    columns.addFrame(FrameEdge::Bottom);
    ReportBand &row = m_report.addBand(BandKind::Detail, QStringLiteral("changeRow"), RowHeight);
    for (const Column &column : Columns) {
        columns.addLabel(QStringLiteral("laCaption") + QLatin1String(column.field), column.left,
                         0.5, QString::fromUtf8(column.caption));
        row.addField(QStringLiteral("la") + QLatin1String(column.field), column.left, 0,
                     QLatin1String(column.field))
            .setWidth(column.width);
    }
    ReportBand &sum = m_report.addBand(BandKind::Summary, QStringLiteral("sumRow"), RowHeight + 1);
    sum.addFrame(FrameEdge::Top);
    ReportText &count = sum.addLabel(QStringLiteral("laAnzahl"), 0, 1, QString());
    sum.setBeforePrint([this, &count] {
        count.setCaption(QStringLiteral("%1 Änderungen").arg(m_count));
        return true;
    });
}

} // namespace tk
