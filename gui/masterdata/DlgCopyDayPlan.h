#pragma once

#include <QDialog>
#include <QList>
#include <optional>

class QCheckBox;

namespace tk {

// "Tagesplan kopieren": one check box per day plan of the shift plan; the day plan being
// copied is shown but cannot be chosen. Space ticks the focused box, Enter confirms.
class TDlgCopyDayPlan : public QDialog
{
    Q_OBJECT
public:
    TDlgCopyDayPlan(const QStringList &dayLabels, int fromDay, QWidget *parent = nullptr);

    // The ticked day plan numbers (1-based), in order.
    QList<int> chosenDays() const;

    static std::optional<QList<int>> ask(QWidget *parent, const QStringList &dayLabels,
                                         int fromDay);

private:
    QList<QCheckBox *> m_days;
};

} // namespace tk
