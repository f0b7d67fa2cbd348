#pragma once

#include <QDate>

namespace tk {

// A span of calendar days, both ends included. Invalid when either end is invalid.
struct DatePeriod
{
    QDate from;
    QDate to;
    bool isValid() const { return from.isValid() && to.isValid(); }
    bool contains(const QDate &date) const { return isValid() && date >= from && date <= to; }
};

// The evaluation period of an employee for month and year: from the day AuswertBegin of
// that month through as many days as the month has (16 Feb 2023 -> 15 Mar 2023, 1 Feb
// 2024 -> 29 Feb 2024). Invalid when AuswertBegin lies outside the month (<= 0 or past its
// last day) or month and year name no month.
DatePeriod EvaluationPeriod(int auswertBegin, int month, int year);

} // namespace tk
