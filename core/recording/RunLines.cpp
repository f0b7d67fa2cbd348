#include "core/recording/RunLines.h"

#include <QTextStream>

#include "core/common/Errors.h"
#include "core/db/Table.h"

namespace tk {

QString EmployeeLabel(Table &personal)
{
    const QString name = QStringLiteral("%1 %2")
                             .arg(personal.field(QStringLiteral("Vorname")).asString(),
                                  personal.field(QStringLiteral("Name")).asString())
                             .trimmed();
    const QString number = QString::number(EmployeeNumber(personal));
    return name.isEmpty() ? QStringLiteral("Personal-Nr. %1").arg(number)
                          : QStringLiteral("Personal-Nr. %1 (%2)").arg(number, name);
}

int EmployeeNumber(Table &personal)
{
    return personal.field(QStringLiteral("PersonalNummer")).asInteger();
}

QString EmployeeField(Table &personal, const char *field)
{
    return personal.field(QLatin1String(field)).asString();
}

QString OneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

int ForEachEmployee(Table &personal, int onlyEmployee,
                    const std::function<void(int personalNummer)> &work,
                    const std::function<void(const QString &label, const QString &message)> &failed)
{
    int failures = 0;
    for (personal.first(); !personal.eof(); personal.next()) {
        const int number = personal.field(QStringLiteral("PersonalNummer")).asInteger();
        if (onlyEmployee > 0 && number != onlyEmployee)
            continue;
        try {
            work(number);
        } catch (const UserError &e) {
            ++failures;
            failed(EmployeeLabel(personal), OneLine(e.message()));
        }
    }
    return failures;
}

int ForEachEmployee(Table &personal, int onlyEmployee, QTextStream &out,
                    const std::function<void(int personalNummer)> &work)
{
    return ForEachEmployee(
        personal, onlyEmployee,
        [&out, &work](int number) {
            work(number);
            out.flush();
        },
        [&out](const QString &label, const QString &message) {
            out << label << QStringLiteral(": ") << message << '\n';
            out.flush();
        });
}

} // namespace tk
