#include "gui/recording/EntryDialog.h"

#include "core/common/ClockText.h"
#include "gui/timefields/KvTimeEdit.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace tk {

TEntryDialog::TEntryDialog(const QString &okCaption, QWidget *parent)
    : QDialog(parent)
    , m_paName(entrydialog::makeNameBar(this))
    , m_laMonat(new QLabel(this))
    , m_btnOK(entrydialog::makeOkButton(okCaption, this))
    , m_btnCancel(entrydialog::makeCancelButton(this))
{
    setWindowTitle(QStringLiteral("Zeit erfassen/ändern"));
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TEntryDialog::accept()
{
    if (m_acceptCheck && !m_acceptCheck()) {
        // The box that explained the refusal had the keyboard: the clerk goes on typing here.
        activateWindow();
        return;
    }
    QDialog::accept();
}

void TEntryDialog::arrangeFrame(std::initializer_list<QLayout *> entryLayouts)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_paName);
    layout->addWidget(m_laMonat);
    for (QLayout *entries : entryLayouts)
        layout->addLayout(entries);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TEntryDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        entrydialog::centreOnScreen(this);
    }
    firstField()->setFocus(Qt::OtherFocusReason);
}

bool TEntryDialog::FormKeyPress(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    m_btnCancel->click();
    return true;
}

namespace entrydialog {

QLabel *makeNameBar(QWidget *parent)
{
    auto *bar = new QLabel(QStringLiteral("Name"), parent);
    bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bar->setMargin(4);
    QFont font = bar->font();
    font.setBold(true);
    bar->setFont(font);
    return bar;
}

TKvTimeEdit *makeTimeField(QWidget *parent)
{
    auto *field = new TKvTimeEdit(parent);
    field->setShowDayTyp(false);
    field->setTabOnEnterKey(true);
    return field;
}

TKvTimeEdit *makeEndTimeField(QWidget *parent)
{
    TKvTimeEdit *field = makeTimeField(parent);
    field->setAllowDayEnd(true);
    return field;
}

QPushButton *makeOkButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_DialogOkButton));
    return button;
}

QPushButton *makeCancelButton(QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("Abbrechen"), parent);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_DialogCancelButton));
    return button;
}

QString sumText(const TKvTimeEdit *from, const TKvTimeEdit *to)
{
    return MinutesToClockText(int(to->GetMinutes()) - int(from->GetMinutes()));
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool isListDroppedDown(const QComboBox *box)
{
    return box->view() && box->view()->isVisible();
}

} // namespace entrydialog
} // namespace tk
