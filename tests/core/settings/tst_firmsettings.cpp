#include <QTest>

#include "core/calendar/HolidayCalendar.h"
#include "core/db/Table.h"
#include "core/settings/FirmSettings.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

class TestFirmSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void valuesAreStoredChangedAndRemoved();
    void calendarFollowsTheState();
};

void TestFirmSettings::valuesAreStoredChangedAndRemoved()
{
    TempDataDir dir;
    QCOMPARE(FirmSettings::state(), QString());
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("by"));
    QCOMPARE(FirmSettings::state(), QStringLiteral("BY"));
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("SN"));
    QCOMPARE(FirmSettings::value(QStringLiteral("Bundesland")), QStringLiteral("SN"));
    Query rows;
    rows.setSql(QStringLiteral("SELECT count(*) FROM Einstellung"));
    rows.open();
    QCOMPARE(rows.value(0, 0).toInt(), 1); // changed in place, not added
    FirmSettings::setValue(QStringLiteral("Bundesland"), QString());
    QCOMPARE(FirmSettings::state(), QString());
    rows.open();
    QCOMPARE(rows.value(0, 0).toInt(), 0);
}

void TestFirmSettings::calendarFollowsTheState()
{
    HolidayCalendar calendar;
    QCOMPARE(calendar.nameOf(QDate(2026, 1, 6)), QString());
    QCOMPARE(calendar.nameOf(QDate(2026, 12, 25)), QStringLiteral("1. Weihnachtstag"));
    calendar.setState(QStringLiteral("BY"));
    QCOMPARE(calendar.nameOf(QDate(2026, 1, 6)), QStringLiteral("Heilige Drei Könige"));
    QCOMPARE(calendar.nameOf(QDate(2026, 1, 7)), QString());
    QCOMPARE(calendar.nameOf(QDate(1989, 12, 25)), QString()); // before the years known
    calendar.setState(QStringLiteral("XX")); // an unknown code stored elsewhere: nationwide
    QCOMPARE(calendar.nameOf(QDate(2026, 1, 6)), QString());
    QCOMPARE(calendar.nameOf(QDate(2026, 1, 1)), QStringLiteral("Neujahr"));
}

QTEST_GUILESS_MAIN(TestFirmSettings)
#include "tst_firmsettings.moc"
