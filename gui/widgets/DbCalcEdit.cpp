#include "gui/widgets/DbCalcEdit.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <cmath>

#include "gui/widgets/CalculatorPanel.h"
#include "gui/widgets/FieldLink.h"
#include "gui/widgets/Glyphs.h"

namespace tk {

DbCalcEdit::DbCalcEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_link(new FieldLink(this, [this] { load(); }))
{
    setEnabled(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(R"(-?\d{0,12}(?:[.,]\d{0,6})?)")), this));
    QAction *drop = addAction(glyphIcon(Glyph::Calculator), QLineEdit::TrailingPosition);
    drop->setToolTip(QStringLiteral("Rechner (Alt+Pfeil ab)"));
    connect(drop, &QAction::triggered, this, &DbCalcEdit::showCalculator);
    connect(this, &QLineEdit::textEdited, this, &DbCalcEdit::textWasEdited);
}

DbCalcEdit::~DbCalcEdit()
{
    delete m_panel;
}

void DbCalcEdit::setDataSource(Table *table)
{
    m_link->setDataSource(table);
}

Table *DbCalcEdit::dataSource() const
{
    return m_link->dataSource();
}

void DbCalcEdit::setDataField(const QString &fieldName)
{
    m_link->setDataField(fieldName);
}

QString DbCalcEdit::dataField() const
{
    return m_link->dataField();
}

QString DbCalcEdit::formatValue(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    if (qAbs(value) < 0.005)
        value = 0.0; // no "-0,00"
    return plain.toString(value, 'f', 2);
}

double DbCalcEdit::readValue(const QString &text, bool *ok)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*-?(\d+([.,]\d*)?|[.,]\d+)\s*$)"));
    if (!number.match(text).hasMatch()) {
        *ok = false;
        return 0.0;
    }
    QString plain = text.trimmed();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    return plain.toDouble(ok);
}

void DbCalcEdit::load()
{
    const QVariant value = m_link->value();
    const double shown =
        m_unitsPerValue > 0 ? value.toDouble() / m_unitsPerValue : value.toDouble();
    const QString text = value.isNull() ? QString() : formatValue(shown, locale());
    if (text != QLineEdit::text())
        setText(text);
}

void DbCalcEdit::storeValue(const QVariant &typed)
{
    QVariant value = typed;
    if (m_unitsPerValue > 0 && !typed.isNull())
        value = qint64(std::llround(typed.toDouble() * m_unitsPerValue));
    const QVariant stored = m_link->value();
    if (stored.isNull() == value.isNull()
        && (value.isNull() || stored.toDouble() == value.toDouble()))
        return;
    m_link->write(value);
}

void DbCalcEdit::textWasEdited(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        storeValue(QVariant());
        return;
    }
    bool ok = false;
    const double value = readValue(text, &ok);
    if (ok)
        storeValue(value);
}

bool DbCalcEdit::commitInput()
{
    // The validator lets only readable prefixes through ("-" or "," alone store nothing).
    textWasEdited(text());
    load();
    return true;
}

void DbCalcEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason
        || isCalculatorVisible())
        return;
    commitInput();
}

void DbCalcEdit::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    if (altDown || f4) {
        showCalculator();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

CalculatorPanel *DbCalcEdit::calculator() const
{
    return m_panel;
}

bool DbCalcEdit::isCalculatorVisible() const
{
    return m_panel && m_panel->isVisible();
}

void DbCalcEdit::showCalculator()
{
    if (!isEnabled() || isReadOnly())
        return;
    if (!m_panel) {
        m_panel = new CalculatorPanel(this);
        m_panel->setFont(font());
        m_panel->setLocale(locale());
        connect(m_panel, &CalculatorPanel::resultTaken, this, &DbCalcEdit::takeResult);
    }
    bool ok = false;
    const double current = readValue(text(), &ok);
    m_panel->start(ok ? current : 0.0);
    m_panel->popup();
    m_panel->setFocus(Qt::PopupFocusReason);
}

void DbCalcEdit::takeResult(double value)
{
    storeValue(value);
    load();
    selectAll();
}

} // namespace tk
