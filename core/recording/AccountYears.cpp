#include "core/recording/AccountYears.h"

#include <cmath>

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/TimeAccount.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

namespace {

constexpr qint64 BalanceLimit = 100000LL * 60; // minutes
constexpr double MostDays = 366;

void checkDays(Table &zeitkonto, const char *field, const QString &caption, bool mayBeNegative)
{
    const Field value = zeitkonto.field(QLatin1String(field));
    if (value.isNull())
        return;
    const double days = value.asFloat();
    const bool halfDays = std::isfinite(days) && std::fabs(days * 2 - std::round(days * 2)) < 1e-9;
    if (!halfDays)
        throw UserError(caption + QStringLiteral(": nur ganze und halbe Tage sind möglich."));
    if (std::fabs(days) > MostDays || (!mayBeNegative && days < 0))
        throw UserError(
            caption + QStringLiteral(": %1 Tage sind nicht möglich.").arg(AccountDaysText(days)));
}

} // namespace

void CheckAccountYear(Table &zeitkonto)
{
    const int year = zeitkonto.field(QStringLiteral("Jahr")).asInteger();
    if (year < 1900 || year > 2100)
        throw UserError(QStringLiteral("Das Jahr %1 ist nicht möglich (1900 bis 2100).").arg(year));
    bool fits = true;
    const qint64 balance =
        Field::largeInt(zeitkonto.field(QStringLiteral("SaldoVortrag")).value(), &fits);
    if (!fits || balance > BalanceLimit || balance < -BalanceLimit)
        throw UserError(
            QStringLiteral("Saldo Vortrag: mehr als 100000 Stunden sind nicht möglich."));
    checkDays(zeitkonto, "Urlaubsanspruch", QStringLiteral("Urlaubsanspruch"), false);
    checkDays(zeitkonto, "UrlaubVortrag", QStringLiteral("Urlaub Vortrag"), true);
}

YearCarry CarryIntoYear(int personalNummer, int year)
{
    YearCarry carry;
    Query query;
    query.setSql(QStringLiteral(
        "SELECT Urlaubsanspruch FROM Zeitkonto WHERE PersonalNummer = ? AND Jahr = ?"));
    query.open({personalNummer, year - 1});
    // a year before the account was kept carries nothing: its days were never recorded
    if (query.rowCount() == 0)
        return carry;
    carry.entitlement = query.value(0, 0).toDouble();

    TimeRecordingTables tables;
    tables.open();
    if (!tables.personal.findKey({personalNummer}))
        throw DbError(QStringLiteral("Personal-Nr. %1 ist nicht vorhanden.").arg(personalNummer));
    const AccountFigures december = AccountOf(tables, 12, year - 1);
    carry.balance = december.balance();
    carry.vacation = december.remaining();
    return carry;
}

} // namespace tk
