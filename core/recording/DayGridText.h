#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include "core/recording/MonthSheetCounters.h"

namespace tk {

// Texts of the time recording grids, from the stored values as the table layer holds them
// (a null QVariant for an empty field).

// Minutes of the day grid: nothing for an empty field, the clock text above 0, "--" for
// 0 or less.
QString MinutesCellText(const QVariant &value);
// Von and Bis of the entry grid: nothing for an empty field, else the clock text (0 is
// "00:00").
QString ClockCellText(const QVariant &value);
// Date of the day grid in the form "ddd dd.mm"; nothing for an empty date.
QString DayCellText(const QDate &date);
bool IsWeekend(const QDate &date);
// The totals line under the day grid: the period's figures of the monthly sheets' total row,
// in decimal hours as the sheets print them, named like the day grid's columns; a caption
// and its figure are joined by a no-break space, so a wrapped line keeps them together.
QString PeriodTotalsText(const MonthSheetCounters::Values &totals);

} // namespace tk
