#include "core/common/ClockText.h"

#include <cmath>

namespace tk {

double MinutesToHours(qint64 minutes)
{
    return minutes / 60.0;
}

namespace {

// At least two digits, the minus sign in front of the padding: -8 -> "-08".
QString twoDigits(qint64 value)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(2, u'0');
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString shortDayName(const QLocale &locale, int dayOfWeek)
{
    QString name = locale.standaloneDayName(dayOfWeek, QLocale::ShortFormat);
    if (name.endsWith(u'.'))
        name.chop(1);
    return name;
}

QString dayPart(const QLocale &locale, const QDate &date, int letters)
{
    switch (letters) {
    case 1:
        return QString::number(date.day());
    case 2:
        return QString::number(date.day()).rightJustified(2, u'0');
    case 3:
        return shortDayName(locale, date.dayOfWeek());
    default:
        return locale.standaloneDayName(date.dayOfWeek(), QLocale::LongFormat);
    }
}

QString monthPart(const QLocale &locale, const QDate &date, int letters)
{
    switch (letters) {
    case 1:
        return QString::number(date.month());
    case 2:
        return QString::number(date.month()).rightJustified(2, u'0');
    case 3:
        return locale.standaloneMonthName(date.month(), QLocale::ShortFormat);
    default:
        return locale.standaloneMonthName(date.month(), QLocale::LongFormat);
    }
}

QString yearPart(const QDate &date, int letters)
{
    if (letters <= 2)
        return QString::number(date.year() % 100).rightJustified(2, u'0');
    return QString::number(date.year()).rightJustified(4, u'0');
}

QString fixedTwoDecimals(double value, QLocale locale)
{
    const double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0.0)
        value = 0.0; // no "-0,00"
    return locale.toString(value, 'f', 2);
}

} // namespace

QString MinutesToClockText(int minutes)
{
    // Integer division truncates toward zero and the remainder takes the sign of the
    // dividend, which is exactly the split wanted here.
    const qint64 value = minutes;
    return twoDigits(value / 60) + QLatin1Char(':') + twoDigits(value % 60);
}

QString FormatDate(const QString &pattern, const QDate &date, const QLocale &locale)
{
    if (!date.isValid())
        return QString();
    QString text;
    for (int i = 0; i < pattern.size();) {
        const QChar letter = pattern.at(i).toLower();
        int run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == letter)
            ++run;
        if (letter == u'd')
            text += dayPart(locale, date, std::min(run, 4));
        else if (letter == u'm')
            text += monthPart(locale, date, std::min(run, 4));
        else if (letter == u'y')
            text += yearPart(date, run);
        else
            text += pattern.mid(i, run);
        i += run;
    }
    return text;
}

QString ShortDateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString ShortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, ShortDateFormat(locale));
}

QString FormatHours(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return fixedTwoDecimals(value, plain);
}

QString FormatMoney(double value, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return fixedTwoDecimals(value, grouped);
}

QString GermanDateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate StoredDate(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QDate();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString IsoDateText(const QDate &date)
{
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 0 || year > 9999)
        return date.toString(Qt::ISODate);
    const char16_t text[10] = {char16_t(u'0' + year / 1000),
                               char16_t(u'0' + year / 100 % 10),
                               char16_t(u'0' + year / 10 % 10),
                               char16_t(u'0' + year % 10),
                               u'-',
                               char16_t(u'0' + month / 10),
                               char16_t(u'0' + month % 10),
                               u'-',
                               char16_t(u'0' + day / 10),
                               char16_t(u'0' + day % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

} // namespace tk
