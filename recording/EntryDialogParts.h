#pragma once

#include <QString>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QWidget;

namespace tk {

class TKvTimeEdit;

// Pieces the two time entry dialogs share.
namespace entrydialog {

// The name bar across the dialog's width, text left-aligned.
QLabel *makeNameBar(QWidget *parent);
// A time field as the dialogs use it: no day-type letter, Enter moves on.
TKvTimeEdit *makeTimeField(QWidget *parent);
QPushButton *makeOkButton(const QString &caption, QWidget *parent);
QPushButton *makeCancelButton(QWidget *parent);
// Sum line text: to minus from, both widened before the subtraction.
QString sumText(const TKvTimeEdit *from, const TKvTimeEdit *to);
void centreOnScreen(QWidget *window);

bool isEnter(const QKeyEvent *event);
bool isListDroppedDown(const QComboBox *box);

} // namespace entrydialog
} // namespace tk
