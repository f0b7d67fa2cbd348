#include "core/recording/TimeAccount.h"

#include <QHash>
#include <QTextStream>

#include <cmath>

#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/EmployeeDays.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

namespace {

struct StoredDay
{
    qint64 soll = 0;
    qint64 summe = 0;
    qint64 urlaub = 0;
};

// The employee's day records from..to, by ISO date.
QHash<QString, StoredDay> storedDays(int personalNummer, const QDate &from, const QDate &to)
{
    const Query query =
        EmployeeDays(QStringLiteral("auswert"), QStringLiteral("Datum, Soll, Summe, Urlaub"),
                     personalNummer, from, to);
    QHash<QString, StoredDay> days;
    for (int row = 0; row < query.rowCount(); ++row) {
        StoredDay day;
        day.soll = Field::largeInt(query.value(row, 1));
        day.summe = Field::largeInt(query.value(row, 2));
        day.urlaub = Field::largeInt(query.value(row, 3));
        days.insert(query.value(row, 0).toString().left(10), day);
    }
    return days;
}

double halfDays(qint64 urlaub, qint64 soll)
{
    if (soll <= 0)
        return 0;
    return std::round(2.0 * double(urlaub) / double(soll)) / 2.0;
}

struct AccountYear
{
    qint64 saldoVortrag = 0;
    double entitlement = 0;
};

AccountYear accountYear(int personalNummer, int year)
{
    Query query;
    query.setSql(QStringLiteral("SELECT SaldoVortrag, Urlaubsanspruch, UrlaubVortrag FROM "
                                "Zeitkonto WHERE PersonalNummer = ? AND Jahr = ?"));
    query.open({personalNummer, year});
    AccountYear account;
    if (query.rowCount() > 0) {
        account.saldoVortrag = Field::largeInt(query.value(0, 0));
        account.entitlement = query.value(0, 1).toDouble() + query.value(0, 2).toDouble();
    }
    return account;
}

} // namespace

QString AccountHoursText(qint64 minutes)
{
    return FormatHours(MinutesToHours(minutes), QLocale(QLocale::German, QLocale::Germany));
}

QString AccountDaysText(double days)
{
    return QString::number(days, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString AccountLineText(const AccountFigures &figures)
{
    return QStringLiteral("Zeitkonto: Vortrag %1   Zeitraum %2   neu %3   Urlaub Rest %4 Tage")
        .arg(AccountHoursText(figures.carried), AccountHoursText(figures.period),
             AccountHoursText(figures.balance()), AccountDaysText(figures.remaining()));
}

AccountFigures AccountOf(TimeRecordingTables &tables, int month, int year)
{
    Table &personal = tables.personal;
    const int number = personal.field(QStringLiteral("PersonalNummer")).asInteger();
    const int shiftPlan = personal.field(QStringLiteral("Schicht")).asInteger();
    const QDate entry = personal.field(QStringLiteral("EintrittsDatum")).asDate();
    const QDate leaving = personal.field(QStringLiteral("AustrittsDatum")).asDate();
    const DatePeriod first = CurrentEvaluationPeriod(&personal, 1, year);
    const DatePeriod current = CurrentEvaluationPeriod(&personal, month, year);
    const QHash<QString, StoredDay> stored = storedDays(number, first.from, current.to);
    const AccountYear account = accountYear(number, year);

    AccountFigures figures;
    figures.carried = account.saldoVortrag;
    figures.entitlement = account.entitlement;
    for (QDate date = first.from; date <= current.to; date = date.addDays(1)) {
        if ((entry.isValid() && date < entry) || (leaving.isValid() && date > leaving))
            continue;
        const auto it = stored.constFind(IsoDateText(date));
        StoredDay day;
        if (it != stored.constEnd())
            day = *it;
        else
            day.soll = tables.evaluation.GetTargetMinutes(shiftPlan, date);
        const qint64 balance = day.summe - day.soll;
        const double vacation = halfDays(day.urlaub, day.soll);
        figures.taken += vacation;
        if (date < current.from) {
            figures.carried += balance;
            continue;
        }
        figures.periodTaken += vacation;
        figures.period += balance;
        figures.soll += day.soll;
        figures.gesamt += day.summe;
    }
    return figures;
}

QVector<PeriodBalance> BalanceHistory(int personalNummer, const QDate &today, int count)
{
    TimeRecordingTables tables;
    tables.open();
    if (!tables.personal.findKey({personalNummer}))
        throw DbError(QStringLiteral("Personal-Nr. %1 ist nicht vorhanden.").arg(personalNummer));
    QDate month(today.year(), today.month(), 1);
    while (CurrentEvaluationPeriod(&tables.personal, month.month(), month.year()).to >= today)
        month = month.addMonths(-1);
    QVector<PeriodBalance> history;
    for (QDate m = month.addMonths(1 - count); m <= month; m = m.addMonths(1)) {
        const AccountFigures figures = AccountOf(tables, m.month(), m.year());
        history.append({m.month(), m.year(), figures.period, figures.balance()});
    }
    return history;
}

QVector<EmployeeAccount> EmployeeAccounts(int month, int year, int onlyEmployee)
{
    TimeRecordingTables tables;
    tables.open();
    return EmployeeResults<AccountFigures>(tables.personal, onlyEmployee, [&] {
        tables.tagplan.refresh();
        return AccountOf(tables, month, year);
    });
}

int WriteAccounts(int month, int year, int onlyEmployee, QTextStream &out)
{
    out << QStringLiteral("PersonalNummer;Name;Vorname;Soll;Gesamt;Saldo Vortrag;Saldo Zeitraum;"
                          "Saldo neu;Urlaub Anspruch;Urlaub genommen;Urlaub Rest")
        << '\n';
    int failures = 0;
    for (const EmployeeAccount &account : EmployeeAccounts(month, year, onlyEmployee)) {
        if (!account.error.isEmpty()) {
            ++failures;
            out << account.label << QStringLiteral(": ") << account.error << '\n';
            continue;
        }
        const AccountFigures &f = account.value;
        out << QStringList{QString::number(account.number),
                           account.name,
                           account.vorname,
                           AccountHoursText(f.soll),
                           AccountHoursText(f.gesamt),
                           AccountHoursText(f.carried),
                           AccountHoursText(f.period),
                           AccountHoursText(f.balance()),
                           AccountDaysText(f.entitlement),
                           AccountDaysText(f.taken),
                           AccountDaysText(f.remaining())}
                   .join(QLatin1Char(';'))
            << '\n';
    }
    return failures;
}

} // namespace tk
