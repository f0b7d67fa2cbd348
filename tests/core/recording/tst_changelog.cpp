// The change log the database keeps: one row per changed field, the program's user and
// workstation, nothing for recalculated sums, empty names for writes from outside, and rows
// that cannot be changed.
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTextStream>

#include "core/db/Database.h"
#include "core/db/SessionStamp.h"
#include "core/db/Table.h"
#include "core/recording/ChangeLog.h"
#include "core/recording/DaySheet.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/PeriodSelection.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

// "Tabelle Schluessel Feld: Alt -> Neu" per row, in order.
QStringList described(const QVector<ChangeRow> &rows)
{
    QStringList lines;
    for (const ChangeRow &row : rows)
        lines << QStringLiteral("%1 %2 %3: %4 -> %5")
                     .arg(row.tabelle, row.schluessel, row.feld, row.altWert, row.neuWert);
    return lines;
}

QVector<ChangeRow> thisMonth(int employee = 0)
{
    const QDate today = QDate::currentDate();
    return ChangesOfMonth(today.month(), today.year(), employee);
}

QString directSql(const QString &sql)
{
    QSqlQuery query(Database::connection());
    return query.exec(sql) ? QString() : query.lastError().text();
}

} // namespace

class TestChangeLog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void employeeRowsAreLoggedFieldByField();
    void dayEntriesAndShiftPlanButNoSums();
    void writesFromOutsideHaveNoName();
    void logRowsCannotBeChanged();
    void commandLineLines();
};

void TestChangeLog::employeeRowsAreLoggedFieldByField()
{
    TempDataDir dir;
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    personal.open();
    personal.append();
    personal.field(QStringLiteral("PersonalNummer")).setAsInteger(7);
    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("Berger"));
    personal.post();
    personal.edit();
    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("Berger-Lang"));
    personal.field(QStringLiteral("BruttoLohn")).setAsFloat(12.5);
    personal.post();
    personal.remove();
    const QVector<ChangeRow> rows = thisMonth();
    QCOMPARE(described(rows),
             QStringList({"Personal 7 PersonalNummer:  -> 7", "Personal 7 Name:  -> Berger",
                          "Personal 7 Name: Berger -> Berger-Lang",
                          "Personal 7 BruttoLohn:  -> 12.5", "Personal 7 PersonalNummer: 7 -> ",
                          "Personal 7 Name: Berger-Lang -> ", "Personal 7 BruttoLohn: 12.5 -> "}));
    for (const ChangeRow &row : rows) {
        QCOMPARE(row.benutzer, SessionUser());
        QCOMPARE(row.arbeitsplatz, SessionWorkstation());
        QVERIFY(row.zeitpunkt.startsWith(QDate::currentDate().toString(Qt::ISODate)));
    }
}

// An entry stored through the day sheet is logged with its day; the evaluation's new sums are
// not; another shift plan for the day is.
void TestChangeLog::dayEntriesAndShiftPlanButNoSums()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addShiftPlan(2, QStringLiteral("Spät"));
    addEmployee(10, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    const int before = thisMonth().size();
    RecordingTables tables;
    tables.selectEmployee(10);
    SelectEvaluationPeriod(tables.evaluation, 3, 2024);
    QVERIFY(tables.auswert.findKey({10, QDate(2024, 3, 4)}));
    DaySheet sheet(tables.evaluation);
    sheet.AppendEntry({420, 960, QStringLiteral("N")});
    QVERIFY(sheet.ChangeShiftPlan(2));
    QString ignored;
    QTextStream sink(&ignored);
    QCOMPARE(RecalcMonth(3, 2024, sink), 0);
    const QVector<ChangeRow> day = ChangesOfDay(10, QDate(2024, 3, 4));
    QCOMPARE(
        described(day),
        QStringList({"AuswPos 10;2024-03-04 PersonalNummer:  -> 10",
                     "AuswPos 10;2024-03-04 Datum:  -> 2024-03-04",
                     "AuswPos 10;2024-03-04 Von:  -> 420", "AuswPos 10;2024-03-04 Bis:  -> 960",
                     "AuswPos 10;2024-03-04 Summe:  -> 540", "AuswPos 10;2024-03-04 Kennung:  -> N",
                     "auswert 10;2024-03-04 Schicht: 1 -> 2"}));
    QCOMPARE(thisMonth().size() - before, day.size()); // creating the days logs nothing
    for (const ChangeRow &row : thisMonth(10))         // the employee row and its day
        QVERIFY(row.schluessel == QLatin1String("10")
                || row.schluessel.startsWith("10;2024-03-04"));
    QCOMPARE(thisMonth(11).size(), 0);
}

void TestChangeLog::writesFromOutsideHaveNoName()
{
    TempDataDir dir;
    addEmployee(10, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    // another connection, as sqlite3 or psql
    TempDataDir::execElsewhere(QStringLiteral("UPDATE Personal SET Vorname = 'Eve'"));
    const ChangeRow outside = thisMonth(10).last();
    QCOMPARE(outside.feld, QStringLiteral("Vorname"));
    QCOMPARE(outside.altWert, QStringLiteral("Eva"));
    QCOMPARE(outside.neuWert, QStringLiteral("Eve"));
    QCOMPARE(outside.benutzer, QString());
    QCOMPARE(outside.arbeitsplatz, QString());
}

void TestChangeLog::logRowsCannotBeChanged()
{
    TempDataDir dir;
    addEmployee(10, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    const int rows = sqlValue(QStringLiteral("SELECT count(*) FROM Protokoll")).toInt();
    QVERIFY(rows > 0);
    for (const char *sql : {"UPDATE Protokoll SET NeuWert = 'x'", "DELETE FROM Protokoll"}) {
        QVERIFY2(
            directSql(QLatin1String(sql))
                .contains(QStringLiteral("Das Änderungsprotokoll kann nicht geändert werden.")),
            sql);
    }
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Protokoll")).toInt(), rows);
}

void TestChangeLog::commandLineLines()
{
    QString text;
    QTextStream out(&text);
    WriteChanges({{"2024-03-04T10:00:00", "eva", "pc1", "Abschluss", "10;2024-03", "Monat",
                   "abgeschlossen", "offen", "Fehler; \"nachgereicht\""}},
                 out);
    QCOMPARE(text,
             QStringLiteral("Zeitpunkt;Benutzer;Arbeitsplatz;Tabelle;Schluessel;Feld;"
                            "AltWert;NeuWert;Grund\n2024-03-04T10:00:00;eva;pc1;Abschluss;"
                            "\"10;2024-03\";Monat;abgeschlossen;offen;\"Fehler; "
                            "\"\"nachgereicht\"\"\"\n"));
}

QTEST_GUILESS_MAIN(TestChangeLog)
#include "tst_changelog.moc"
