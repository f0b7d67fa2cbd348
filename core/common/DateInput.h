#pragma once

#include <QDate>
#include <QString>

namespace tk {

// Reads a typed date: day, month and year separated by points ("5.3.2001", "05.03.01"),
// day and month only ("5.3." or "5.3", this year), or the digits alone ("050301",
// "05032001"). A two-digit year lies in the hundred years from 79 years before today's year to 20
// years after it. Anything else, and impossible days like "31.02.2024", give an invalid date.
QDate parseDateInput(const QString &text, const QDate &today = QDate::currentDate());

} // namespace tk
