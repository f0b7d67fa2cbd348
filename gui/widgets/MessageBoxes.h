#pragma once

#include <QString>

class QWidget;

namespace tk {

// The error box: error icon, one OK button, caption "Information".
void showError(QWidget *parent, const QString &message);
// The information box: information icon, one OK button, caption "Information"; for a
// command the program declines and explains.
void showInformation(QWidget *parent, const QString &message);
// The confirmation box: question icon, Yes and No, caption "Bestätigung"; true on Yes.
bool confirm(QWidget *parent, const QString &question);
// The same question with the buttons "OK" and "Abbrechen"; true on OK.
bool confirmOkCancel(QWidget *parent, const QString &question);

} // namespace tk
