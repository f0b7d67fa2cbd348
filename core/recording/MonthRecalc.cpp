#include "core/recording/MonthRecalc.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTextStream>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/DayEvaluation.h"
#include "core/recording/PeriodSelection.h"

namespace tk {

namespace {

constexpr const char *RecalcOption = "--recalc";
constexpr const char *DataDirOption = "--data-dir";

QString employeeLabel(Table &personal)
{
    const QString name = QStringLiteral("%1 %2")
                             .arg(personal.field(QStringLiteral("Vorname")).asString(),
                                  personal.field(QStringLiteral("Name")).asString())
                             .trimmed();
    const QString number =
        QString::number(personal.field(QStringLiteral("PersonalNummer")).asInteger());
    return name.isEmpty() ? QStringLiteral("Personal-Nr. %1").arg(number)
                          : QStringLiteral("Personal-Nr. %1 (%2)").arg(number, name);
}

// Fixed German form, whatever locale the shell runs with.
QString germanDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString oneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

// The value after an option ("--recalc 2024-03" or "--recalc=2024-03"); empty when missing.
QString optionValue(const QStringList &arguments, const QString &option, bool *present)
{
    *present = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == option) {
            *present = true;
            return i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        }
        if (argument.startsWith(option + QLatin1Char('='))) {
            *present = true;
            return argument.mid(option.size() + 1);
        }
    }
    return QString();
}

} // namespace

int RecalcMonth(int month, int year, QTextStream &out)
{
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    Table auswert(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    Table auswPos(QStringLiteral("AuswPos"), QStringLiteral("PersonalNummer;Datum"));
    Table tagplan(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"));
    personal.setReadOnly(true);
    // The entries follow the current day record, so lifting a day's restriction reads one
    // day again and not the whole table; the day records are read one period at a time.
    const QStringList link{QStringLiteral("PersonalNummer"), QStringLiteral("Datum")};
    auswPos.setMaster(&auswert, link, link);
    personal.open();
    auswert.openEmpty();
    auswPos.open();
    tagplan.open();

    DayEvaluation evaluation(&personal, &auswert, &auswPos, &tagplan);
    // One transaction for the whole run: the periods' own batches join it, so the month is
    // synced to disk once instead of once per employee. A failed statement takes back only
    // itself; everything stored before it is committed with the rest.
    const WriteBatch batch;
    int failures = 0;
    for (personal.first(); !personal.eof(); personal.next()) {
        const QString label = employeeLabel(personal);
        try {
            const DatePeriod period = CurrentEvaluationPeriod(&personal, month, year);
            const int number = personal.field(QStringLiteral("PersonalNummer")).asInteger();
            auswert.setRange({number, period.from}, {number, period.to});
            const PeriodOutcome outcome = evaluation.EvaluatePeriod(1, period.from, period.to);
            out << QStringLiteral("%1: %2 bis %3, %4 angelegt, %5 neu berechnet")
                       .arg(label, germanDate(period.from), germanDate(period.to))
                       .arg(outcome.created)
                       .arg(outcome.reevaluated)
                << '\n';
        } catch (const DateEncodingError &e) {
            ++failures;
            out << label << QStringLiteral(": ") << e.message() << '\n';
        } catch (const DbError &e) {
            ++failures;
            out << label << QStringLiteral(": ") << oneLine(e.message()) << '\n';
        } catch (const std::exception &e) {
            ++failures;
            out << label << QStringLiteral(": ") << oneLine(QString::fromUtf8(e.what())) << '\n';
        }
        out.flush();
    }
    return failures;
}

bool ParseRecalcMonth(const QString &text, int *month, int *year)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const int y = match.captured(1).toInt();
    const int m = match.captured(2).toInt();
    if (m < 1 || m > 12 || y < 1900 || y > 2900)
        return false;
    *month = m;
    *year = y;
    return true;
}

bool IsRecalcCommandLine(const QStringList &arguments)
{
    bool present = false;
    optionValue(arguments, QLatin1String(RecalcOption), &present);
    return present;
}

bool IsRecalcCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return IsRecalcCommandLine(arguments);
}

int RunRecalcCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    bool present = false;
    const QString monthText = optionValue(arguments, QLatin1String(RecalcOption), &present);
    int month = 0;
    int year = 0;
    if (!ParseRecalcMonth(monthText, &month, &year)) {
        err << QStringLiteral("Ungültiger Monat \"%1\": erwartet wird JJJJ-MM, z. B. 2024-03.")
                   .arg(monthText)
            << '\n';
        return 2;
    }
    bool hasDataDir = false;
    QString dataDir = optionValue(arguments, QLatin1String(DataDirOption), &hasDataDir);
    if (hasDataDir && dataDir.isEmpty()) {
        err << QStringLiteral("Nach --data-dir fehlt das Datenverzeichnis.") << '\n';
        return 2;
    }
    // A relative folder is taken from the current directory, as a shell user expects.
    dataDir = hasDataDir
        ? QDir::cleanPath(QDir::current().absoluteFilePath(dataDir))
        : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Daten"));
    Database::setPath(dataDir);
    try {
        const int failures = RecalcMonth(month, year, out);
        out.flush();
        if (failures > 0) {
            err << QStringLiteral("Nicht berechnet: %1 Mitarbeiter.").arg(failures) << '\n';
            return 1;
        }
        return 0;
    } catch (const DbError &e) {
        err << e.message() << '\n';
        return 2;
    }
}

int RunRecalcCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = RunRecalcCommandLine(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    Database::disconnect();
    return code;
}

} // namespace tk
