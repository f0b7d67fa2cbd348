// Replacing a day's entries is all or nothing: a failure half-way must leave the stored
// entries and the day's sums as they were, and the tables showing them.

#include <QSqlQuery>
#include <QTest>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/DaySheet.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

int storedEntryCount(const QDate &day)
{
    QSqlQuery q(Database::connection());
    q.prepare(
        QStringLiteral("SELECT count(*) FROM AuswPos WHERE PersonalNummer = 1 AND Datum = ?"));
    q.addBindValue(day.toString(Qt::ISODate));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

} // namespace

class TestDaySheetReplace : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failureHalfWayKeepsTheOldEntries();
    void successReplacesAndReevaluates();

private:
    const QDate m_day{2001, 3, 5}; // a Monday
};

void TestDaySheetReplace::failureHalfWayKeepsTheOldEntries()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addDayRecord(1, m_day, 1, 480, 0);
    addExampleEntries(1, m_day);
    TempDataDir::refuseWrites(QStringLiteral("refuse"), QStringLiteral("BEFORE INSERT ON AuswPos"),
                              QStringLiteral("NEW.Von = 1000"), QStringLiteral("voll"));
    RecordingTables t;
    t.restrictDays(1, m_day, m_day);
    t.evaluation.EvaluateDay(1, m_day);
    const StoredDay before = storedDay(1, m_day);
    QCOMPARE(before.summe.toInt(), 615);

    DaySheet sheet(t.evaluation);
    QVERIFY_THROWS_EXCEPTION(DbError,
                             sheet.ReplaceDayEntries({{480, 600, QStringLiteral("N")},
                                                      {1000, 1100, QStringLiteral("N")}}));
    QCOMPARE(storedEntryCount(m_day), 3);
    QCOMPARE(storedDay(1, m_day).summe.toInt(), 615);
    QCOMPARE(t.auswPos.recordCount(), 3);
    QCOMPARE(t.auswPos.state(), Table::State::Browse);
    t.auswPos.first();
    QCOMPARE(t.auswPos.field(QStringLiteral("Von")).asInteger(), 420);
}

void TestDaySheetReplace::successReplacesAndReevaluates()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addDayRecord(1, m_day, 1, 480, 0);
    addExampleEntries(1, m_day);
    RecordingTables t;
    t.restrictDays(1, m_day, m_day);
    DaySheet sheet(t.evaluation);
    sheet.ReplaceDayEntries({{480, 600, QStringLiteral("N")}, {700, 650, QStringLiteral("K")}});
    QCOMPARE(storedEntryCount(m_day), 1);
    const StoredDay after = storedDay(1, m_day);
    QCOMPARE(after.summe.toInt(), 120 - 15); // break 1 lies inside the entry
    QCOMPARE(after.anwesend.toInt(), 105);
}

QTEST_MAIN(TestDaySheetReplace)
#include "tst_daysheetreplace.moc"
