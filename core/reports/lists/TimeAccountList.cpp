#include "core/reports/lists/TimeAccountList.h"

#include "core/common/ClockText.h"
#include "core/reports/lists/ListTexts.h"

namespace tk {

namespace {

enum Column { Soll, Gesamt, Vortrag, Zeitraum, Neu, Anspruch, Genommen, Rest, ColumnCount };

struct FigureColumn
{
    const char *name;
    const char *caption;
    bool days;
};

const FigureColumn FigureColumns[ColumnCount] = {
    {"Soll", "Soll", false},         {"Gesamt", "Gesamt", false}, {"Vortrag", "Vortrag", false},
    {"Zeitraum", "Zeitraum", false}, {"Neu", "Saldo neu", false}, {"Anspruch", "Anspruch", true},
    {"Genommen", "genommen", true},  {"Rest", "Rest", true}};

constexpr double NumberLeft = 0.0;
constexpr double NumberWidth = 15.1;
constexpr double NameLeft = 16.9;
constexpr double FirstFigureLeft = 95.0;
constexpr double FigureStep = 22.0;
constexpr double FigureWidth = 20.0;
constexpr double DaysGap = 6.0; // between the hours and the vacation days
constexpr double RowHeight = 5.3;

double figureLeft(int column)
{
    return FirstFigureLeft + column * FigureStep + (column >= Anspruch ? DaysGap : 0.0);
}

QVariant figureValue(const AccountFigures &f, int column)
{
    switch (column) {
    case Soll:
        return f.soll;
    case Gesamt:
        return f.gesamt;
    case Vortrag:
        return f.carried;
    case Zeitraum:
        return f.period;
    case Neu:
        return f.balance();
    case Anspruch:
        return f.entitlement;
    case Genommen:
        return f.taken;
    default:
        return f.remaining();
    }
}

QString figureText(const QVariant &value, bool days)
{
    if (value.isNull())
        return QString();
    return days ? AccountDaysText(value.toDouble()) : AccountHoursText(value.toLongLong());
}

QStringList fieldNames()
{
    QStringList names{QStringLiteral("PersonalNummer"), QStringLiteral("Name")};
    for (const FigureColumn &column : FigureColumns)
        names << QLatin1String(column.name);
    return names;
}

} // namespace

TimeAccountList::TimeAccountList()
    : m_accounts(fieldNames())
    , m_report(QStringLiteral("Zeitkonto"), &m_accounts)
{
    m_report.setLandscape(true);
    m_report.setFont({QStringLiteral("Arial"), 10});
    m_report.setGenerationStarted([this] { readAccounts(); });
    buildBands();
}

void TimeAccountList::setMonth(const QDate &firstDay)
{
    m_month = firstDay;
}

void TimeAccountList::readAccounts()
{
    m_accounts.clear();
    m_count = 0;
    m_total = AccountFigures();
    for (const EmployeeAccount &account : EmployeeAccounts(m_month.month(), m_month.year())) {
        QVariantList row{account.number, account.name + QStringLiteral(", ") + account.vorname};
        if (!account.error.isEmpty()) {
            row[1] = row[1].toString() + QStringLiteral("  – Fehler: ") + account.error;
            m_accounts.addRow(row);
            continue;
        }
        for (int column = 0; column < ColumnCount; ++column)
            row << figureValue(account.value, column);
        m_accounts.addRow(row);
        ++m_count;
        const AccountFigures &f = account.value;
        m_total.soll += f.soll;
        m_total.gesamt += f.gesamt;
        m_total.carried += f.carried;
        m_total.period += f.period;
        m_total.entitlement += f.entitlement;
        m_total.taken += f.taken;
    }
}

void TimeAccountList::buildBands()
{
    addMonthTitle(m_report, QStringLiteral("Zeitkonto"), [this] { return m_month; })
        .text(QStringLiteral("laTitel"))
        .setBold(true);

    ReportBand &groups =
        m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"), RowHeight);
    groups.addFrame(FrameEdge::Top);
    groups.addLabel(QStringLiteral("laCaptionStunden"), figureLeft(Soll), 0,
                    QStringLiteral("Stunden"));
    groups.addLabel(QStringLiteral("laCaptionUrlaub"), figureLeft(Anspruch), 0,
                    QStringLiteral("Urlaubstage"));
    ReportBand &columns = groups.addChild(QStringLiteral("columnCaptions"), RowHeight);
    columns.addLabel(QStringLiteral("laCaptionPersNr"), NumberLeft, 0, QStringLiteral("Pers.Nr."))
        .setWidth(NumberWidth)
        .setAlignment(Qt::AlignRight);
    columns.addLabel(QStringLiteral("laCaptionName"), NameLeft, 0, QStringLiteral("Name"));
    for (int column = 0; column < ColumnCount; ++column) {
        addColumnCaption(columns, QStringLiteral("laCaption%1").arg(FigureColumns[column].name),
                         figureLeft(column), FigureWidth,
                         QLatin1String(FigureColumns[column].caption));
    }
    groups.addChild(QStringLiteral("columnRule"), 1.0).addFrame(FrameEdge::Top);

    ReportBand &row = m_report.addBand(BandKind::Detail, QStringLiteral("employeeRow"), RowHeight);
    row.addField(QStringLiteral("PersonalNummer"), NumberLeft, 0, QStringLiteral("PersonalNummer"))
        .setWidth(NumberWidth)
        .setAlignment(Qt::AlignRight);
    row.addField(QStringLiteral("laName"), NameLeft, 0, QStringLiteral("Name"));
    for (int column = 0; column < ColumnCount; ++column) {
        const bool days = FigureColumns[column].days;
        row.addField(QStringLiteral("la%1").arg(FigureColumns[column].name), figureLeft(column), 0,
                     QLatin1String(FigureColumns[column].name))
            .setWidth(FigureWidth)
            .setAlignment(Qt::AlignRight)
            .setFormatter([days](const QVariant &value) { return figureText(value, days); });
    }

    ReportBand &sum = m_report.addBand(BandKind::Summary, QStringLiteral("sumRow"), RowHeight);
    sum.addFrame(FrameEdge::Top);
    sum.addFrame(FrameEdge::Bottom);
    ReportText &count = sum.addLabel(QStringLiteral("laAnzPers"), NumberLeft, 0, QString())
                            .setWidth(NumberWidth)
                            .setAlignment(Qt::AlignRight);
    sum.addLabel(QStringLiteral("laSumme"), NameLeft, 0, QStringLiteral("Summe"));
    for (int column = 0; column < ColumnCount; ++column) {
        addColumnCaption(sum, QStringLiteral("laGes%1").arg(FigureColumns[column].name),
                         figureLeft(column), FigureWidth, QString());
    }
    sum.setBeforePrint([this, &sum, &count] {
        count.setCaption(QString::number(m_count));
        for (int column = 0; column < ColumnCount; ++column) {
            sum.text(QStringLiteral("laGes%1").arg(FigureColumns[column].name))
                .setCaption(figureText(figureValue(m_total, column), FigureColumns[column].days));
        }
        return true;
    });
}

} // namespace tk
