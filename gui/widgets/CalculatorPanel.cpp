#include "gui/widgets/CalculatorPanel.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace tk {

namespace {

struct KeySpec
{
    const char *text;
    int row;
    int column;
};

// "N" is the sign key, "OK" takes the result.
const KeySpec Keys[] = {{"C", 0, 0}, {"\u2190", 0, 1}, {"N", 0, 2}, {"/", 0, 3}, {"7", 1, 0},
                        {"8", 1, 1}, {"9", 1, 2},      {"*", 1, 3}, {"4", 2, 0}, {"5", 2, 1},
                        {"6", 2, 2}, {"-", 2, 3},      {"1", 3, 0}, {"2", 3, 1}, {"3", 3, 2},
                        {"+", 3, 3}, {"0", 4, 0},      {",", 4, 1}, {"=", 4, 2}, {"OK", 4, 3}};

} // namespace

CalculatorPanel::CalculatorPanel(QWidget *anchor)
    : PopupPanel(anchor)
    , m_display(new QLabel(this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameShape(QFrame::Panel);
    m_display->setFrameShadow(QFrame::Sunken);
    m_display->setMinimumWidth(m_display->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    grid->addWidget(m_display, 0, 0, 1, 4);
    for (const KeySpec &spec : Keys) {
        const QString text = QString::fromUtf8(spec.text);
        auto *button = new QToolButton(this);
        button->setText(text == QLatin1String("N") ? QStringLiteral("\u00b1") : text);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        grid->addWidget(button, spec.row + 1, spec.column);
        connect(button, &QToolButton::clicked, this, [this, text] { press(text); });
    }
}

void CalculatorPanel::start(double value)
{
    m_calculator.setValue(value);
    refresh();
}

QString CalculatorPanel::displayText() const
{
    return m_display->text();
}

void CalculatorPanel::refresh()
{
    m_display->setText(m_calculator.displayText(locale()));
}

void CalculatorPanel::press(const QString &key)
{
    if (key.size() == 1 && key.at(0).isDigit())
        m_calculator.digit(key.at(0).digitValue());
    else if (key == QLatin1String(",") || key == QLatin1String("."))
        m_calculator.decimalPoint();
    else if (key == QLatin1String("C"))
        m_calculator.clear();
    else if (key == QStringLiteral("\u2190"))
        m_calculator.backspace();
    else if (key == QLatin1String("N"))
        m_calculator.negate();
    else if (key == QLatin1String("="))
        m_calculator.equals();
    else if (key == QLatin1String("OK")) {
        takeResult();
        return;
    } else if (key.size() == 1 && QStringLiteral("+-*/").contains(key))
        m_calculator.operation(key.at(0));
    refresh();
}

void CalculatorPanel::takeResult()
{
    m_calculator.equals();
    refresh();
    if (m_calculator.hasError())
        return;
    const double result = m_calculator.value();
    hide();
    Q_EMIT resultTaken(result);
}

void CalculatorPanel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        takeResult();
        return;
    case Qt::Key_Backspace:
        press(QStringLiteral("\u2190"));
        return;
    case Qt::Key_Delete:
        press(QStringLiteral("C"));
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text == QLatin1String("=")) {
        takeResult();
        return;
    }
    if (text.size() == 1 && (text.at(0).isDigit() || QStringLiteral(",.+-*/").contains(text))) {
        press(text);
        return;
    }
    PopupPanel::keyPressEvent(event);
}

} // namespace tk
