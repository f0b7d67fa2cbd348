// The change signal of the table layer: one announcement per changed table, after the
// writes, and tables that follow it re-read their rows unless they are being edited.
#include <QSignalSpy>
#include <QtTest>

#include "core/db/Database.h"
#include "core/db/DayPlanCopy.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

void addEmployee(Table &personal, int number, const QString &name)
{
    personal.append();
    personal.field(QStringLiteral("PersonalNummer")).setAsInteger(number);
    personal.field(QStringLiteral("Name")).setAsString(name);
    personal.post();
}

QStringList announced(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &call : spy)
        names << call.first().toString();
    names.sort();
    return names;
}

} // namespace

class TstTableChanges : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesAreAnnouncedOncePerTable();
    void followingTableReReadsUnlessEdited();
};

void TstTableChanges::writesAreAnnouncedOncePerTable()
{
    TempDataDir dir;
    QSignalSpy spy(&TableChanges::instance(), &TableChanges::tableChanged);
    Table personal(QStringLiteral("personal.db"), QStringLiteral("PersonalNummer"));
    personal.open();
    {
        WriteBatch batch;
        for (int number = 1; number <= 3; ++number)
            addEmployee(personal, number, QStringLiteral("Name %1").arg(number));
        QCOMPARE(spy.count(), 0); // nothing while the batch is still open
        batch.commit();
    }
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(announced(spy), QStringList{QStringLiteral("Personal")});

    // Browsing and a cancelled edit change nothing.
    spy.clear();
    personal.first();
    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("X"));
    personal.cancel();
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);

    // A deletion and a copied day plan are changes of their tables.
    personal.remove();
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan, Von) VALUES (1, 1, 360)"));
    TempDataDir::exec(QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan) VALUES (1, 2)"));
    copyDayPlan(1, 1, {2});
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(announced(spy), QStringList({QStringLiteral("Personal"), QStringLiteral("Tagplan")}));
}

void TstTableChanges::followingTableReReadsUnlessEdited()
{
    TempDataDir dir;
    Table writer(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    writer.open();
    addEmployee(writer, 1, QStringLiteral("Berger"));
    addEmployee(writer, 2, QStringLiteral("Mayer"));
    Table reader(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    reader.open();
    TableChanges::follow(&reader);
    reader.last();

    addEmployee(writer, 3, QStringLiteral("Neu"));
    QTRY_COMPARE(reader.recordCount(), 3);
    QCOMPARE(reader.field(QStringLiteral("PersonalNummer")).asInteger(), 2); // stays current

    // An edit in progress is neither stored nor lost by a change elsewhere.
    reader.field(QStringLiteral("Name")).setAsString(QStringLiteral("Mayr"));
    addEmployee(writer, 4, QStringLiteral("Vier"));
    QTest::qWait(20);
    QVERIFY(reader.isEditing());
    QCOMPARE(reader.recordCount(), 3);
    QCOMPARE(reader.field(QStringLiteral("Name")).asString(), QStringLiteral("Mayr"));
}

QTEST_MAIN(TstTableChanges)
#include "tst_tablechanges.moc"
