#include "tests/support/TimeRecordingData.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include "core/db/Database.h"
#include "tests/support/TempDataDir.h"

namespace tk::test {

void RecordingTables::selectEmployee(int personalNummer)
{
    QVERIFY(personal.findKey({personalNummer}));
}

void RecordingTables::restrictMonth(int personalNummer, int month, int year)
{
    const QDate first(year, month, 1);
    restrictDays(personalNummer, first, first.addMonths(1).addDays(-1));
}

namespace {

QVariant isoDate(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

void addEmployee(int personalNummer, const QString &vorname, const QString &name,
                 const QVariant &shiftPlan, const QVariant &auswertBegin)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, Vorname, Name, Schicht, "
                       "AuswertBegin, BruttoLohn) VALUES (?, ?, ?, ?, ?, 12.5)"),
        {personalNummer, vorname, name, shiftPlan, auswertBegin});
}

void addShiftPlan(int shiftPlan, const QString &designation)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (?, ?)"),
        {shiftPlan, designation});
}

void addDayPlan(int shiftPlan, int dayPlan, const DayPlanTimes &t)
{
    static const char *labels[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So", "FT"};
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan, Bezeichnung, Sollstd, Von, "
                       "Bis, PauseVon1, PauseBis1, PauseVon2, PauseBis2, PauseVon3, PauseBis3) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {shiftPlan, dayPlan, QString::fromLatin1(labels[(dayPlan - 1) % 8]), t.sollstd, t.von,
         t.bis, t.pauseVon1, t.pauseBis1, t.pauseVon2, t.pauseBis2, t.pauseVon3, t.pauseBis3});
}

void addExampleShiftPlan(int shiftPlan)
{
    addShiftPlan(shiftPlan, QStringLiteral("Frühschicht"));
    addDayPlan(shiftPlan, 1, {480, 420, 960, 540, 555, 720, 750, 0, 0});
    for (int day = 2; day <= 8; ++day)
        addDayPlan(shiftPlan, day, {});
}

void addEntry(int personalNummer, const QDate &date, int von, int bis, const QVariant &kennung)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, Summe, Kennung) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {personalNummer, isoDate(date), von, bis, bis - von, kennung});
}

void addExampleEntries(int personalNummer, const QDate &date)
{
    addEntry(personalNummer, date, 420, 735, QStringLiteral("N"));
    addEntry(personalNummer, date, 740, 960, QStringLiteral("N"));
    addEntry(personalNummer, date, 960, 1080, QStringLiteral("U"));
}

void addDayRecord(int personalNummer, const QDate &date, const QVariant &shiftPlan,
                  const QVariant &soll, const QVariant &summe)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, Summe) "
                       "VALUES (?, ?, ?, ?, ?)"),
        {personalNummer, isoDate(date), shiftPlan, soll, summe});
}

void addStaffWithEntries(int count, const QDate &month)
{
    TempDataDir::exec(QStringLiteral("BEGIN"), {});
    addExampleShiftPlan(1);
    for (int number = 1; number <= count; ++number) {
        addEmployee(number, QStringLiteral("Vorname %1").arg(number),
                    QStringLiteral("Name %1").arg(number), 1, 1);
        for (int day = 0; day < month.daysInMonth(); ++day) {
            const QDate date = month.addDays(day);
            if (date.dayOfWeek() > 5)
                continue;
            addEntry(number, date, 420 + number % 30, 720, QStringLiteral("N"));
            addEntry(number, date, 750, 960 + number % 60, QStringLiteral("N"));
        }
    }
    TempDataDir::exec(QStringLiteral("COMMIT"), {});
}

StoredDay storedDay(int personalNummer, const QDate &date)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("SELECT Schicht, Soll, Summe, Anwesend, Krank, Urlaub, Feiertag, "
                             "Unbezahlt FROM auswert WHERE PersonalNummer = ? AND Datum = ?"));
    q.addBindValue(personalNummer);
    q.addBindValue(isoDate(date));
    StoredDay day;
    if (!q.exec() || !q.next())
        return day;
    day.exists = true;
    QVariant *fields[] = {&day.schicht, &day.soll,   &day.summe,    &day.anwesend,
                          &day.krank,   &day.urlaub, &day.feiertag, &day.unbezahlt};
    for (int i = 0; i < 8; ++i) {
        const QVariant v = q.value(i);
        *fields[i] = v.isNull() ? QVariant() : QVariant(v.toInt());
    }
    return day;
}

int countDayRecords(int personalNummer, const QDate &from, const QDate &to)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("SELECT count(*) FROM auswert WHERE PersonalNummer = ? AND "
                             "Datum BETWEEN ? AND ?"));
    q.addBindValue(personalNummer);
    q.addBindValue(isoDate(from));
    q.addBindValue(isoDate(to));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

int countDayRecords(int personalNummer)
{
    return countDayRecords(personalNummer, QDate(1, 1, 1), QDate(9999, 12, 31));
}

} // namespace tk::test
