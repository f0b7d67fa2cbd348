#include "core/recording/OtherDayEntries.h"

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/DayEvaluation.h"

namespace tk {

QList<TimeEntry> entriesOfDay(int personalNummer, const QDate &date)
{
    Table entries(QStringLiteral("AuswPos"), QStringLiteral("PersonalNummer;Datum"));
    entries.openRange({personalNummer, date}, {personalNummer, date});
    QList<TimeEntry> stored;
    const int von = entries.fieldIndex(QStringLiteral("Von"));
    const int bis = entries.fieldIndex(QStringLiteral("Bis"));
    const int kennung = entries.fieldIndex(QStringLiteral("Kennung"));
    for (int row = 0; row < entries.recordCount(); ++row)
        stored << TimeEntry{entries.valueAt(row, von).toInt(), entries.valueAt(row, bis).toInt(),
                            entries.valueAt(row, kennung).toString()};
    return stored;
}

void appendEntryToDay(int personalNummer, const QDate &date, const TimeEntry &entry)
{
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    personal.open();
    if (!personal.findKey({personalNummer}))
        throw DbError(QStringLiteral("Mitarbeiter %1 nicht gefunden.").arg(personalNummer));
    const QStringList link{QStringLiteral("PersonalNummer"), QStringLiteral("Datum")};
    Table days(QStringLiteral("auswert"), link.join(QLatin1Char(';')));
    days.openRange({personalNummer, date}, {personalNummer, date});
    Table entries(QStringLiteral("AuswPos"), link.join(QLatin1Char(';')));
    entries.setMaster(&days, link, link);
    entries.open();
    Table dayPlans(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"));
    dayPlans.open();
    DayEvaluation evaluation(&personal, &days, &entries, &dayPlans);

    WriteBatch batch(WriteBatch::AllOrNothing);
    evaluation.EvaluateDay(0, date); // creates the day record when it is missing
    entries.append();
    entries.field(QStringLiteral("Von")).setAsInteger(entry.von);
    entries.field(QStringLiteral("Bis")).setAsInteger(entry.bis);
    entries.field(QStringLiteral("Summe")).setAsInteger(entry.bis - entry.von);
    entries.field(QStringLiteral("Kennung")).setAsString(entry.kennung);
    entries.post();
    evaluation.EvaluateDay(1, date);
    batch.commit();
}

} // namespace tk
