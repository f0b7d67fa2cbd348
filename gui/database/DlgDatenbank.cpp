#include "gui/database/DlgDatenbank.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Errors.h"
#include "core/db/DatabaseProbe.h"
#include "core/db/DatabaseUrl.h"
#include "gui/widgets/MessageBoxes.h"

namespace tk {

TDlgDatenbank::TDlgDatenbank(const QString &openName, const QString &storedAddress, QWidget *parent)
    : QDialog(parent)
    , edAdresse(new QLineEdit(storedAddress, this))
    , laErgebnis(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Datenbank"));
    auto *open = new QLabel(openName, this);
    open->setTextInteractionFlags(Qt::TextSelectableByMouse);
    edAdresse->setPlaceholderText(QStringLiteral("leer: \"Daten\" neben dem Programm"));
    edAdresse->setMinimumWidth(420);
    auto *hint =
        new QLabel(QStringLiteral("sqlite:PFAD oder postgresql://benutzer@rechner:port/name"
                                  "\n(Unix-Socket: postgresql:///name?host=/ordner)\n"
                                  "Ein Kennwort wird nicht gespeichert; es kommt aus "
                                  "~/.pgpass oder wird beim Start erfragt."),
                   this);
    laErgebnis->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Geöffnet:"), open);
    auto *addressLabel = new QLabel(QStringLiteral("&Adresse ab dem nächsten Start:"), this);
    addressLabel->setBuddy(edAdresse);
    form->addRow(addressLabel, edAdresse);
    form->addRow(QString(), hint);
    form->addRow(QString(), laErgebnis);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QPushButton *check =
        buttons->addButton(QStringLiteral("&Prüfen"), QDialogButtonBox::ActionRole);
    connect(check, &QPushButton::clicked, this, &TDlgDatenbank::probe);
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgDatenbank::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString TDlgDatenbank::address() const
{
    return edAdresse->text().trimmed();
}

void TDlgDatenbank::probe()
{
    if (address().isEmpty()) {
        laErgebnis->setText(QStringLiteral("Ohne Adresse gilt \"Daten\" neben dem Programm."));
        return;
    }
    try {
        laErgebnis->setText(probeDatabase(DatabaseUrl::parse(address())));
    } catch (const UserError &error) {
        laErgebnis->setText(error.message());
    }
}

// An address that cannot be used is not taken; the clerk corrects it in place.
void TDlgDatenbank::accept()
{
    if (!address().isEmpty()) {
        try {
            DatabaseUrl::parse(address());
        } catch (const UserError &error) {
            showError(this, error.message());
            edAdresse->setFocus();
            return;
        }
    }
    QDialog::accept();
}

} // namespace tk
