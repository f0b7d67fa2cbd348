// Closing an evaluation period: what it stores, everything that is refused afterwards (the
// program's runs and direct SQL alike), and reopening with a reason.
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTextStream>

#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/db/SessionStamp.h"
#include "core/export/PayrollExport.h"
#include "core/recording/DaySheet.h"
#include "core/recording/HolidayFill.h"
#include "core/recording/MonthClosing.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/PeriodSelection.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

// Eva (10) from the 16th, Jan (20) from the 1st, on the example plan (8:00 on Mondays with
// breaks): each worked Monday 04.03.2024 and 18.03.2024 07:00-16:00 (8:15 net).
void twoEmployees()
{
    addExampleShiftPlan(1);
    addEmployee(10, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 16);
    addEmployee(20, QStringLiteral("Jan"), QStringLiteral("Albers"), 1, 1);
    for (int number : {10, 20}) {
        for (int day : {4, 18})
            addEntry(number, QDate(2024, 3, day), 420, 960, QStringLiteral("N"));
    }
}

QStringList run(const std::function<int(QTextStream &)> &work, int *failures = nullptr)
{
    QString report;
    QTextStream out(&report);
    const int failed = work(out);
    if (failures)
        *failures = failed;
    out.flush();
    return report.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A statement around the program, as sqlite3 or psql would run it: its error, or empty.
QString directSql(const QString &sql)
{
    QSqlQuery query(Database::connection());
    return query.exec(sql) ? QString() : query.lastError().text();
}

const QString JanClosed =
    QStringLiteral("Der Zeitraum 01.03.2024 – 31.03.2024 ist für Personal-Nr. 20 abgeschlossen.");

} // namespace

class TestMonthClosing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void closingEvaluatesAndStoresTheSums();
    void closedPeriodRefusesTheRuns();
    void closedDaysRefuseTheDaySheet();
    void closedDaysRefuseDirectSql();
    void closingWithEmptyFieldsStillGuards();
    void reopeningNeedsAReasonAndIsLogged();
    void exportNamesClosedPeriods();

private:
    std::unique_ptr<TempDataDir> m_dir;
};

void TestMonthClosing::init()
{
    m_dir = std::make_unique<TempDataDir>();
    twoEmployees();
}

void TestMonthClosing::cleanup()
{
    m_dir.reset();
}

// No day record exists before: closing creates and evaluates them, then keeps the sums of the
// summary sheet's total row (the target only on days with time).
void TestMonthClosing::closingEvaluatesAndStoresTheSums()
{
    QCOMPARE(run([](QTextStream &out) { return CloseMonth(3, 2024, 20, out); }),
             QStringList({"Personal-Nr. 20 (Jan Albers): 01.03.2024 – 31.03.2024 abgeschlossen"}));
    QCOMPARE(countDayRecords(20, QDate(2024, 3, 1), QDate(2024, 3, 31)), 31);
    QCOMPARE(storedDay(20, QDate(2024, 3, 4)).summe.toInt(), 495);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Soll || ';' || Gesamt || ';' || Anwesend || ';' || "
                                     "Von || ';' || Bis FROM Abschluss WHERE PersonalNummer = 20"))
                 .toString(),
             QStringLiteral("960;990;990;2024-03-01;2024-03-31"));
    QCOMPARE(run([](QTextStream &out) { return CloseMonth(3, 2024, 0, out); }),
             QStringList({"Personal-Nr. 10 (Eva Berger): 16.03.2024 – 15.04.2024 abgeschlossen",
                          "Personal-Nr. 20 (Jan Albers): 01.03.2024 – 31.03.2024 war bereits "
                          "abgeschlossen"}));
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Abschluss")).toInt(), 2);
}

void TestMonthClosing::closedPeriodRefusesTheRuns()
{
    run([](QTextStream &out) { return CloseMonth(3, 2024, 20, out); });
    int failures = 0;
    const QStringList recalc =
        run([](QTextStream &out) { return RecalcMonth(3, 2024, out); }, &failures);
    QCOMPARE(failures, 1); // Jan is reported and left, Eva recalculated
    QVERIFY(recalc.at(0).startsWith(QStringLiteral("Personal-Nr. 10 (Eva Berger): 16.03.2024")));
    QCOMPARE(recalc.at(1), QStringLiteral("Personal-Nr. 20 (Jan Albers): ") + JanClosed);
    run([](QTextStream &out) { return FillHolidaysOfMonth(3, 2024, out); }, &failures);
    QCOMPARE(failures, 1);
    // April overlaps none of Jan's closed days; Eva's March period does not hold them either
    QCOMPARE(run([](QTextStream &out) { return RecalcMonth(4, 2024, out); }, &failures).size(), 2);
    QCOMPARE(failures, 0);
}

void TestMonthClosing::closedDaysRefuseTheDaySheet()
{
    run([](QTextStream &out) { return CloseMonth(3, 2024, 20, out); });
    RecordingTables tables;
    tables.selectEmployee(20);
    SelectEvaluationPeriod(tables.evaluation, 3, 2024); // creates nothing: all days exist
    QVERIFY(tables.auswert.findKey({20, QDate(2024, 3, 4)}));
    DaySheet sheet(tables.evaluation);
    QCOMPARE(userError([&] { sheet.AppendEntry({1000, 1100, QStringLiteral("N")}); }), JanClosed);
    QCOMPARE(userError([&] { sheet.ReplaceDayEntries({}); }), JanClosed);
    QCOMPARE(userError([&] { sheet.DeleteSelectedEntry(); }), JanClosed);
    QCOMPARE(userError([&] { sheet.ChangeShiftPlan(7); }), JanClosed);
    QCOMPARE(userError([&] { tables.evaluation.EvaluateDay(1, QDate(2024, 3, 4)); }), JanClosed);
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT count(*) FROM AuswPos WHERE PersonalNummer = 20")).toInt(),
        2);
}

// Around the program the database itself refuses; the other employee's days stay open.
void TestMonthClosing::closedDaysRefuseDirectSql()
{
    run([](QTextStream &out) { return CloseMonth(3, 2024, 20, out); });
    for (const char *sql :
         {"UPDATE AuswPos SET Von = 400 WHERE PersonalNummer = 20",
          "DELETE FROM AuswPos WHERE PersonalNummer = 20",
          "INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, Summe, Kennung) VALUES (20, "
          "'2024-03-05', 1, 2, 1, 'N')",
          "UPDATE auswert SET Summe = 0 WHERE PersonalNummer = 20",
          "DELETE FROM auswert WHERE PersonalNummer = 20",
          // moving an open day into the closed period
          "UPDATE AuswPos SET PersonalNummer = 20 WHERE PersonalNummer = 10"}) {
        const QString error = directSql(QLatin1String(sql));
        QVERIFY2(error.contains(QStringLiteral("abgeschlossen")), sql);
    }
    QCOMPARE(storedDay(20, QDate(2024, 3, 4)).summe.toInt(), 495);
    QCOMPARE(directSql(QStringLiteral("UPDATE AuswPos SET Von = 400 WHERE PersonalNummer = 10 "
                                      "AND Datum = '2024-03-04'")),
             QString());
}

// A closing written from outside with only its period (sums, time and user empty) guards its
// days too; a server that still has the guard which overlooked such rows gets the sound one
// from the upgrade.
void TestMonthClosing::closingWithEmptyFieldsStillGuards()
{
    TempDataDir::exec(QStringLiteral("INSERT INTO Abschluss (PersonalNummer, Monat, Von, Bis) "
                                     "VALUES (20, '2024-03', '2024-03-01', '2024-03-31')"));
    const QString sql = QStringLiteral("DELETE FROM AuswPos WHERE PersonalNummer = 20");
    QVERIFY(directSql(sql).contains(QStringLiteral("abgeschlossen")));
    if (!TempDataDir::onServer())
        return;
    TempDataDir::exec(QStringLiteral(
        "CREATE OR REPLACE FUNCTION taktora_closed_guard() RETURNS trigger LANGUAGE plpgsql AS "
        "$$ DECLARE r record; BEGIN SELECT * INTO r FROM Abschluss a WHERE a.PersonalNummer = "
        "OLD.PersonalNummer AND OLD.Datum BETWEEN a.Von AND a.Bis LIMIT 1; IF r IS NOT NULL "
        "THEN RAISE EXCEPTION 'abgeschlossen'; END IF; RETURN OLD; END $$"));
    TempDataDir::exec(QStringLiteral("UPDATE Schemastand SET Version = 6"));
    upgradeSchema();
    QCOMPARE(storedSchemaVersion(), schemaVersion());
    QVERIFY(directSql(sql).contains(QStringLiteral("abgeschlossen")));
}

void TestMonthClosing::reopeningNeedsAReasonAndIsLogged()
{
    run([](QTextStream &out) { return CloseMonth(3, 2024, 20, out); });
    QCOMPARE(userError([] { ReopenMonth(3, 2024, 20, QStringLiteral("  ")); }),
             QStringLiteral("Zum Wiederöffnen ist ein Grund nötig."));
    QCOMPARE(userError([] { ReopenMonth(3, 2024, 10, QStringLiteral("x")); }),
             QStringLiteral("Der Zeitraum des Monats 03/2024 ist für Personal-Nr. 10 nicht "
                            "abgeschlossen."));
    ReopenMonth(3, 2024, 20, QStringLiteral("Krankmeldung nachgereicht"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Abschluss")).toInt(), 0);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Tabelle || ';' || Schluessel || ';' || AltWert || "
                                     "';' || NeuWert || ';' || Grund FROM Protokoll WHERE Grund "
                                     "IS NOT NULL AND Grund <> ''"))
                 .toString(),
             QStringLiteral("Abschluss;20;2024-03;abgeschlossen;offen;Krankmeldung nachgereicht"));
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT Benutzer FROM Protokoll WHERE Grund <> ''")).toString(),
        SessionUser());
    int failures = 0;
    run([](QTextStream &out) { return RecalcMonth(3, 2024, out); }, &failures);
    QCOMPARE(failures, 0);
}

void TestMonthClosing::exportNamesClosedPeriods()
{
    run([](QTextStream &out) { return CloseMonth(3, 2024, 20, out); });
    const QStringList lines =
        ExportPayroll(PayrollFormat::Csv, 3, 2024, m_dir->path() + QStringLiteral("/m.csv"));
    QCOMPARE(lines,
             QStringList({"Personal-Nr. 10 (Eva Berger): 16.03.2024 – 15.04.2024, nicht "
                          "abgeschlossen",
                          "Personal-Nr. 20 (Jan Albers): 01.03.2024 – 31.03.2024, abgeschlossen"}));
}

QTEST_GUILESS_MAIN(TestMonthClosing)
#include "tst_monthclosing.moc"
