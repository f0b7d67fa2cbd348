#include "gui/masterdata/DlgCopyDayPlan.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tk {

TDlgCopyDayPlan::TDlgCopyDayPlan(const QStringList &dayLabels, int fromDay, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Tagesplan kopieren"));
    auto *days = new QGridLayout;
    constexpr int PerLine = 4;
    for (int i = 0; i < dayLabels.size(); ++i) {
        auto *box = new QCheckBox(dayLabels.at(i), this);
        box->setObjectName(QStringLiteral("cbDay%1").arg(i + 1));
        box->setEnabled(i + 1 != fromDay);
        days->addWidget(box, i / PerLine, i % PerLine);
        m_days << box;
    }
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    const QString source = fromDay >= 1 && fromDay <= dayLabels.size() ? dayLabels.at(fromDay - 1)
                                                                       : QString::number(fromDay);
    layout->addWidget(
        new QLabel(QStringLiteral("Zeiten von \"%1\" kopieren nach:").arg(source), this));
    layout->addLayout(days);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QCheckBox *box : std::as_const(m_days)) {
        if (box->isEnabled()) {
            box->setFocus();
            break;
        }
    }
}

QList<int> TDlgCopyDayPlan::chosenDays() const
{
    QList<int> chosen;
    for (int i = 0; i < m_days.size(); ++i) {
        if (m_days.at(i)->isEnabled() && m_days.at(i)->isChecked())
            chosen << i + 1;
    }
    return chosen;
}

std::optional<QList<int>> TDlgCopyDayPlan::ask(QWidget *parent, const QStringList &dayLabels,
                                               int fromDay)
{
    TDlgCopyDayPlan dialog(dayLabels, fromDay, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenDays();
}

} // namespace tk
