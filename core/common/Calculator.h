#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

namespace tk {

// The arithmetic of the calculator drop-down: a pocket calculator that works left to right
// (2 + 3 * 4 = 20), with a typed entry, one pending operation and an error state after a
// division by zero that only Clear leaves.
class Calculator
{
public:
    void clear();
    // Starts from a value (the field's content when the drop-down opens).
    void setValue(double value);

    void digit(int d);
    void decimalPoint();
    void backspace();
    void negate();
    // '+', '-', '*' or '/': finishes the pending operation and remembers this one.
    void operation(QChar op);
    void equals();

    double value() const;
    bool hasError() const { return m_error; }
    QString displayText(const QLocale &locale = QLocale::system()) const;

private:
    void applyPending();

    double m_accumulator = 0.0;
    QChar m_pending;
    QString m_entry;         // digits typed, '.' as decimal point; empty: show the accumulator
    bool m_negative = false; // sign of the typed entry
    bool m_error = false;
};

} // namespace tk
