#include "gui/widgets/MonthChoice.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include "gui/widgets/FormTools.h"

namespace tk {

MonthChoice::MonthChoice(QWidget *parent)
    : QWidget(parent)
    , edMonat(new QComboBox(this))
    , edJahr(new QSpinBox(this))
    , btnPrevMonth(navigationButton(this, QStringLiteral("btnPrevMonth"), QStyle::SP_ArrowLeft,
                                    QStringLiteral("Vorheriger Monat (Bild auf)")))
    , btnNextMonth(navigationButton(this, QStringLiteral("btnNextMonth"), QStyle::SP_ArrowRight,
                                    QStringLiteral("Nächster Monat (Bild ab)")))
{
    edMonat->setObjectName(QStringLiteral("edMonat"));
    const QLocale german(QLocale::German, QLocale::Germany);
    for (int month = 1; month <= 12; ++month)
        edMonat->addItem(german.standaloneMonthName(month, QLocale::LongFormat));
    edJahr->setObjectName(QStringLiteral("edJahr"));
    edJahr->setRange(1900, 2900);
    edJahr->setAlignment(Qt::AlignCenter);
    edJahr->findChild<QLineEdit *>()->setReadOnly(true);
    auto *label = new QLabel(QStringLiteral("&Monat/Jahr:"), this);
    label->setBuddy(edMonat);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(edMonat);
    layout->addWidget(edJahr);
    layout->addWidget(btnPrevMonth);
    layout->addWidget(btnNextMonth);

    const QDate today = QDate::currentDate();
    setMonth(today.month(), today.year());
    connect(edMonat, &QComboBox::currentIndexChanged, this, &MonthChoice::monthChanged);
    connect(edJahr, &QSpinBox::valueChanged, this, &MonthChoice::monthChanged);
    connect(btnPrevMonth, &QToolButton::clicked, this, [this] { stepMonth(-1); });
    connect(btnNextMonth, &QToolButton::clicked, this, [this] { stepMonth(1); });
}

int MonthChoice::month() const
{
    return edMonat->currentIndex() + 1;
}

int MonthChoice::year() const
{
    return edJahr->value();
}

QDate MonthChoice::firstDay() const
{
    return QDate(year(), month(), 1);
}

void MonthChoice::setMonth(int month, int year)
{
    {
        const QSignalBlocker monthBlocker(edMonat);
        const QSignalBlocker yearBlocker(edJahr);
        edJahr->setValue(year);
        edMonat->setCurrentIndex(month - 1);
    }
    Q_EMIT monthChanged();
}

void MonthChoice::stepMonth(int months)
{
    const QDate target = firstDay().addMonths(months);
    setMonth(target.month(), target.year());
}

} // namespace tk
