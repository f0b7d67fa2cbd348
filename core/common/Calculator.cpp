#include "core/common/Calculator.h"

#include <cmath>

namespace tk {

void Calculator::clear()
{
    m_accumulator = 0.0;
    m_pending = QChar();
    m_entry.clear();
    m_negative = false;
    m_error = false;
}

void Calculator::setValue(double value)
{
    clear();
    m_accumulator = value;
}

void Calculator::digit(int d)
{
    if (m_error || d < 0 || d > 9)
        return;
    if (m_entry == QLatin1String("0"))
        m_entry.clear();
    if (m_entry.size() < 15)
        m_entry += QChar(u'0' + d);
}

void Calculator::decimalPoint()
{
    if (m_error || m_entry.contains(QLatin1Char('.')))
        return;
    m_entry += m_entry.isEmpty() ? QStringLiteral("0.") : QStringLiteral(".");
}

void Calculator::backspace()
{
    if (!m_error && !m_entry.isEmpty())
        m_entry.chop(1);
}

void Calculator::negate()
{
    if (m_error)
        return;
    if (m_entry.isEmpty())
        m_accumulator = -m_accumulator;
    else
        m_negative = !m_negative;
}

double Calculator::value() const
{
    if (m_entry.isEmpty())
        return m_accumulator;
    const double typed = m_entry.toDouble();
    return m_negative ? -typed : typed;
}

void Calculator::applyPending()
{
    if (m_entry.isEmpty() && !m_pending.isNull())
        return; // two operators in a row: the later one counts
    const double operand = value();
    if (m_pending == u'+')
        m_accumulator += operand;
    else if (m_pending == u'-')
        m_accumulator -= operand;
    else if (m_pending == u'*')
        m_accumulator *= operand;
    else if (m_pending == u'/') {
        if (operand == 0.0)
            m_error = true;
        else
            m_accumulator /= operand;
    } else
        m_accumulator = operand;
    m_entry.clear();
    m_negative = false;
}

void Calculator::operation(QChar op)
{
    if (m_error)
        return;
    applyPending();
    m_pending = op;
}

void Calculator::equals()
{
    if (m_error)
        return;
    applyPending();
    m_pending = QChar();
}

QString Calculator::displayText(const QLocale &locale) const
{
    if (m_error)
        return QStringLiteral("Fehler");
    if (!m_entry.isEmpty()) {
        QString text = m_entry;
        text.replace(QLatin1Char('.'), locale.decimalPoint());
        return m_negative ? QLatin1Char('-') + text : text;
    }
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(m_accumulator, 'g', 12);
}

} // namespace tk
