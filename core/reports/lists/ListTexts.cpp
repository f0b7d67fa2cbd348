#include "core/reports/lists/ListTexts.h"

#include "core/common/ClockText.h"
#include "core/db/Table.h"
#include "core/reports/engine/Report.h"

namespace tk {

ReportText &addColumnCaption(ReportBand &band, const QString &name, double left, double width,
                             const QString &caption)
{
    constexpr double CaptionRoom = 30.0; // mm, more than any caption needs
    const double right = left + width;
    const double cell = qMax(width, CaptionRoom);
    return band.addLabel(name, right - cell, 0, caption)
        .setWidth(cell)
        .setAlignment(Qt::AlignRight);
}

ReportBand &addMonthTitle(Report &report, const QString &title, std::function<QDate()> month)
{
    constexpr double LineHeight = 5.3;
    ReportBand &band = report.addBand(BandKind::Title, QStringLiteral("title"), 2 * LineHeight);
    band.addLabel(QStringLiteral("laTitel"), 0, 0, title);
    band.addLabel(QStringLiteral("laMonat"), 70.4, 0, QStringLiteral("Monat:"));
    ReportText &monthText = band.addLabel(QStringLiteral("laMonatText"), 83.1, 0, QString());
    band.setBeforePrint([&monthText, month = std::move(month)] {
        monthText.setCaption(FormatDate(QLatin1String(DateFormMonthYear), month()));
        return true;
    });
    band.addSystemField(QStringLiteral("laDatum"), 0, 0, SystemField::Date)
        .toRightEdge()
        .setAlignment(Qt::AlignRight);
    band.addSystemField(QStringLiteral("laSeite"), 0, LineHeight, SystemField::PageNumber,
                        QStringLiteral("Seite: "))
        .toRightEdge()
        .setAlignment(Qt::AlignRight);
    return band;
}

QString HoursText(qint64 minutes)
{
    return FormatHours(MinutesToHours(minutes));
}

QString HoursTextOrBlank(qint64 minutes)
{
    return minutes > 0 ? HoursText(minutes) : QString();
}

QString EmployeeCaption(Table &personal)
{
    return QStringLiteral("%1 %2, %3")
        .arg(personal.field(QStringLiteral("PersonalNummer")).asInteger())
        .arg(personal.field(QStringLiteral("Name")).asString(),
             personal.field(QStringLiteral("Vorname")).asString());
}

} // namespace tk
