#pragma once

#include <QWidget>

class QComboBox;
class QSpinBox;
class QToolButton;

namespace tk {

// "Monat/Jahr:" with the month's name, the year and buttons for the month before and after;
// starts on the current month. The year changes by stepping only (buttons, arrow keys).
class MonthChoice : public QWidget
{
    Q_OBJECT
public:
    explicit MonthChoice(QWidget *parent = nullptr);

    int month() const; // 1..12
    int year() const;
    QDate firstDay() const;
    void setMonth(int month, int year);

public Q_SLOTS:
    void stepMonth(int months);

Q_SIGNALS:
    // Month or year changed, once per change of the pair.
    void monthChanged();

private:
    QComboBox *edMonat;
    QSpinBox *edJahr;
    QToolButton *btnPrevMonth;
    QToolButton *btnNextMonth;
};

} // namespace tk
