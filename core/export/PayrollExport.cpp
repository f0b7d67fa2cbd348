#include "core/export/PayrollExport.h"

#include <QSaveFile>

#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/export/CsvPayrollFile.h"
#include "core/export/LodasPayrollFile.h"
#include "core/export/LugPayrollFile.h"
#include "core/export/PayrollMonth.h"

namespace tk {

namespace {

const std::pair<const char *, PayrollFormat> FormatNames[] = {
    {"csv", PayrollFormat::Csv}, {"lodas", PayrollFormat::Lodas}, {"lug", PayrollFormat::Lug}};

PayrollMonth readMonth(PayrollFormat format, int month, int year)
{
    PayrollMonth payroll;
    payroll.month = month;
    payroll.year = year;
    payroll.settings = PayrollSettings::read();
    if (format != PayrollFormat::Csv)
        payroll.settings.requireForPayroll();
    QStringList failures;
    for (const PayrollRow &row : PayrollOfMonth(month, year)) {
        if (row.error.isEmpty())
            payroll.rows << row;
        else
            failures << row.label + QStringLiteral(": ") + row.error;
    }
    if (!failures.isEmpty())
        throw UserError(QStringLiteral("Export nicht möglich:\n")
                        + failures.join(QLatin1Char('\n')));
    return payroll;
}

QByteArray fileOf(PayrollFormat format, const PayrollMonth &month)
{
    switch (format) {
    case PayrollFormat::Lodas:
        return LodasPayrollFile(month);
    case PayrollFormat::Lug:
        return LugPayrollFile(month);
    default:
        return CsvPayrollFile(month);
    }
}

void writeWhole(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw UserError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                            .arg(path, file.errorString()));
}

} // namespace

bool ParsePayrollFormat(const QString &text, PayrollFormat *format)
{
    for (const auto &[name, value] : FormatNames) {
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            *format = value;
            return true;
        }
    }
    return false;
}

QString PayrollFormatName(PayrollFormat format)
{
    for (const auto &[name, value] : FormatNames) {
        if (value == format)
            return QLatin1String(name);
    }
    return QString();
}

QStringList ExportPayroll(PayrollFormat format, int month, int year, const QString &path)
{
    const PayrollMonth payroll = readMonth(format, month, year);
    writeWhole(path, fileOf(format, payroll));
    QStringList lines;
    for (const PayrollRow &row : payroll.rows) {
        lines << QStringLiteral("%1: %2 – %3%4")
                     .arg(row.label, GermanDateText(row.value.period.from),
                          GermanDateText(row.value.period.to),
                          row.value.closed ? QStringLiteral(", abgeschlossen")
                                           : QStringLiteral(", nicht abgeschlossen"));
    }
    return lines;
}

} // namespace tk
