#include "core/recording/TimeRecordingTables.h"

namespace tk {

TimeRecordingTables::TimeRecordingTables()
    : personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"))
    , auswert(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"))
    , auswPos(QStringLiteral("AuswPos"), QStringLiteral("PersonalNummer;Datum"))
    , tagplan(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"))
    , evaluation(&personal, &auswert, &auswPos, &tagplan)
{
    personal.setReadOnly(true);
    // The entries follow the current day record, so lifting a day's restriction reads one
    // day again and not the whole table.
    const QStringList link{QStringLiteral("PersonalNummer"), QStringLiteral("Datum")};
    auswPos.setMaster(&auswert, link, link);
}

void TimeRecordingTables::open()
{
    personal.open();
    auswert.openEmpty();
    auswPos.open();
    tagplan.open();
}

void TimeRecordingTables::restrictDays(int personalNummer, const QDate &from, const QDate &to)
{
    auswert.setRange({personalNummer, from}, {personalNummer, to});
}

} // namespace tk
