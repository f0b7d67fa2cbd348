#include <QtTest>

#include "core/common/Calculator.h"

using namespace tk;

namespace {

// Presses calculator keys: digits, ',' the decimal point, '+-*/' operations, '=' equals,
// '<' backspace, '~' sign change, 'C' clear.
void press(Calculator &calculator, const QString &keys)
{
    for (const QChar key : keys) {
        if (key.isDigit())
            calculator.digit(key.digitValue());
        else if (key == u',')
            calculator.decimalPoint();
        else if (key == u'=')
            calculator.equals();
        else if (key == u'<')
            calculator.backspace();
        else if (key == u'~')
            calculator.negate();
        else if (key == u'C')
            calculator.clear();
        else
            calculator.operation(key);
    }
}

} // namespace

// The pocket calculator of the number fields' drop-down.
class TestCalculator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keySequences_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("display");
        QTest::newRow("left to right, no precedence") << 0.0 << "2+3*4=" << 20.0 << "20";
        QTest::newRow("starts from the field's value") << 12.5 << "*2+1=" << 26.0 << "26";
        QTest::newRow("later of two operators counts") << 0.0 << "7,5-/3=" << 2.5 << "2,5";
        QTest::newRow("leading zeros dropped") << 0.0 << "007" << 7.0 << "7";
        QTest::newRow("second decimal point ignored") << 0.0 << "1,2,5" << 1.25 << "1,25";
        QTest::newRow("point first means 0,") << 0.0 << ",5" << 0.5 << "0,5";
        QTest::newRow("at most 15 digits")
            << 0.0 << "1234567890123456" << 123456789012345.0 << "123456789012345";
        QTest::newRow("backspace takes the last digit") << 0.0 << "12<" << 1.0 << "1";
        QTest::newRow("backspace on nothing typed shows the result")
            << 0.0 << "4*5=<" << 20.0 << "20";
        QTest::newRow("sign of the typed number") << 0.0 << "12<~" << -1.0 << "-1";
        QTest::newRow("sign of the result") << 0.0 << "3+4=~" << -7.0 << "-7";
        QTest::newRow("negative operand") << 10.0 << "-3~=" << 13.0 << "13";
        QTest::newRow("goes on from a result") << 0.0 << "3+4=*2=" << 14.0 << "14";
        QTest::newRow("a new number after a result replaces it") << 0.0 << "3+4=9" << 9.0 << "9";
        QTest::newRow("clear starts over") << 5.0 << "+5C" << 0.0 << "0";
        QTest::newRow("fractions shown with a comma") << 0.0 << "1/8=" << 0.125 << "0,125";
        QTest::newRow("no group separator") << 0.0 << "1000*1000=" << 1e6 << "1000000";
    }

    void keySequences()
    {
        QFETCH(double, start);
        QFETCH(QString, keys);
        QFETCH(double, value);
        QFETCH(QString, display);
        Calculator calculator;
        calculator.setValue(start);
        press(calculator, keys);
        QVERIFY(!calculator.hasError());
        QCOMPARE(calculator.value(), value);
        QCOMPARE(calculator.displayText(QLocale(QLocale::German)), display);
    }

    // A division by zero locks every key but Clear.
    void divisionByZeroNeedsClear()
    {
        Calculator calculator;
        press(calculator, QStringLiteral("8/0="));
        QVERIFY(calculator.hasError());
        QCOMPARE(calculator.displayText(QLocale(QLocale::German)), QStringLiteral("Fehler"));
        press(calculator, QStringLiteral("4+2=~<,"));
        QVERIFY(calculator.hasError());
        QCOMPARE(calculator.displayText(QLocale(QLocale::German)), QStringLiteral("Fehler"));
        press(calculator, QStringLiteral("C4+2="));
        QVERIFY(!calculator.hasError());
        QCOMPARE(calculator.value(), 6.0);

        // The error also stops a chain: the division is done when the next operator comes.
        press(calculator, QStringLiteral("C9/0+1="));
        QVERIFY(calculator.hasError());
    }
};

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
