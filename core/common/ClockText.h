#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>

namespace tk {

// Minutes values are the unit of every clock time and duration: clock times are minutes
// after midnight, durations plain counts. These free functions turn them, and the dates
// shown beside them, into the texts that windows and lists share.

// Decimal hours: minutes / 60.0 (525 -> 8.75, -30 -> -0.5).
double MinutesToHours(qint64 minutes);

// Whole hours and remaining minutes, each with at least two digits, joined by a colon.
// Both parts keep the sign of the value (-525 -> "-08:-45", -30 -> "00:-30") and the hours
// do not wrap at 24 (1500 -> "25:00").
QString MinutesToClockText(int minutes);

// The four shared date forms.
inline constexpr const char *DateFormLong = "ddd dd.mmmm yyyy"; // dialog date lines
inline constexpr const char *DateFormDayMonth = "ddd dd.mm";    // day grid
inline constexpr const char *DateFormMonthYear = "mmmm yyyy";   // month line of the lists
inline constexpr const char *DateFormDay = "ddd dd";            // day column of the lists

// Formats a date with the pattern letters d, dd, ddd (short weekday name), dddd,
// m, mm, mmm (short month name), mmmm, yy and yyyy; every other character is copied.
// Names come from the locale's standalone forms; short weekday names lose a trailing
// period ("Mo", never "Mo.").
QString FormatDate(const QString &pattern, const QDate &date,
                   const QLocale &locale = QLocale::system());

// The short date format of the locale with the year widened to four digits
// ("dd.MM.yy" becomes "dd.MM.yyyy"): a time office reads dates across decades.
QString ShortDateFormat(const QLocale &locale = QLocale::system());
QString ShortDateText(const QDate &date, const QLocale &locale = QLocale::system());

// Number texts with the locale's separators: "#0.00" (7,50) for hours and
// "#,##0.00" (2.300,00) for money. A value that rounds to zero shows no minus sign.
QString FormatHours(double value, const QLocale &locale = QLocale::system());
QString FormatMoney(double value, const QLocale &locale = QLocale::system());

// TT.MM.JJJJ whatever locale the program runs with: messages, command-line lines, files.
QString GermanDateText(const QDate &date);

// The stored form of a date, "yyyy-MM-dd", as QDate::toString(Qt::ISODate) gives it; built by
// hand because every key read and written in a day loop passes through it.
QString IsoDateText(const QDate &date);
// A stored date as a database hands it over (ISO text from SQLite, a date from a server);
// invalid when empty.
QDate StoredDate(const QVariant &value);

} // namespace tk
