#include "gui/widgets/NumberPrompt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tk {

NumberPrompt::NumberPrompt(const QString &title, const QString &label, int proposal,
                           QWidget *parent)
    : QDialog(parent)
    , m_label(new QLabel(label, this))
    , m_field(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Abbrechen"), this))
{
    setWindowTitle(title);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setBuddy(m_field);
    m_field->setMaxLength(6);
    m_field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(\d{0,6})")), this));
    m_field->setText(QString::number(proposal));
    m_field->selectAll();
    m_field->setMinimumWidth(m_field->fontMetrics().horizontalAdvance(QStringLiteral("0000000"))
                             + 12);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_cancel->setAutoDefault(false);

    auto *fields = new QHBoxLayout;
    fields->addWidget(m_label, 1);
    fields->addWidget(m_field);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0);
    layout->setRowMinimumHeight(1, 8);
    layout->addLayout(buttons, 2, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_field, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_ok->setEnabled(!text.isEmpty()); });
    m_field->setFocus();
}

int NumberPrompt::number() const
{
    return m_field->text().toInt();
}

QString NumberPrompt::numberText() const
{
    return m_field->text();
}

std::optional<int> NumberPrompt::ask(QWidget *parent, const QString &title, const QString &label,
                                     int proposal)
{
    NumberPrompt prompt(title, label, proposal, parent);
    if (prompt.exec() != QDialog::Accepted || prompt.numberText().isEmpty())
        return std::nullopt;
    return prompt.number();
}

} // namespace tk
