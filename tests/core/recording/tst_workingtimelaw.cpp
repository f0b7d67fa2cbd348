#include <QTest>

#include "core/recording/WorkingTimeLaw.h"

using namespace tk;

namespace {

const QDate Monday(2024, 3, 4);

constexpr qint64 at(int hour, int minute = 0)
{
    return hour * 60 + minute;
}

LawDay day(const QDate &date, std::initializer_list<std::pair<qint64, qint64>> work,
           std::optional<PlanBreaks> plan = std::nullopt)
{
    LawDay d;
    d.date = date;
    d.plan = plan;
    for (const auto &[von, bis] : work)
        d.entries.append({von, bis, QStringLiteral("N")});
    return d;
}

QStringList findings(const QVector<LawDay> &days)
{
    QStringList lines;
    for (const LawFinding &f : CheckWorkingTimeLaw(days, days.first().date))
        lines << f.date.toString(QStringLiteral("dd.MM.")) + QLatin1Char(' ') + f.rule
                + QLatin1Char(' ') + f.text;
    return lines;
}

const PlanBreaks ExamplePlan{{{at(9), at(9, 15)}, {at(12), at(12, 30)}, {0, 0}}};

} // namespace

class TestWorkingTimeLaw : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tenHours();
    void sixHoursNeedThirtyMinutes();
    void onlyBreaksOfFifteenMinutesCount();
    void planBreaksCountAsTheEvaluationDeductsThem();
    void elevenHoursOfRest();
    void nightShiftOverMidnightIsOneShift();
    void sundaysAndHolidays();
};

void TestWorkingTimeLaw::tenHours()
{
    QCOMPARE(findings({day(Monday, {{at(7), at(12)}, {at(12, 45), at(17, 45)}})}), QStringList());
    QCOMPARE(findings({day(Monday, {{at(7), at(12)}, {at(12, 45), at(17, 46)}})}),
             QStringList{QStringLiteral("04.03. ARBZG3 Arbeitszeit 10:01 über 10 Stunden")});
}

void TestWorkingTimeLaw::sixHoursNeedThirtyMinutes()
{
    QCOMPARE(findings({day(Monday, {{at(7), at(13)}})}), QStringList());
    QCOMPARE(findings({day(Monday, {{at(7), at(13, 1)}})}),
             QStringList({QStringLiteral("04.03. ARBZG4 Pausen 0:00 bei 6:01 Arbeitszeit, "
                                         "vorgeschrieben sind 30 Minuten"),
                          QStringLiteral("04.03. ARBZG4 6:01 Arbeit ohne Pause von mindestens "
                                         "15 Minuten")}));
    // over nine hours: 45 minutes
    QCOMPARE(findings({day(Monday, {{at(6), at(11)}, {at(11, 30), at(15, 31)}})}),
             QStringList{QStringLiteral("04.03. ARBZG4 Pausen 0:30 bei 9:01 Arbeitszeit, "
                                        "vorgeschrieben sind 45 Minuten")});
}

void TestWorkingTimeLaw::onlyBreaksOfFifteenMinutesCount()
{
    // a 14-minute gap is no break: 7:46 of work in one stretch
    QCOMPARE(findings({day(Monday, {{at(7), at(11)}, {at(11, 14), at(15)}})}),
             QStringList({QStringLiteral("04.03. ARBZG4 Pausen 0:00 bei 7:46 Arbeitszeit, "
                                         "vorgeschrieben sind 30 Minuten"),
                          QStringLiteral("04.03. ARBZG4 7:46 Arbeit ohne Pause von mindestens "
                                         "15 Minuten")}));
    // a 15-minute gap counts and ends the stretch, but one alone is not enough
    QCOMPARE(findings({day(Monday, {{at(7), at(11)}, {at(11, 15), at(14, 15)}})}),
             QStringList{QStringLiteral("04.03. ARBZG4 Pausen 0:15 bei 7:00 Arbeitszeit, "
                                        "vorgeschrieben sind 30 Minuten")});
    QCOMPARE(findings({day(Monday, {{at(7), at(10)}, {at(10, 15), at(13)}, {at(13, 15), at(15)}})}),
             QStringList());
}

void TestWorkingTimeLaw::planBreaksCountAsTheEvaluationDeductsThem()
{
    // 07:00-16:00 less 09:00-09:15 and 12:00-12:30: 8:15 of work, 45 minutes of breaks
    QCOMPARE(findings({day(Monday, {{at(7), at(16)}}, ExamplePlan)}), QStringList());
    // a 10-minute plan break is deducted but is no break the law counts
    const PlanBreaks shortBreak{{{at(9), at(9, 10)}, {0, 0}, {0, 0}}};
    QCOMPARE(findings({day(Monday, {{at(7), at(14)}}, shortBreak)}),
             QStringList({QStringLiteral("04.03. ARBZG4 Pausen 0:00 bei 6:50 Arbeitszeit, "
                                         "vorgeschrieben sind 30 Minuten"),
                          QStringLiteral("04.03. ARBZG4 6:50 Arbeit ohne Pause von mindestens "
                                         "15 Minuten")}));
    // ... unless the clerk stays away 5 minutes more: 15 minutes without work
    QCOMPARE(findings({day(Monday, {{at(7), at(9, 10)}, {at(9, 15), at(13)}}, shortBreak)}),
             QStringList());
}

void TestWorkingTimeLaw::elevenHoursOfRest()
{
    const QDate tuesday = Monday.addDays(1);
    QCOMPARE(findings({day(Monday, {{at(13), at(19)}}), day(tuesday, {{at(6), at(12)}})}),
             QStringList());
    QCOMPARE(findings({day(Monday, {{at(13), at(19)}}), day(tuesday, {{at(5, 59), at(11)}})}),
             QStringList{QStringLiteral("05.03. ARBZG5 Ruhezeit 10:59 nach Arbeitsende 19:00 am "
                                        "04.03.2024, vorgeschrieben sind 11 Stunden")});
    // a free day between counts as rest; the day before the period gives only its end
    const QVector<LawDay> days{day(Monday, {{at(17), at(23)}}), day(tuesday, {}),
                               day(tuesday.addDays(1), {{at(6), at(12)}})};
    QCOMPARE(findings(days), QStringList());
    const QVector<LawDay> before{day(Monday, {{at(7), at(19)}}), day(tuesday, {{at(5), at(11)}})};
    QCOMPARE(CheckWorkingTimeLaw(before, tuesday).size(), 1); // ARBZG5 only, not ARBZG3
}

void TestWorkingTimeLaw::nightShiftOverMidnightIsOneShift()
{
    const QDate tuesday = Monday.addDays(1);
    QCOMPARE(findings({day(Monday, {{at(22), at(24)}}), day(tuesday, {{at(0), at(6)}})}),
             QStringList());
    QCOMPARE(findings({day(Monday, {{at(22), at(23, 59)}}), day(tuesday, {{at(0), at(6)}})}),
             QStringList{QStringLiteral("05.03. ARBZG5 Ruhezeit 0:01 nach Arbeitsende 23:59 am "
                                        "04.03.2024, vorgeschrieben sind 11 Stunden")});
}

void TestWorkingTimeLaw::sundaysAndHolidays()
{
    const QDate sunday(2024, 3, 10);
    LawDay vacation = day(sunday, {});
    vacation.entries.append({at(8), at(12), QStringLiteral("U")});
    QCOMPARE(findings({vacation}), QStringList());
    QCOMPARE(findings({day(sunday, {{at(8), at(12)}})}),
             QStringList{QStringLiteral("10.03. ARBZG9 Arbeit am Sonntag")});
    LawDay easterMonday = day(QDate(2024, 4, 1), {{at(8), at(12)}});
    easterMonday.holiday = QStringLiteral("Ostermontag");
    QCOMPARE(findings({easterMonday}),
             QStringList{QStringLiteral("01.04. ARBZG9 Arbeit am Feiertag Ostermontag")});
}

QTEST_GUILESS_MAIN(TestWorkingTimeLaw)
#include "tst_workingtimelaw.moc"
