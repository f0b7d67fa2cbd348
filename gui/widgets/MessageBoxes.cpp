#include "gui/widgets/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace tk {

void showError(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Information"), message, QMessageBox::Ok,
                    parent);
    box.exec();
}

void showInformation(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), message,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool confirm(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}

bool confirmOkCancel(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

} // namespace tk
