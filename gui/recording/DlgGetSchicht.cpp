#include "gui/recording/DlgGetSchicht.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "gui/recording/EntryDialog.h"
#include "gui/widgets/DbLookupComboBox.h"
#include "gui/widgets/MessageBoxes.h"

namespace tk {

TDlgGetSchicht::TDlgGetSchicht(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgGetSchicht"));
    setWindowTitle(QStringLiteral("Schicht ändern"));
    tblSchicht = new Table(QStringLiteral("Schicht.DB"), QStringLiteral("Schichtplan"), this);
    tblSchicht->setReadOnly(true);
    buildControls();
    FormCreate();
}

TDlgGetSchicht::~TDlgGetSchicht() = default;

void TDlgGetSchicht::buildControls()
{
    edSchicht = new DbLookupComboBox(this);
    edSchicht->setObjectName(QStringLiteral("edSchicht"));
    edSchicht->setFieldsDelimiter(QStringLiteral(", "));
    edSchicht->setLookup(tblSchicht, QStringLiteral("Schichtplan"),
                         QStringLiteral("Schichtplan;Bezeichnung"));
    edSchicht->setMaxVisibleItems(8);
    edSchicht->setEnabled(true); // unbound: no table decides about it
    edSchicht->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 28);

    ControlLabel1 = new QLabel(QStringLiteral("Schicht:"), this);
    ControlLabel1->setObjectName(QStringLiteral("ControlLabel1"));
    ControlLabel1->setBuddy(edSchicht);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto *choice = new QHBoxLayout;
    choice->addWidget(ControlLabel1);
    choice->addWidget(edSchicht, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(edSchicht, Button1);
    setTabOrder(Button1, Button2);
}

void TDlgGetSchicht::FormCreate()
{
    try {
        tblSchicht->open();
        m_opened = true;
    } catch (const DbError &) {
        showError(this, QStringLiteral("Kann die Schicht-Datei nicht öffnen !"));
    }
}

QString TDlgGetSchicht::value() const
{
    const QVariant key = edSchicht->value();
    return key.isNull() ? QString() : key.toString();
}

void TDlgGetSchicht::setValue(const QString &value)
{
    const QString trimmed = value.trimmed();
    edSchicht->setValue(trimmed.isEmpty() ? QVariant() : QVariant(trimmed));
}

int TDlgGetSchicht::exec()
{
    if (!m_opened) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    adjustSize();
    entrydialog::centreOnScreen(this);
    edSchicht->setFocus();
    return QDialog::exec();
}

} // namespace tk
