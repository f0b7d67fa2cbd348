#include "core/export/PayrollText.h"

namespace tk {

void ForEachWageLine(
    const PayrollMonth &month,
    const std::function<void(const PayrollRow &row, const QString &wageType, qint64 minutes)> &line)
{
    for (const PayrollRow &row : month.rows) {
        for (int sum = 0; sum < PayrollSettings::SumCount; ++sum) {
            const QString &wageType = month.settings.wageTypes[sum];
            const qint64 minutes = PayrollMonth::minutes(row.value, PayrollSettings::Sum(sum));
            if (!wageType.isEmpty() && minutes > 0)
                line(row, wageType, minutes);
        }
    }
}

namespace {

// Windows-1252 is Latin-1 but for 0x80..0x9F, where it puts these characters.
const char16_t High1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char windowsByte(QChar c)
{
    const char16_t code = c.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return char(code);
    for (int i = 0; i < 32; ++i) {
        if (High1252[i] == code && code != 0)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray WindowsText(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines) {
        for (const QChar c : line)
            text += windowsByte(c);
        text += "\r\n";
    }
    return text;
}

} // namespace tk
