#include <QtTest>

#include "core/common/ClockText.h"
#include "core/common/DatePeriod.h"

using namespace tk;

// Minutes conversions, the shared date forms and number texts under a German locale.
class TestClockText : public QObject
{
    Q_OBJECT

private:
    const QLocale german{QLocale::German, QLocale::Germany};

private Q_SLOTS:
    void initTestCase()
    {
        // The date forms read the system locale; the test runner sets LANG=de_DE.UTF-8.
        QCOMPARE(QLocale::system().language(), QLocale::German);
    }

    void clockText_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("midnight") << 0 << "00:00";
        QTest::newRow("five") << 5 << "00:05";
        QTest::newRow("six") << 360 << "06:00";
        QTest::newRow("8:45") << 525 << "08:45";
        QTest::newRow("last minute") << 1439 << "23:59";
        QTest::newRow("no wrap at 24") << 1440 << "24:00";
        QTest::newRow("25 hours") << 1500 << "25:00";
        QTest::newRow("three hour digits") << 6000 << "100:00";
        QTest::newRow("negative minutes only") << -30 << "00:-30";
        QTest::newRow("negative hour") << -60 << "-01:00";
        QTest::newRow("negative both") << -525 << "-08:-45";
        QTest::newRow("minus one") << -1 << "00:-01";
        QTest::newRow("int max") << 2147483647 << "35791394:07";
        QTest::newRow("int min") << int(-2147483647 - 1) << "-35791394:-08";
    }
    void clockText()
    {
        QFETCH(int, minutes);
        QFETCH(QString, text);
        QCOMPARE(MinutesToClockText(minutes), text);
    }

    void hours()
    {
        QCOMPARE(MinutesToHours(525), 8.75);
        QCOMPARE(MinutesToHours(30), 0.5);
        QCOMPARE(MinutesToHours(-30), -0.5);
        QVERIFY(qAbs(MinutesToHours(61) - 1.0166666666) < 1e-9);
        QCOMPARE(FormatHours(MinutesToHours(1)), QStringLiteral("0,02"));
    }

    void numberTexts()
    {
        QCOMPARE(FormatHours(7.5), QStringLiteral("7,50"));
        QCOMPARE(FormatHours(2300.0), QStringLiteral("2300,00"));
        QCOMPARE(FormatHours(-0.5), QStringLiteral("-0,50"));
        QCOMPARE(FormatHours(-0.001), QStringLiteral("0,00"));
        QCOMPARE(FormatMoney(2300.0), QStringLiteral("2.300,00"));
        QCOMPARE(FormatMoney(1234567.891), QStringLiteral("1.234.567,89"));
        QCOMPARE(FormatMoney(0.0), QStringLiteral("0,00"));
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(FormatMoney(2300.0, english), QStringLiteral("2,300.00"));
        QCOMPARE(FormatHours(2300.0, english), QStringLiteral("2300.00"));
    }

    void dateForms_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const QDate march5(2001, 3, 5);
        QTest::newRow("long") << march5 << DateFormLong << "Mo 05.März 2001";
        QTest::newRow("day grid") << march5 << DateFormDayMonth << "Mo 05.03";
        QTest::newRow("month line") << march5 << DateFormMonthYear << "März 2001";
        QTest::newRow("day column") << march5 << DateFormDay << "Mo 05";
        QTest::newRow("leap day") << QDate(2000, 2, 29) << DateFormLong << "Di 29.Februar 2000";
        QTest::newRow("sunday") << QDate(2024, 12, 1) << DateFormDayMonth << "So 01.12";
        QTest::newRow("saturday") << QDate(2024, 11, 30) << DateFormDay << "Sa 30";
        QTest::newRow("long names") << march5 << "dddd d.m.yy"
                                    << "Montag 5.3.01";
    }
    void dateForms()
    {
        QFETCH(QDate, date);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(FormatDate(pattern, date), text);
        QCOMPARE(FormatDate(pattern, QDate()), QString());
    }

    void shortDate()
    {
        QCOMPARE(ShortDateFormat(german), QStringLiteral("dd.MM.yyyy"));
        QCOMPARE(ShortDateText(QDate(2001, 3, 5)), QStringLiteral("05.03.2001"));
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(ShortDateText(QDate(2001, 3, 5), english), QStringLiteral("3/5/2001"));
    }

    // Stored dates are compared as text: the hand-built form must be Qt's ISO form exactly.
    void isoDateText()
    {
        for (const QDate &date : {QDate(1, 1, 1), QDate(999, 12, 31), QDate(1999, 9, 9),
                                  QDate(2024, 2, 29), QDate(2026, 12, 10), QDate(9999, 12, 31),
                                  QDate(10000, 1, 1), QDate(-5, 3, 1), QDate()})
            QCOMPARE(IsoDateText(date), date.toString(Qt::ISODate));
        for (QDate date(2023, 12, 25); date <= QDate(2025, 1, 5); date = date.addDays(1))
            QCOMPARE(IsoDateText(date), date.toString(Qt::ISODate));
    }

    void evaluationPeriod_data()
    {
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("16th across the year")
            << 16 << 12 << 2023 << QDate(2023, 12, 16) << QDate(2024, 1, 15);
        QTest::newRow("leap February") << 1 << 2 << 2024 << QDate(2024, 2, 1) << QDate(2024, 2, 29);
        QTest::newRow("16th of short February")
            << 16 << 2 << 2023 << QDate(2023, 2, 16) << QDate(2023, 3, 15);
        QTest::newRow("16th of leap February")
            << 16 << 2 << 2024 << QDate(2024, 2, 16) << QDate(2024, 3, 15);
        QTest::newRow("16th of January")
            << 16 << 1 << 2024 << QDate(2024, 1, 16) << QDate(2024, 2, 15);
        QTest::newRow("31 day month") << 1 << 7 << 2024 << QDate(2024, 7, 1) << QDate(2024, 7, 31);
        QTest::newRow("last day as begin")
            << 30 << 4 << 2024 << QDate(2024, 4, 30) << QDate(2024, 5, 29);
    }
    void evaluationPeriod()
    {
        QFETCH(int, begin);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const DatePeriod period = EvaluationPeriod(begin, month, year);
        QVERIFY(period.isValid());
        QCOMPARE(period.from, from);
        QCOMPARE(period.to, to);
        QVERIFY(period.contains(from) && period.contains(to) && !period.contains(to.addDays(1)));
    }

    void evaluationPeriodInvalid_data()
    {
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::newRow("zero") << 0 << 3 << 2024;
        QTest::newRow("negative") << -1 << 3 << 2024;
        QTest::newRow("past April's end") << 31 << 4 << 2024;
        QTest::newRow("30 February") << 30 << 2 << 2024;
        QTest::newRow("29 February 2023") << 29 << 2 << 2023;
        QTest::newRow("month 13") << 1 << 13 << 2024;
        QTest::newRow("month 0") << 1 << 0 << 2024;
    }
    void evaluationPeriodInvalid()
    {
        QFETCH(int, begin);
        QFETCH(int, month);
        QFETCH(int, year);
        const DatePeriod period = EvaluationPeriod(begin, month, year);
        QVERIFY(!period.isValid());
        QVERIFY(!period.contains(QDate(year, qBound(1, month, 12), 15)));
    }
};

QTEST_MAIN(TestClockText)
#include "tst_clocktext.moc"
