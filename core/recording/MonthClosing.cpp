#include "core/recording/MonthClosing.h"

#include <QDateTime>
#include <QTextStream>

#include "core/common/ClockText.h"
#include "core/db/Database.h"
#include "core/db/SessionStamp.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "core/recording/MonthSheetCounters.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

namespace {

QString monthKey(int month, int year)
{
    return QStringLiteral("%1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
}

std::optional<ClosedPeriod> firstClosed(const QString &condition, const QVariantList &binds)
{
    Query query;
    query.setSql(QStringLiteral("SELECT PersonalNummer, Monat, Von, Bis FROM Abschluss WHERE ")
                 + condition + QStringLiteral(" ORDER BY Von"));
    query.open(binds);
    if (query.rowCount() == 0)
        return std::nullopt;
    ClosedPeriod closed;
    closed.personalNummer = query.value(0, 0).toInt();
    closed.monat = query.value(0, 1).toString();
    closed.period = {StoredDate(query.value(0, 2)), StoredDate(query.value(0, 3))};
    return closed;
}

// Re-evaluates the current employee's period and stores it as closed, in one transaction.
void closeCurrent(TimeRecordingTables &tables, int month, int year, const DatePeriod &period)
{
    const int number = EmployeeNumber(tables.personal);
    retryTransaction(RetryOn::ConcurrentWrite, [&] {
        tables.auswert.cancel();
        tables.auswPos.cancel();
        WriteBatch batch(WriteBatch::AllOrNothing);
        tables.restrictDays(number, period.from, period.to);
        // the first pass creates the missing days, the second evaluates them too
        tables.evaluation.EvaluatePeriod(1, period.from, period.to);
        tables.evaluation.EvaluatePeriod(1, period.from, period.to);
        using C = MonthSheetCounters;
        const C::Values sums = C::periodTotals(tables.auswert);
        Query insert;
        insert.setSql(QStringLiteral(
            "INSERT INTO Abschluss (PersonalNummer, Monat, Von, Bis, AbgeschlossenAm, "
            "AbgeschlossenVon, Soll, Gesamt, Anwesend, Krank, Urlaub, Feiertag, Unbezahlt) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.execute({number, monthKey(month, year), period.from, period.to,
                        QDateTime::currentDateTime().toString(Qt::ISODate), SessionUser(),
                        sums[C::Soll], sums[C::Gesamt], sums[C::Ist], sums[C::Krank],
                        sums[C::Urlaub], sums[C::Feiertag], sums[C::Unbezahlt]});
        batch.commit();
    });
}

} // namespace

PeriodClosedError::PeriodClosedError(const ClosedPeriod &closed)
    : UserError(QStringLiteral("Der Zeitraum %1 – %2 ist für Personal-Nr. %3 abgeschlossen.")
                    .arg(GermanDateText(closed.period.from), GermanDateText(closed.period.to))
                    .arg(closed.personalNummer))
{
}

std::optional<ClosedPeriod> ClosedPeriodAt(int personalNummer, const QDate &date)
{
    return ClosedPeriodWithin(personalNummer, {date, date});
}

std::optional<ClosedPeriod> ClosedPeriodWithin(int personalNummer, const DatePeriod &period)
{
    return firstClosed(QStringLiteral("PersonalNummer = ? AND Von <= ? AND Bis >= ?"),
                       {personalNummer, period.to, period.from});
}

void RequireOpenDay(int personalNummer, const QDate &date)
{
    if (const auto closed = ClosedPeriodAt(personalNummer, date))
        throw PeriodClosedError(*closed);
}

void RequireOpenPeriod(int personalNummer, const DatePeriod &period)
{
    if (const auto closed = ClosedPeriodWithin(personalNummer, period))
        throw PeriodClosedError(*closed);
}

int CloseMonth(int month, int year, int onlyEmployee, QTextStream &out)
{
    TimeRecordingTables tables;
    tables.open();
    return ForEachEmployee(tables.personal, onlyEmployee, out, [&](int number) {
        const DatePeriod period = CurrentEvaluationPeriod(&tables.personal, month, year);
        const QString label = EmployeeLabel(tables.personal);
        const QString dates =
            GermanDateText(period.from) + QStringLiteral(" – ") + GermanDateText(period.to);
        if (const auto closed = ClosedPeriodWithin(number, period)) {
            if (closed->monat != monthKey(month, year))
                throw PeriodClosedError(*closed);
            out << label << QStringLiteral(": %1 war bereits abgeschlossen").arg(dates) << '\n';
            return;
        }
        closeCurrent(tables, month, year, period);
        out << label << QStringLiteral(": %1 abgeschlossen").arg(dates) << '\n';
    });
}

void ReopenMonth(int month, int year, int personalNummer, const QString &reason)
{
    if (reason.trimmed().isEmpty())
        throw UserError(QStringLiteral("Zum Wiederöffnen ist ein Grund nötig."));
    const QString key = monthKey(month, year);
    if (!firstClosed(QStringLiteral("PersonalNummer = ? AND Monat = ?"), {personalNummer, key}))
        throw UserError(
            QStringLiteral("Der Zeitraum des Monats %1 ist für Personal-Nr. %2 nicht "
                           "abgeschlossen.")
                .arg(QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year))
                .arg(personalNummer));
    const ChangeReason why(reason.trimmed()); // the change log keeps it with the reopening
    retryTransaction(RetryOn::Conflict, [&] {
        WriteBatch batch(WriteBatch::AllOrNothing);
        Query remove;
        remove.setSql(
            QStringLiteral("DELETE FROM Abschluss WHERE PersonalNummer = ? AND Monat = ?"));
        remove.execute({personalNummer, key});
        batch.commit();
        TableChanges::noteChanged(QStringLiteral("Abschluss"));
    });
}

} // namespace tk
