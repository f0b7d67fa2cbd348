// The checks of a typed time entry: order of Von and Bis, the split of a shift over
// midnight, overlapping entries, and the employee's master data on the entry's date.
#include <QtTest>

#include "core/recording/EntryRules.h"

using namespace tk;

namespace {

TimeEntry entry(int von, int bis, const QString &code = QStringLiteral("N"))
{
    return {von, bis, code};
}

} // namespace

class TstEntryRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void orderOfVonAndBis();
    void shiftOverMidnightSplitsAtTheDayEnd();
    void overlapsNameTheOtherEntry();
    void warningsFromTheMasterData();
    void planOfTheTypedEntries();
};

void TstEntryRules::orderOfVonAndBis()
{
    QCOMPARE(entryOrder(entry(420, 960)), EntryOrder::Forward);
    QCOMPARE(entryOrder(entry(1320, 1440)), EntryOrder::Forward); // up to midnight
    QCOMPARE(entryOrder(entry(480, 480)), EntryOrder::NotAfter);
    QCOMPARE(entryOrder(entry(0, 0)), EntryOrder::NotAfter);
    QCOMPARE(entryOrder(entry(1320, 360)), EntryOrder::OverMidnight);
    QCOMPARE(entryOrder(entry(300, 0)), EntryOrder::OverMidnight); // an emptied Bis
    QCOMPARE(notAfterText(entry(480, 480)),
             QStringLiteral("Bis 08:00 liegt nicht nach Von 08:00. Bitte die Zeiten prüfen."));
}

void TstEntryRules::shiftOverMidnightSplitsAtTheDayEnd()
{
    const MidnightSplit night = splitAtMidnight(entry(1320, 360, QStringLiteral("K")));
    QCOMPARE(night.thisDay.von, 1320);
    QCOMPARE(night.thisDay.bis, 1440);
    QVERIFY(night.hasNextDay);
    QCOMPARE(night.nextDay.von, 0);
    QCOMPARE(night.nextDay.bis, 360);
    QCOMPARE(night.nextDay.kennung, QStringLiteral("K"));
    QCOMPARE(night.thisDay.kennung, QStringLiteral("K"));
    // Ending at midnight leaves nothing for the next day.
    const MidnightSplit late = splitAtMidnight(entry(1080, 0));
    QCOMPARE(late.thisDay.bis, 1440);
    QVERIFY(!late.hasNextDay);
}

void TstEntryRules::overlapsNameTheOtherEntry()
{
    const QList<TimeEntry> day{entry(360, 480), entry(420, 960), entry(960, 1020, "U")};
    QCOMPARE(overlappingEntry(entry(480, 960), day), 1);
    QCOMPARE(overlappingEntry(entry(1020, 1080), day), -1); // touching is no overlap
    QCOMPARE(overlappingEntry(entry(300, 360), day), -1);
    QCOMPARE(overlappingEntry(entry(0, 1440), day), 0);
    QCOMPARE(overlappingEntry(entry(970, 975), day), 2); // lies inside
    QCOMPARE(overlapText(entry(480, 960), day.at(1)),
             QStringLiteral("Die Zeit 08:00–16:00 überschneidet sich mit der Zeit 07:00–16:00 "
                            "(Normal) dieses Tages."));
    QCOMPARE(overlappingPair({entry(0, 60), entry(60, 120), entry(100, 200)}),
             std::make_pair(1, 2));
    QCOMPARE(overlappingPair({entry(0, 60), entry(60, 120)}), std::make_pair(-1, -1));
}

namespace {
QStringList texts(const QList<EntryWarning> &warnings)
{
    QStringList list;
    for (const EntryWarning &warning : warnings)
        list << warning.text;
    return list;
}
} // namespace

void TstEntryRules::warningsFromTheMasterData()
{
    EmployeeOnDate hans{QStringLiteral("Hans Müller"), true, QDate(2026, 1, 1),
                        QDate(2026, 11, 20)};
    QVERIFY(entryWarnings(hans, QDate(2026, 11, 20)).isEmpty()); // the last day counts
    QCOMPARE(texts(entryWarnings(hans, QDate(2026, 11, 23))),
             QStringList{QStringLiteral("Hans Müller ist am 23.11.2026 nicht mehr beschäftigt.")});
    QCOMPARE(entryWarnings(hans, QDate(2026, 11, 23)).first().kind,
             EntryWarning::Kind::NoLongerEmployed);
    QCOMPARE(texts(entryWarnings(hans, QDate(2025, 12, 31))),
             QStringList{QStringLiteral("Hans Müller ist am 31.12.2025 noch nicht beschäftigt.")});
    hans.hasDayPlan = false;
    hans.leavingDate = QDate();
    QCOMPARE(texts(entryWarnings(hans, QDate(2026, 11, 23))),
             QStringList{QStringLiteral(
                 "Hans Müller hat keinen Schichtplan; die Zeiten werden nicht bewertet.")});
}

void TstEntryRules::planOfTheTypedEntries()
{
    int asked = 0;
    auto yes = [&asked](const TimeEntry &) { return ++asked, true; };
    auto no = [&asked](const TimeEntry &) { return ++asked, false; };
    const QList<TimeEntry> day{entry(360, 480)};

    EntryPlan plan = planEntries({entry(480, 720)}, day, {}, yes);
    QVERIFY(plan.accepted);
    QCOMPARE(plan.thisDay.size(), 1);
    QVERIFY(plan.nextDay.isEmpty());
    QCOMPARE(asked, 0);

    // A night shift: asked once, split in two.
    plan = planEntries({entry(1320, 360)}, day, {entry(480, 600)}, yes);
    QVERIFY(plan.accepted);
    QCOMPARE(asked, 1);
    QCOMPARE(plan.thisDay.size(), 1);
    QCOMPARE(plan.thisDay.first().bis, 1440);
    QCOMPARE(plan.nextDay.size(), 1);
    QCOMPARE(plan.nextDay.first().bis, 360);

    // "No" keeps the dialog open without a message.
    plan = planEntries({entry(1320, 360)}, day, {}, no);
    QVERIFY(!plan.accepted);
    QVERIFY(plan.refusal.isEmpty());

    // An emptied Bis (0) after a start is a question too; equal times are refused.
    plan = planEntries({entry(480, 480)}, {}, {}, yes);
    QVERIFY(!plan.accepted);
    QCOMPARE(plan.refusal, notAfterText(entry(480, 480)));

    // Overlaps: with the day, among the typed rows, and on the next day.
    plan = planEntries({entry(420, 960)}, day, {}, yes);
    QVERIFY(!plan.accepted);
    QVERIFY(plan.refusal.contains(QStringLiteral("06:00–08:00")));
    plan = planEntries({entry(480, 720), entry(700, 900)}, {}, {}, yes);
    QVERIFY(!plan.accepted);
    QVERIFY(plan.refusal.startsWith(QStringLiteral("Die Zeit 11:40–15:00")));
    plan = planEntries({entry(1320, 360)}, {}, {entry(300, 600)}, yes);
    QVERIFY(!plan.accepted);
    QVERIFY(plan.refusal.contains(QStringLiteral("05:00–10:00")));
}

QTEST_MAIN(TstEntryRules)
#include "tst_entryrules.moc"
