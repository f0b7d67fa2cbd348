#pragma once

#include <QVector>
#include <QWidget>

#include "core/recording/TimeAccount.h"

namespace tk {

// A small chart of an employee's hours account: a bar per period (its balance, green above
// zero, red below) and the balance after each period as a line, with the hours at the left
// and the months below.
class BalanceChart : public QWidget
{
    Q_OBJECT
public:
    explicit BalanceChart(QWidget *parent = nullptr);

    void setHistory(const QVector<PeriodBalance> &history);
    const QVector<PeriodBalance> &history() const { return m_history; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<PeriodBalance> m_history;
};

} // namespace tk
