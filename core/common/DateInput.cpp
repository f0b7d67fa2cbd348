#include "core/common/DateInput.h"

#include <QRegularExpression>

namespace tk {

namespace {

int fullYear(const QString &digits, const QDate &today)
{
    const int year = digits.toInt();
    if (digits.size() != 2)
        return year;
    // Birth dates lie decades back, entry and leaving dates a little ahead.
    const int base = today.year() - 79;
    int full = base / 100 * 100 + year;
    if (full < base)
        full += 100;
    return full;
}

} // namespace

QDate parseDateInput(const QString &text, const QDate &today)
{
    const QString input = text.trimmed();
    static const QRegularExpression separated(
        QStringLiteral(R"(^(\d{1,2})\.(\d{1,2})(?:\.(\d{2}|\d{4})?)?$)"));
    static const QRegularExpression packed(QStringLiteral(R"(^(\d{2})(\d{2})(\d{2}|\d{4})$)"));

    QRegularExpressionMatch match = separated.match(input);
    if (!match.hasMatch())
        match = packed.match(input);
    if (!match.hasMatch())
        return QDate();
    const int day = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const QString yearText = match.captured(3);
    const int year = yearText.isEmpty() ? today.year() : fullYear(yearText, today);
    return QDate(year, month, day); // invalid when the day does not exist
}

} // namespace tk
