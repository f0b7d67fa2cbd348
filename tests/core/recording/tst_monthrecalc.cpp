#include <QTest>
#include <QTextStream>

#include "core/db/Database.h"
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
    void commandLine();
    void commandLineRefusesBadInput();
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

void TestMonthRecalc::commandLine()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addDayRecord(1, Monday, 1, 0, 0);
    addExampleEntries(1, Monday);
    const QStringList arguments{QStringLiteral("taktora"), QStringLiteral("--data-dir"), dir.path(),
                                QStringLiteral("--recalc"), QStringLiteral("2024-03")};
    QVERIFY(IsRecalcCommandLine(arguments));
    QVERIFY(!IsRecalcCommandLine(
        QStringList{QStringLiteral("taktora"), QStringLiteral("--data-dir"), dir.path()}));
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    QCOMPARE(RunRecalcCommandLine(arguments, out, err), 0);
    err.flush();
    QVERIFY2(errText.isEmpty(), qPrintable(errText));
    QCOMPARE(storedDay(1, Monday).summe, QVariant(615));
    QCOMPARE(storedDay(1, Monday).anwesend, QVariant(495));

    // An employee whose period cannot be formed makes the exit code non-zero.
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 0);
    QCOMPARE(RunRecalcCommandLine(arguments, out, err), 1);
}

void TestMonthRecalc::commandLineRefusesBadInput()
{
    TempDataDir dir;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const auto run = [&](const QString &dataDir, const QString &month) {
        errText.clear();
        return RunRecalcCommandLine({QStringLiteral("taktora"), QStringLiteral("--data-dir"),
                                     dataDir, QStringLiteral("--recalc"), month},
                                    out, err);
    };
    for (const QString &month : {QStringLiteral("2024-13"), QStringLiteral("2024"),
                                 QStringLiteral("03-2024"), QStringLiteral("1899-12"), QString()}) {
        QCOMPARE(run(dir.path(), month), 2);
        err.flush();
        QVERIFY(errText.contains(QStringLiteral("Ungültiger Monat")));
    }
    QCOMPARE(run(dir.filePath(QStringLiteral("fehlt")), QStringLiteral("2024-03")), 2);
    err.flush();
    QVERIFY(errText.contains(QStringLiteral("nicht vorhanden")));
    QCOMPARE(outText, QString());
}

QTEST_MAIN(TestMonthRecalc)
#include "tst_monthrecalc.moc"
