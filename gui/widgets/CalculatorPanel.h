#pragma once

#include "core/common/Calculator.h"
#include "gui/widgets/PopupPanel.h"

class QLabel;

namespace tk {

// The calculator drop-down: a display and the keys 0-9, decimal point, + - * /, =, C, a
// sign key and OK. Typing works as well: digits, ',' or '.', the operators, Backspace,
// Delete (clear), Enter or '=' (finish and take the result), Escape (close without taking).
class CalculatorPanel : public PopupPanel
{
    Q_OBJECT
public:
    explicit CalculatorPanel(QWidget *anchor);

    void start(double value);
    Calculator &calculator() { return m_calculator; }
    QString displayText() const;

Q_SIGNALS:
    void resultTaken(double value);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(const QString &key);
    void takeResult();
    void refresh();

    Calculator m_calculator;
    QLabel *m_display;
};

} // namespace tk
