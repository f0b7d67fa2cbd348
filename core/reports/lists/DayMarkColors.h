#pragma once

#include <QColor>

#include "core/recording/MonthOverview.h"

namespace tk {

// The colours of the month overview, on screen and on paper alike.

// The cell of a day with this mark; invalid for a plain cell (worked, nothing to show).
QColor DayMarkBackground(DayMark mark);
// A Saturday, Sunday or public holiday without a mark of its own.
QColor FreeDayBackground();

} // namespace tk
