#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <functional>

namespace tk {

class Report;
class ReportBand;
class ReportText;
class Table;

// A column caption right-aligned over a number cell (left, width): it ends at the cell's
// right edge and, being wider than the cell, is never cut ("Ges.o.Url." at 10 pt). Also for
// totals that may outgrow their column.
ReportText &addColumnCaption(ReportBand &band, const QString &name, double left, double width,
                             const QString &caption);

// The title band of the lists over a month, two lines high: laTitel at the left, "Monat:" and
// the month (laMonatText, as "März 2024", read from month() at every print), the print date
// and the page number at the right.
ReportBand &addMonthTitle(Report &report, const QString &title, std::function<QDate()> month);

// Texts the printed lists share.

// A minutes value as decimal hours with "#0.00" (450 -> "7,50" on a German system).
QString HoursText(qint64 minutes);
// The same, but nothing for a value of 0 or less (the sparse columns of the day rows).
QString HoursTextOrBlank(qint64 minutes);

// The employee as the monthly sheets name it: PersonalNummer, a blank, Name, ", ", Vorname
// of the table's current record ("7 Berger, Anna").
QString EmployeeCaption(Table &personal);

} // namespace tk
