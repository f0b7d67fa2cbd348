#include "components/MessageBoxes.h"

#include <QMessageBox>

namespace tk {

void showError(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Information"), message, QMessageBox::Ok,
                    parent);
    box.exec();
}

bool confirm(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setButtonText(QMessageBox::Yes, QStringLiteral("&Ja"));
    box.setButtonText(QMessageBox::No, QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}

} // namespace tk
