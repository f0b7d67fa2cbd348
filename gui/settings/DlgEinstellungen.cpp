#include "gui/settings/DlgEinstellungen.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/calendar/PublicHolidays.h"
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
    layout->addWidget(buttons);
}

void TDlgEinstellungen::accept()
{
    const bool stored = runGuarded(this, [this] {
        FirmSettings::setValue(QLatin1String(FirmSettings::StateKey),
                               m_bundesland->currentData().toString());
    });
    if (stored)
        QDialog::accept();
}

} // namespace tk
