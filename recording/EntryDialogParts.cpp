#include "recording/EntryDialogParts.h"

#include "timeval/KVTimeEdit.h"
#include "timeval/core/ClockText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace tk::entrydialog {

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

} // namespace tk::entrydialog
