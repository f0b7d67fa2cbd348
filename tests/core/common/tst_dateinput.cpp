#include <QtTest>

#include "core/common/DateInput.h"

using namespace tk;

// Typed dates of the date fields.
class TestDateInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("full") << "05.03.2001" << QDate(2001, 3, 5);
        QTest::newRow("single digits") << "5.3.2001" << QDate(2001, 3, 5);
        QTest::newRow("two-digit year recent") << "5.3.01" << QDate(2001, 3, 5);
        QTest::newRow("two-digit year of a birth") << "5.11.75" << QDate(1975, 11, 5);
        QTest::newRow("two-digit year ahead") << "1.1.40" << QDate(2040, 1, 1);
        QTest::newRow("two-digit year too far ahead") << "1.1.50" << QDate(1950, 1, 1);
        // Today is 2026: the two-digit years cover 1947 to 2046.
        QTest::newRow("oldest two-digit year") << "1.1.47" << QDate(1947, 1, 1);
        QTest::newRow("newest two-digit year") << "31.12.46" << QDate(2046, 12, 31);
        QTest::newRow("two-digit 00") << "1.1.00" << QDate(2000, 1, 1);
        QTest::newRow("four digits taken as they are") << "1.1.1850" << QDate(1850, 1, 1);
        QTest::newRow("this year") << "24.12." << QDate(2026, 12, 24);
        QTest::newRow("this year without point") << "24.12" << QDate(2026, 12, 24);
        QTest::newRow("leap day of this year") << "29.2." << QDate();
        QTest::newRow("packed six") << "050301" << QDate(2001, 3, 5);
        QTest::newRow("packed eight") << "29022000" << QDate(2000, 2, 29);
        QTest::newRow("packed seven") << "0503201" << QDate();
        QTest::newRow("packed four") << "0503" << QDate();
        QTest::newRow("blanks around") << " 1.2.2024 " << QDate(2024, 2, 1);
        QTest::newRow("no such day") << "31.02.2024" << QDate();
        QTest::newRow("not a leap year") << "29.02.2023" << QDate();
        QTest::newRow("1900 no leap year") << "29.02.1900" << QDate();
        QTest::newRow("day 0") << "0.1.2024" << QDate();
        QTest::newRow("month 0") << "1.0.2024" << QDate();
        QTest::newRow("month 13") << "1.13.2024" << QDate();
        QTest::newRow("three-digit day") << "101.1.2024" << QDate();
        QTest::newRow("three-digit year") << "1.1.202" << QDate();
        QTest::newRow("point after the year") << "1.1.2024." << QDate();
        QTest::newRow("day only") << "5" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("letters") << "heute" << QDate();
        QTest::newRow("iso form") << "2024-01-01" << QDate();
        QTest::newRow("slashes") << "1/2/2024" << QDate();
    }

    void typedDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(parseDateInput(text, QDate(2026, 6, 15)), date);
    }

    // The window of two-digit years moves with today's date.
    void twoDigitYearsFollowToday()
    {
        QCOMPARE(parseDateInput(QStringLiteral("1.1.47"), QDate(2027, 1, 1)), QDate(2047, 1, 1));
        QCOMPARE(parseDateInput(QStringLiteral("1.1.48"), QDate(2027, 1, 1)), QDate(1948, 1, 1));
        QCOMPARE(parseDateInput(QStringLiteral("29.2."), QDate(2028, 1, 1)), QDate(2028, 2, 29));
    }
};

QTEST_GUILESS_MAIN(TestDateInput)
#include "tst_dateinput.moc"
