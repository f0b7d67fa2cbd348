#include "core/reports/lists/LawCheckList.h"

#include "core/common/ClockText.h"
#include "core/recording/LawChecks.h"
#include "core/reports/lists/ListTexts.h"

namespace tk {

namespace {

constexpr double DateLeft = 8.0;
constexpr double RuleLeft = 38.0;
constexpr double TextLeft = 58.0;
constexpr double RowHeight = 5.3;

} // namespace

LawCheckList::LawCheckList()
    : m_findings({QStringLiteral("PersonalNummer"), QStringLiteral("Mitarbeiter"),
                  QStringLiteral("Datum"), QStringLiteral("Regel"), QStringLiteral("Text")})
    , m_report(QStringLiteral("Arbeitszeitprüfung"), &m_findings)
{
    m_report.setFont({QStringLiteral("Arial"), 10});
    m_report.setGenerationStarted([this] { readFindings(); });
    buildBands();
}

void LawCheckList::setMonth(const QDate &firstDay)
{
    m_month = firstDay;
}

void LawCheckList::readFindings()
{
    m_findings.clear();
    m_count = 0;
    for (const EmployeeFindings &employee : LawFindingsOfMonth(m_month.month(), m_month.year())) {
        const QString caption =
            QStringLiteral("%1 %2, %3").arg(employee.number).arg(employee.name, employee.vorname);
        if (!employee.error.isEmpty()) {
            m_findings.addRow({employee.number, caption, QVariant(), QString(),
                               QStringLiteral("Fehler: ") + employee.error});
        }
        for (const LawFinding &finding : employee.value) {
            m_findings.addRow({employee.number, caption, finding.date, finding.rule, finding.text});
            ++m_count;
        }
    }
}

void LawCheckList::buildBands()
{
    addMonthTitle(m_report, QStringLiteral("Arbeitszeitprüfung"), [this] { return m_month; })
        .text(QStringLiteral("laTitel"))
        .setBold(true);

    ReportBand &columns =
        m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"), RowHeight);
    columns.addFrame(FrameEdge::Top);
    columns.addFrame(FrameEdge::Bottom);
    columns.addLabel(QStringLiteral("laCaptionDatum"), DateLeft, 0, QStringLiteral("Datum"));
    columns.addLabel(QStringLiteral("laCaptionRegel"), RuleLeft, 0, QStringLiteral("Regel"));
    columns.addLabel(QStringLiteral("laCaptionText"), TextLeft, 0, QStringLiteral("Befund"));

    ReportGroup &employee = m_report.addGroup(QStringLiteral("employee"), [this] {
        return m_findings.value(QStringLiteral("PersonalNummer"));
    });
    ReportBand &heading = employee.addHeader(QStringLiteral("employeeHeader"), RowHeight + 1.5);
    heading.addField(QStringLiteral("laMitarbeiter"), 0, 1.5, QStringLiteral("Mitarbeiter"))
        .setBold(true);

    ReportBand &row = m_report.addBand(BandKind::Detail, QStringLiteral("findingRow"), RowHeight);
    row.addField(QStringLiteral("laDatum"), DateLeft, 0, QStringLiteral("Datum"))
        .setFormatter([](const QVariant &date) {
            return date.isNull() ? QString()
                                 : FormatDate(QStringLiteral("ddd dd.mm.yyyy"), date.toDate());
        });
    row.addField(QStringLiteral("laRegel"), RuleLeft, 0, QStringLiteral("Regel"));
    row.addField(QStringLiteral("laText"), TextLeft, 0, QStringLiteral("Text"));

    ReportBand &sum =
        m_report.addBand(BandKind::Summary, QStringLiteral("sumRow"), RowHeight + 1.5);
    sum.addFrame(FrameEdge::Top);
    ReportText &count = sum.addLabel(QStringLiteral("laAnzahl"), 0, 1.5, QString());
    sum.setBeforePrint([this, &count] {
        count.setCaption(QStringLiteral("%1 Befunde").arg(m_count));
        return true;
    });
}

} // namespace tk
