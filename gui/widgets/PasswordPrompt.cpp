#include "gui/widgets/PasswordPrompt.h"

#include <QInputDialog>
#include <QLineEdit>

namespace tk {

QString askDatabasePassword(QWidget *parent, const QString &databaseName)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Anmeldung an der Datenbank"));
    dialog.setLabelText(QStringLiteral("Kennwort für die Datenbank\n%1:").arg(databaseName));
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue().isNull() ? QStringLiteral("") : dialog.textValue();
}

} // namespace tk
