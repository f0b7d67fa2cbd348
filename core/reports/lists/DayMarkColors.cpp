#include "core/reports/lists/DayMarkColors.h"

namespace tk {

QColor DayMarkBackground(DayMark mark)
{
    switch (mark) {
    case DayMark::Vacation:
        return QColor(160, 200, 255);
    case DayMark::Sick:
        return QColor(255, 196, 140);
    case DayMark::Holiday:
        return QColor(176, 226, 176);
    case DayMark::Unpaid:
        return QColor(255, 236, 140);
    case DayMark::Missing:
        return QColor(240, 70, 70);
    case DayMark::NotEmployed:
        return QColor(176, 176, 176);
    default:
        return QColor();
    }
}

QColor FreeDayBackground()
{
    return QColor(232, 232, 232);
}

} // namespace tk
