#include "core/reports/lists/GrossWageList.h"

#include <cmath>

#include "core/common/ClockText.h"
#include "core/common/DatePeriod.h"
#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/reports/lists/ListTexts.h"

namespace tk {

namespace {

struct SumColumn
{
    const char *caption;
    const char *name; // laSoll / laGesSoll
    double left;
};

const SumColumn SumColumns[TReportAusw03::SumCount] = {
    {"Soll", "Soll", 84.7},         {"Summe", "Summe", 103.7},       {"Ist", "Ist", 122.8},
    {"Unbez.", "Unbezahlt", 142.9}, {"Feiertag", "Feiertag", 159.8}, {"Krank", "Krank", 176.7},
    {"Urlaub", "Urlaub", 195.8},    {"Ges.o.Url.", "OUrlaub", 213.8}};

constexpr double CellWidth = 15.1;
constexpr double NumberLeft = 0.0;
constexpr double NameLeft = 16.9;
constexpr double RateLeft = 232.8;
constexpr double GrossLeft = 249.2;
constexpr double GrossWidth = 25.7;
constexpr double RowHeight = 5.3;

} // namespace

TReportAusw03::TReportAusw03()
    : m_personal(
        std::make_unique<Table>(QStringLiteral("Personal"), QStringLiteral("PersonalNummer")))
    , m_auswert(std::make_unique<Table>(QStringLiteral("auswert"),
                                        QStringLiteral("PersonalNummer;Datum")))
    , m_employees(*m_personal)
    , m_report(QStringLiteral("Auswertung: Bruttolohn"), &m_employees)
{
    tblPersonal = m_personal.get();
    tblAuswert = m_auswert.get();
    tblPersonal->setReadOnly(true);
    tblAuswert->setReadOnly(true);
    tblPersonal->open();
    m_report.setLandscape(true);
    m_report.setFont({QStringLiteral("Arial"), 10});
    m_report.setGenerationStarted([this] { resetTotals(); });
    buildBands();
}

TReportAusw03::~TReportAusw03() = default;

void TReportAusw03::setMonth(const QDate &firstDay)
{
    m_month = firstDay;
}

void TReportAusw03::resetTotals()
{
    m_count = 0;
    m_sums.fill(0);
    m_gross = 0.0;
    m_grandSums.fill(0);
    m_grandGross = 0.0;
}

void TReportAusw03::addSumCells(ReportBand &band, const QString &prefix, bool grand)
{
    for (const SumColumn &column : SumColumns) {
        if (grand) {
            // the grand sums of a large staff outgrow the column ("12345,00"): they keep
            // the column's right edge and run to the left instead of losing digits
            addColumnCaption(band, prefix + QLatin1String(column.name), column.left, CellWidth,
                             QString());
        } else {
            band.addLabel(prefix + QLatin1String(column.name), column.left, 0, QString())
                .setWidth(CellWidth)
                .setAlignment(Qt::AlignRight);
        }
    }
}

void TReportAusw03::setSumCells(ReportBand &band, const QString &prefix, const Sums &sums)
{
    for (int i = 0; i < SumCount; ++i) {
        band.text(prefix + QLatin1String(SumColumns[i].name))
            .setCaption(m_rowInvalid && prefix == QLatin1String("la") ? QString()
                                                                      : HoursText(sums[i]));
    }
}

bool TReportAusw03::fitsColumn(const QString &text, double width)
{
    return m_measure.widthMm(text, m_report.font()) <= width;
}

QString TReportAusw03::invalidReason(double rate)
{
    if (!std::isfinite(rate) || rate < 0)
        return QStringLiteral("ungültiger Stundensatz %1").arg(QString::number(rate));
    if (!fitsColumn(FormatHours(rate), CellWidth))
        return QStringLiteral("der Stundensatz passt nicht in seine Spalte");
    for (const qint64 sum : m_sums) {
        if (!fitsColumn(HoursText(sum), CellWidth))
            return QStringLiteral("eine Summe passt nicht in ihre Spalte");
    }
    if (!std::isfinite(m_gross) || !fitsColumn(FormatMoney(m_gross), GrossWidth))
        return QStringLiteral("der Bruttolohn passt nicht in seine Spalte");
    return QString();
}

void TReportAusw03::buildBands()
{
    addMonthTitle(m_report, QStringLiteral("Auswertung: Bruttolohn  (ohne Zuschläge)"),
                  [this] { return m_month; });

    ReportBand &columns =
        m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"), RowHeight);
    columns.addFrame(FrameEdge::Top);
    columns.addLabel(QStringLiteral("laCaptionPersNr"), NumberLeft, 0, QStringLiteral("Pers.Nr."))
        .setWidth(CellWidth)
        .setAlignment(Qt::AlignRight);
    columns.addLabel(QStringLiteral("laCaptionName"), NameLeft, 0, QStringLiteral("Name"));
    for (const SumColumn &column : SumColumns) {
        addColumnCaption(columns, QStringLiteral("laCaption%1").arg(QLatin1String(column.name)),
                         column.left, CellWidth, QLatin1String(column.caption));
    }
    addColumnCaption(columns, QStringLiteral("laCaptionStdSatz"), RateLeft, CellWidth,
                     QStringLiteral("Std-Satz"));
    addColumnCaption(columns, QStringLiteral("laCaptionBrutto"), GrossLeft, GrossWidth,
                     QStringLiteral("Brutto"));
    columns.addChild(QStringLiteral("columnRule"), 1.0).addFrame(FrameEdge::Top);

    ReportBand &row = m_report.addBand(BandKind::Detail, QStringLiteral("employeeRow"), RowHeight);
    row.addField(QStringLiteral("PersonalNummer"), NumberLeft, 0, QStringLiteral("PersonalNummer"))
        .setWidth(CellWidth)
        .setAlignment(Qt::AlignRight);
    ReportText &name = row.addLabel(QStringLiteral("laName"), NameLeft, 0, QString());
    addSumCells(row, QStringLiteral("la"), false);
    row.addField(QStringLiteral("BruttoLohn"), RateLeft, 0, QStringLiteral("BruttoLohn"))
        .setWidth(CellWidth)
        .setAlignment(Qt::AlignRight)
        .setFormatter([this](const QVariant &rate) {
            return m_rowInvalid ? QString() : FormatHours(rate.toDouble());
        });
    ReportText &gross = row.addLabel(QStringLiteral("laBrutto"), GrossLeft, 0, QString())
                            .setWidth(GrossWidth)
                            .setAlignment(Qt::AlignRight);
    row.setBeforePrint([this, &row, &name, &gross] {
        ++m_count;
        sumCurrentEmployee();
        const QString reason =
            invalidReason(tblPersonal->field(QStringLiteral("BruttoLohn")).asFloat());
        m_rowInvalid = !reason.isEmpty();
        QString caption = tblPersonal->field(QStringLiteral("Name")).asString()
            + QStringLiteral(", ") + tblPersonal->field(QStringLiteral("Vorname")).asString();
        if (m_rowInvalid)
            caption += QStringLiteral("  – ungültig: ") + reason;
        name.setCaption(caption);
        setSumCells(row, QStringLiteral("la"), m_sums);
        gross.setCaption(m_rowInvalid ? QString() : FormatMoney(m_gross));
        if (m_rowInvalid)
            return true;
        for (int i = 0; i < SumCount; ++i)
            m_grandSums[i] += m_sums[i];
        m_grandGross += m_gross;
        return true;
    });

    ReportBand &sum = m_report.addBand(BandKind::Summary, QStringLiteral("sumRow"), RowHeight);
    sum.addFrame(FrameEdge::Top);
    sum.addFrame(FrameEdge::Bottom);
    ReportText &count = sum.addLabel(QStringLiteral("laAnzPers"), NumberLeft, 0, QString())
                            .setWidth(CellWidth)
                            .setAlignment(Qt::AlignRight);
    sum.addLabel(QStringLiteral("laSumme"), NameLeft, 0, QStringLiteral("Summe"));
    addSumCells(sum, QStringLiteral("laGes"), true);
    ReportText &grandGross = sum.addLabel(QStringLiteral("laGesBrutto"), GrossLeft, 0, QString())
                                 .setWidth(GrossWidth)
                                 .setAlignment(Qt::AlignRight);
    sum.setBeforePrint([this, &sum, &count, &grandGross] {
        count.setCaption(QString::number(m_count));
        setSumCells(sum, QStringLiteral("laGes"), m_grandSums);
        // formatted from the unrounded total: 10.004 + 10.004 prints 20,01
        grandGross.setCaption(FormatMoney(m_grandGross));
        return true;
    });
}

void TReportAusw03::sumCurrentEmployee()
{
    Table &employee = *tblPersonal;
    const DatePeriod period =
        EvaluationPeriod(employee.field(QStringLiteral("AuswertBegin")).asInteger(),
                         m_month.month(), m_month.year());
    if (!period.isValid())
        throw DateEncodingError();
    const int number = employee.field(QStringLiteral("PersonalNummer")).asInteger();
    tblAuswert->openRange({number, period.from}, {number, period.to});

    m_sums = MonthSheetCounters::periodTotals(*tblAuswert);
    // unpaid time is not paid
    const double hours = MonthSheetCounters::paidMinutes(m_sums) / 60.0;
    m_gross = hours * employee.field(QStringLiteral("BruttoLohn")).asFloat();
}

} // namespace tk
