#include <QTest>

#include "core/calendar/PublicHolidays.h"
#include "core/common/Errors.h"

using namespace tk;

namespace {

QStringList lines(const QString &state, int year)
{
    QStringList result;
    for (const PublicHoliday &holiday : PublicHolidays::of(state, year))
        result << holiday.date.toString(QStringLiteral("dd.MM.yyyy ")) + holiday.name;
    return result;
}

bool has(const QString &state, const QDate &date)
{
    for (const PublicHoliday &holiday : PublicHolidays::of(state, date.year())) {
        if (holiday.date == date)
            return true;
    }
    return false;
}

} // namespace

class TestPublicHolidays : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void easterSundays();
    void bavaria2026InDateOrder();
    void rulesWithAStartYear_data();
    void rulesWithAStartYear();
    void stateCounts();
    void refusals();
};

// Dates looked up in published Easter tables.
void TestPublicHolidays::easterSundays()
{
    const QDate known[] = {QDate(1990, 4, 15), QDate(2000, 4, 23), QDate(2008, 3, 23),
                           QDate(2011, 4, 24), QDate(2019, 4, 21), QDate(2024, 3, 31),
                           QDate(2025, 4, 20), QDate(2026, 4, 5),  QDate(2038, 4, 25),
                           QDate(2100, 3, 28)};
    for (const QDate &date : known)
        QCOMPARE(PublicHolidays::easterSunday(date.year()), date);
}

void TestPublicHolidays::bavaria2026InDateOrder()
{
    QCOMPARE(
        lines(QStringLiteral("BY"), 2026),
        QStringList(
            {QStringLiteral("01.01.2026 Neujahr"), QStringLiteral("06.01.2026 Heilige Drei Könige"),
             QStringLiteral("03.04.2026 Karfreitag"), QStringLiteral("06.04.2026 Ostermontag"),
             QStringLiteral("01.05.2026 Tag der Arbeit"),
             QStringLiteral("14.05.2026 Christi Himmelfahrt"),
             QStringLiteral("25.05.2026 Pfingstmontag"), QStringLiteral("04.06.2026 Fronleichnam"),
             QStringLiteral("03.10.2026 Tag der Deutschen Einheit"),
             QStringLiteral("01.11.2026 Allerheiligen"),
             QStringLiteral("25.12.2026 1. Weihnachtstag"),
             QStringLiteral("26.12.2026 2. Weihnachtstag")}));
}

void TestPublicHolidays::rulesWithAStartYear_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("holiday");
    QTest::newRow("Reformationstag HH 2016") << "HH" << QDate(2016, 10, 31) << false;
    QTest::newRow("Reformationstag nationwide 2017") << "DE" << QDate(2017, 10, 31) << true;
    QTest::newRow("Reformationstag BW 2017") << "BW" << QDate(2017, 10, 31) << true;
    QTest::newRow("Reformationstag BW 2018") << "BW" << QDate(2018, 10, 31) << false;
    QTest::newRow("Reformationstag NI 2018") << "NI" << QDate(2018, 10, 31) << true;
    QTest::newRow("Reformationstag SN 1995") << "SN" << QDate(1995, 10, 31) << true;
    QTest::newRow("Frauentag BE 2018") << "BE" << QDate(2018, 3, 8) << false;
    QTest::newRow("Frauentag BE 2019") << "BE" << QDate(2019, 3, 8) << true;
    QTest::newRow("Frauentag MV 2022") << "MV" << QDate(2022, 3, 8) << false;
    QTest::newRow("Frauentag MV 2023") << "MV" << QDate(2023, 3, 8) << true;
    QTest::newRow("Weltkindertag TH 2018") << "TH" << QDate(2018, 9, 20) << false;
    QTest::newRow("Weltkindertag TH 2019") << "TH" << QDate(2019, 9, 20) << true;
    QTest::newRow("Buß- und Bettag nationwide 1994") << "DE" << QDate(1994, 11, 16) << true;
    QTest::newRow("Buß- und Bettag BY 1995") << "BY" << QDate(1995, 11, 22) << false;
    QTest::newRow("Buß- und Bettag SN 1995") << "SN" << QDate(1995, 11, 22) << true;
    QTest::newRow("Buß- und Bettag SN 2023") << "SN" << QDate(2023, 11, 22) << true;
    QTest::newRow("Buß- und Bettag SN 2024") << "SN" << QDate(2024, 11, 20) << true;
    QTest::newRow("Befreiung BE 2020") << "BE" << QDate(2020, 5, 8) << true;
    QTest::newRow("Befreiung BE 2021") << "BE" << QDate(2021, 5, 8) << false;
    QTest::newRow("Befreiung BE 2025") << "BE" << QDate(2025, 5, 8) << true;
    QTest::newRow("Ostersonntag BB") << "BB" << QDate(2024, 3, 31) << true;
    QTest::newRow("Pfingstsonntag BB") << "BB" << QDate(2024, 5, 19) << true;
    QTest::newRow("Pfingstsonntag BE") << "BE" << QDate(2024, 5, 19) << false;
    QTest::newRow("Mariä Himmelfahrt SL") << "SL" << QDate(2024, 8, 15) << true;
    QTest::newRow("Mariä Himmelfahrt BY") << "BY" << QDate(2024, 8, 15) << false;
    QTest::newRow("Fronleichnam SN") << "SN" << QDate(2024, 5, 30) << false;
    QTest::newRow("Fronleichnam HE") << "HE" << QDate(2024, 5, 30) << true;
}

void TestPublicHolidays::rulesWithAStartYear()
{
    QFETCH(QString, state);
    QFETCH(QDate, date);
    QFETCH(bool, holiday);
    QCOMPARE(has(state, date), holiday);
}

void TestPublicHolidays::stateCounts()
{
    const struct
    {
        const char *state;
        int year;
        int count;
    } cases[] = {{"DE", 2026, 9},  {"", 2026, 9},    {"NW", 2026, 11}, {"HE", 2026, 10},
                 {"BE", 2025, 11}, {"SN", 2024, 11}, {"BB", 2024, 12}, {"SL", 2024, 12},
                 {"DE", 1990, 10}, {"TH", 2100, 11}};
    for (const auto &c : cases)
        QVERIFY2(PublicHolidays::of(QLatin1String(c.state), c.year).size() == c.count,
                 qPrintable(QStringLiteral("%1 %2: ").arg(QLatin1String(c.state)).arg(c.year)
                            + lines(QLatin1String(c.state), c.year).join(QLatin1String(", "))));
}

void TestPublicHolidays::refusals()
{
    QVERIFY_THROWS_EXCEPTION(UserError, PublicHolidays::of(QStringLiteral("XY"), 2024));
    QVERIFY_THROWS_EXCEPTION(UserError, PublicHolidays::of(QStringLiteral("BY"), 1989));
    QVERIFY_THROWS_EXCEPTION(UserError, PublicHolidays::of(QStringLiteral("BY"), 2101));
    QCOMPARE(PublicHolidays::of(QStringLiteral("by"), 2024).size(), 12);
}

QTEST_GUILESS_MAIN(TestPublicHolidays)
#include "tst_publicholidays.moc"
