#include <QTest>
#include <QTextStream>

#include "core/recording/MonthRecalc.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate Monday(2024, 3, 4);
const QDate Sunday(2024, 3, 10);

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestMonthRecalc : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reproducesTheWorkedExample();
    void reportsAFailedEmployeeAndGoesOn();
    void namesArePrintedLiterally();
};

void TestMonthRecalc::reproducesTheWorkedExample()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    // Monday was created before its entries were typed; Sunday never existed.
    addDayRecord(1, Monday, 1, 0, 0);
    addExampleEntries(1, Monday);
    addExampleEntries(1, Sunday);

    QString text;
    QTextStream out(&text);
    QCOMPARE(RecalcMonth(3, 2024, out), 0);
    out.flush();
    QCOMPARE(lines(text),
             QStringList{QStringLiteral("Personal-Nr. 1 (Hans Müller): 01.03.2024 bis "
                                        "31.03.2024, 30 angelegt, 1 neu berechnet")});
    QCOMPARE(countDayRecords(1), 31);
    const StoredDay monday = storedDay(1, Monday);
    QCOMPARE(monday.soll, QVariant(480));
    QCOMPARE(monday.summe, QVariant(615));
    QCOMPARE(monday.anwesend, QVariant(495));
    QCOMPARE(monday.urlaub, QVariant(120));
    QCOMPARE(monday.krank, QVariant(0));
    QCOMPARE(monday.feiertag, QVariant(0));
    QCOMPARE(monday.unbezahlt, QVariant(0));
    // Sunday was only created by this run: created records are not evaluated yet.
    QCOMPARE(storedDay(1, Sunday).summe, QVariant(0));
    QVERIFY(storedDay(1, Sunday).anwesend.isNull());

    // The month-end run again: now every day is re-evaluated.
    text.clear();
    QCOMPARE(RecalcMonth(3, 2024, out), 0);
    const StoredDay sunday = storedDay(1, Sunday);
    QCOMPARE(sunday.soll, QVariant(0));
    QCOMPARE(sunday.summe, QVariant(655));
    QCOMPARE(sunday.anwesend, QVariant(535));
    QCOMPARE(sunday.urlaub, QVariant(120));
    QCOMPARE(storedDay(1, QDate(2024, 3, 5)).anwesend, QVariant(0));
}

void TestMonthRecalc::reportsAFailedEmployeeAndGoesOn()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(3, QStringLiteral("Karl"), QStringLiteral("Weber"), 1, 1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 16);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 31);
    QString text;
    QTextStream out(&text);
    QCOMPARE(RecalcMonth(2, 2024, out), 1);
    out.flush();
    const QStringList report = lines(text);
    QCOMPARE(report.size(), 3);
    QVERIFY(report.at(0).startsWith(QStringLiteral("Personal-Nr. 1 (Hans Müller): 16.02.2024 bis "
                                                   "15.03.2024, 29 angelegt")));
    QCOMPARE(report.at(1),
             QStringLiteral("Personal-Nr. 2 (Eva Schmidt): Ungültiges Argument zum "
                            "Codieren des Datums"));
    QVERIFY(report.at(2).startsWith(QStringLiteral("Personal-Nr. 3 (Karl Weber): 01.02.2024")));
    QCOMPARE(countDayRecords(1), 29);
    QCOMPARE(countDayRecords(2), 0);
    QCOMPARE(countDayRecords(3), 29);
}

// A name is printed as typed, also when it looks like a placeholder of the line's format.
void TestMonthRecalc::namesArePrintedLiterally()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("%1 %2"), QStringLiteral("%4 %9"), 1, 1);
    QString text;
    QTextStream out(&text);
    QCOMPARE(RecalcMonth(3, 2024, out), 0);
    out.flush();
    QCOMPARE(lines(text),
             QStringList{QStringLiteral("Personal-Nr. 1 (%1 %2 %4 %9): 01.03.2024 "
                                        "bis 31.03.2024, 31 angelegt, 0 neu "
                                        "berechnet")});
}

QTEST_MAIN(TestMonthRecalc)
#include "tst_monthrecalc.moc"
