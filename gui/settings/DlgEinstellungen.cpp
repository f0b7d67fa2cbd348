#include "gui/settings/DlgEinstellungen.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/calendar/PublicHolidays.h"
#include "core/export/PayrollSettings.h"
#include "core/settings/FirmSettings.h"
#include "gui/widgets/ErrorGuard.h"

namespace tk {

namespace {

const char *const StateNames[] = {"Baden-Württemberg",
                                  "Bayern",
                                  "Berlin",
                                  "Brandenburg",
                                  "Bremen",
                                  "Hamburg",
                                  "Hessen",
                                  "Mecklenburg-Vorpommern",
                                  "Niedersachsen",
                                  "Nordrhein-Westfalen",
                                  "Rheinland-Pfalz",
                                  "Saarland",
                                  "Sachsen",
                                  "Sachsen-Anhalt",
                                  "Schleswig-Holstein",
                                  "Thüringen"};

} // namespace

TDlgEinstellungen::TDlgEinstellungen(QWidget *parent)
    : QDialog(parent)
    , m_bundesland(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Einstellungen"));
    m_bundesland->addItem(QStringLiteral("(nur bundesweite Feiertage)"), QString());
    const QStringList &codes = PublicHolidays::stateCodes();
    for (int i = 0; i < codes.size(); ++i)
        m_bundesland->addItem(
            QStringLiteral("%1 – %2").arg(codes.at(i), QString::fromUtf8(StateNames[i])),
            codes.at(i));
    runGuarded(this, [this] {
        m_bundesland->setCurrentIndex(std::max(0, m_bundesland->findData(FirmSettings::state())));
    });

    auto *form = new QFormLayout;
    auto *label = new QLabel(QStringLiteral("&Bundesland (Feiertage):"), this);
    label->setBuddy(m_bundesland);
    form->addRow(label, m_bundesland);
    form->addRow(QString(), new QLabel(QStringLiteral("Gilt für alle Arbeitsplätze."), this));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgEinstellungen::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buildPayrollFields());
    layout->addWidget(buttons);
}

QWidget *TDlgEinstellungen::buildPayrollFields()
{
    auto *group = new QGroupBox(QStringLiteral("Export für die Lohnabrechnung"), this);
    auto *form = new QFormLayout(group);
    const auto field = [&](const QString &key, const QString &caption) {
        auto *edit = new QLineEdit(group);
        edit->setObjectName(key);
        edit->setMaxLength(10);
        // numbers only: a payroll program reads nothing else there
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,10}")), edit));
        auto *label = new QLabel(caption, group);
        label->setBuddy(edit);
        form->addRow(label, edit);
        m_payrollFields << edit;
    };
    field(QLatin1String(PayrollSettings::BeraterKey), QStringLiteral("Be&raternummer:"));
    field(QLatin1String(PayrollSettings::MandantKey), QStringLiteral("&Mandantennummer:"));
    for (int sum = 0; sum < PayrollSettings::SumCount; ++sum) {
        const auto which = PayrollSettings::Sum(sum);
        field(PayrollSettings::wageTypeKey(which),
              QStringLiteral("Lohnart %1:").arg(PayrollSettings::sumName(which)));
    }
    form->addRow(QString(),
                 new QLabel(QStringLiteral("Eine leere Lohnart wird nicht exportiert."), group));
    runGuarded(this, [this] {
        for (QLineEdit *edit : std::as_const(m_payrollFields))
            edit->setText(FirmSettings::value(edit->objectName()));
    });
    return group;
}

QLineEdit *TDlgEinstellungen::payrollField(const QString &key) const
{
    for (QLineEdit *edit : m_payrollFields) {
        if (edit->objectName() == key)
            return edit;
    }
    return nullptr;
}

void TDlgEinstellungen::accept()
{
    const bool stored = runGuarded(this, [this] {
        FirmSettings::setValue(QLatin1String(FirmSettings::StateKey),
                               m_bundesland->currentData().toString());
        for (QLineEdit *edit : std::as_const(m_payrollFields))
            FirmSettings::setValue(edit->objectName(), edit->text().trimmed());
    });
    if (stored)
        QDialog::accept();
}

} // namespace tk
