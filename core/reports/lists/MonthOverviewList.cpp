#include "core/reports/lists/MonthOverviewList.h"

#include "core/common/ClockText.h"
#include "core/reports/engine/TextMeasure.h"
#include "core/reports/lists/DayMarkColors.h"
#include "core/reports/lists/ListTexts.h"
#include "core/settings/FirmSettings.h"

namespace tk {

namespace {

constexpr int MostDays = 31;
constexpr double NumberWidth = 9.0;
constexpr double NameLeft = 10.5;
constexpr double DayLeft = 48.0;
constexpr double DayWidth = 6.6;
constexpr double MissingLeft = DayLeft + MostDays * DayWidth + 1.5;
constexpr double CountWidth = 12.0;
constexpr double RowHeight = 4.6;

double dayLeft(int day)
{
    return DayLeft + day * DayWidth;
}

ReportText &addDayCell(ReportBand &band, const QString &name, int day, const QString &caption)
{
    return band.addLabel(name, dayLeft(day), 0.4, caption)
        .setWidth(DayWidth)
        .setAlignment(Qt::AlignHCenter);
}

} // namespace

MonthOverviewList::MonthOverviewList()
    : m_rows([] {
        QStringList names{QStringLiteral("PersonalNummer"), QStringLiteral("Name")};
        for (int day = 0; day < MostDays; ++day)
            names << QStringLiteral("d%1").arg(day + 1);
        names << QStringLiteral("Fehlt");
        return names;
    }())
    , m_report(QStringLiteral("Monatsübersicht"), &m_rows)
    , m_today(QDate::currentDate())
{
    m_report.setLandscape(true);
    m_report.setFont({QStringLiteral("Arial"), 8});
    m_report.setGenerationStarted([this] { readMonth(); });
    buildBands();
}

void MonthOverviewList::setMonth(const QDate &firstDay)
{
    m_month = firstDay;
}

QString MonthOverviewList::dayField(int day) const
{
    return QStringLiteral("d%1").arg(day + 1);
}

void MonthOverviewList::readMonth()
{
    m_overview = ReadMonthOverview(m_month.month(), m_month.year(), m_today, FirmSettings::state());
    m_rows.clear();
    for (const OverviewEmployee &employee : m_overview.employees) {
        QVariantList row{employee.number, employee.name + QStringLiteral(", ") + employee.vorname};
        for (const OverviewDay &day : employee.days)
            row << DayMarkText(day.mark);
        while (row.size() < 2 + MostDays)
            row << QString();
        row << (employee.missing > 0 ? QString::number(employee.missing) : QString());
        m_rows.addRow(row);
    }
}

void MonthOverviewList::buildBands()
{
    addMonthTitle(m_report, QStringLiteral("Monatsübersicht"), [this] { return m_month; })
        .text(QStringLiteral("laTitel"))
        .setBold(true);

    ReportBand &weekdays =
        m_report.addBand(BandKind::ColumnHeader, QStringLiteral("columnHeader"), RowHeight);
    weekdays.addFrame(FrameEdge::Top);
    ReportBand &numbers = weekdays.addChild(QStringLiteral("dayNumbers"), RowHeight);
    numbers.addLabel(QStringLiteral("laCaptionPersNr"), 0, 0.4, QStringLiteral("Nr."))
        .setWidth(NumberWidth)
        .setAlignment(Qt::AlignRight);
    numbers.addLabel(QStringLiteral("laCaptionName"), NameLeft, 0.4, QStringLiteral("Name"));
    addColumnCaption(numbers, QStringLiteral("laCaptionFehlt"), MissingLeft, CountWidth,
                     QStringLiteral("fehlt"));
    for (int day = 0; day < MostDays; ++day) {
        addDayCell(weekdays, QStringLiteral("laWochentag%1").arg(day + 1), day, QString());
        addDayCell(numbers, QStringLiteral("laTag%1").arg(day + 1), day, QString());
    }
    const auto dayHeader = [this](ReportBand &band, const char *prefix, const QString &pattern) {
        for (int day = 0; day < MostDays; ++day) {
            ReportText &cell = band.text(QLatin1String(prefix) + QString::number(day + 1));
            const bool inMonth = day < m_overview.dayCount();
            cell.setCaption(inMonth ? FormatDate(pattern, m_overview.date(day)) : QString());
            cell.setBackground(inMonth && m_overview.isFreeDay(day) ? FreeDayBackground()
                                                                    : QColor());
        }
        return true;
    };
    weekdays.setBeforePrint([dayHeader, &weekdays] {
        return dayHeader(weekdays, "laWochentag", QStringLiteral("ddd"));
    });
    numbers.setBeforePrint(
        [dayHeader, &numbers] { return dayHeader(numbers, "laTag", QStringLiteral("dd")); });
    weekdays.addChild(QStringLiteral("columnRule"), 0.8).addFrame(FrameEdge::Top);

    ReportBand &row = m_report.addBand(BandKind::Detail, QStringLiteral("employeeRow"), RowHeight);
    row.addFrame(FrameEdge::Bottom, FrameStyle::Dashed);
    row.addField(QStringLiteral("PersonalNummer"), 0, 0.4, QStringLiteral("PersonalNummer"))
        .setWidth(NumberWidth)
        .setAlignment(Qt::AlignRight);
    row.addField(QStringLiteral("laName"), NameLeft, 0.4, QStringLiteral("Name"))
        .setWidth(DayLeft - NameLeft - 1.0);
    for (int day = 0; day < MostDays; ++day) {
        row.addField(dayField(day), dayLeft(day), 0.4, dayField(day))
            .setWidth(DayWidth)
            .setAlignment(Qt::AlignHCenter)
            .setPointSize(7);
    }
    row.addField(QStringLiteral("laFehlt"), MissingLeft, 0.4, QStringLiteral("Fehlt"))
        .setWidth(CountWidth)
        .setAlignment(Qt::AlignRight);
    row.setBeforePrint([this, &row] {
        const int number = m_rows.value(QStringLiteral("PersonalNummer")).toInt();
        for (const OverviewEmployee &employee : m_overview.employees) {
            if (employee.number != number)
                continue;
            for (int day = 0; day < MostDays; ++day) {
                QColor fill;
                if (day < m_overview.dayCount()) {
                    fill = DayMarkBackground(employee.days.at(day).mark);
                    if (!fill.isValid() && m_overview.isFreeDay(day))
                        fill = FreeDayBackground();
                }
                row.text(dayField(day)).setBackground(fill);
            }
        }
        return true;
    });

    ReportBand &absent =
        m_report.addBand(BandKind::Summary, QStringLiteral("absentRow"), RowHeight);
    absent.addFrame(FrameEdge::Top);
    absent.addFrame(FrameEdge::Bottom);
    absent.addLabel(QStringLiteral("laAbwesend"), NameLeft, 0.4, QStringLiteral("abwesend"));
    for (int day = 0; day < MostDays; ++day)
        addDayCell(absent, QStringLiteral("laAbwesend%1").arg(day + 1), day, QString());
    ReportText &missing =
        addColumnCaption(absent, QStringLiteral("laGesFehlt"), MissingLeft, CountWidth, QString());
    absent.setBeforePrint([this, &absent, &missing] {
        for (int day = 0; day < MostDays; ++day) {
            const int count = day < m_overview.dayCount() ? m_overview.absentOn(day) : 0;
            absent.text(QStringLiteral("laAbwesend%1").arg(day + 1))
                .setCaption(count > 0 ? QString::number(count) : QString());
        }
        missing.setCaption(QString::number(m_overview.missingDays()));
        return true;
    });
    absent.addChild(QStringLiteral("legendGap"), 2 * RowHeight);
    buildLegend(absent.addChild(QStringLiteral("legend"), RowHeight));
}

void MonthOverviewList::buildLegend(ReportBand &legend)
{
    const struct
    {
        DayMark mark;
        const char *text;
    } entries[] = {{DayMark::Present, "anwesend"},
                   {DayMark::Vacation, "Urlaub"},
                   {DayMark::Sick, "krank"},
                   {DayMark::Holiday, "Feiertag"},
                   {DayMark::Unpaid, "unbezahlt"},
                   {DayMark::Missing, "Arbeitstag ohne Zeiten"},
                   {DayMark::NotEmployed, "nicht beschäftigt"},
                   {DayMark::None, "Wochenende, Feiertag"}};
    TextMeasure measure;
    double left = NameLeft;
    int index = 0;
    for (const auto &entry : entries) {
        const QString name = QStringLiteral("laLegende%1").arg(++index);
        const double width = entry.mark == DayMark::Missing ? 2 * DayWidth : DayWidth;
        const QColor fill =
            entry.mark == DayMark::None ? FreeDayBackground() : DayMarkBackground(entry.mark);
        legend.addLabel(name + QStringLiteral("Zeichen"), left, 0.4, DayMarkText(entry.mark))
            .setWidth(width)
            .setAlignment(Qt::AlignHCenter)
            .setBackground(fill);
        left += width + 1.5;
        const QString text = QString::fromUtf8(entry.text);
        legend.addLabel(name, left, 0.4, text);
        left += measure.widthMm(text, legend.font()) + 6.0;
    }
}

} // namespace tk
