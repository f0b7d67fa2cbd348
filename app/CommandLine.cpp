#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

#include "core/calendar/PublicHolidays.h"
#include "core/common/Errors.h"
#include "core/db/DatabaseUrl.h"

namespace tk {

namespace {

const QString DataDirOption = QStringLiteral("data-dir");
const QString DatabaseOption = QStringLiteral("database");
const QString CreateOption = QStringLiteral("create-database");
const QString CopyOption = QStringLiteral("copy-database");
const QString HolidaysOption = QStringLiteral("holidays");
const QString FillHolidaysOption = QStringLiteral("fill-holidays");
const QString AccountOption = QStringLiteral("account");
const QString CheckOption = QStringLiteral("check");
const QString MissingOption = QStringLiteral("missing");
const QString ExportOption = QStringLiteral("export");
const QString CloseMonthOption = QStringLiteral("close-month");
const QString ReopenMonthOption = QStringLiteral("reopen-month");
const QString ReasonOption = QStringLiteral("reason");
const QString ChangesOption = QStringLiteral("changes");
const QString BackupOption = QStringLiteral("backup");
const QString CheckDatabaseOption = QStringLiteral("check-database");
const QString RestoreOption = QStringLiteral("restore");
const QString ImportParadoxOption = QStringLiteral("import-paradox");
const QString ReplaceOption = QStringLiteral("replace");
const QString RecalcOption = QStringLiteral("recalc");
const QString PdfOption = QStringLiteral("pdf");
const QString MonthOption = QStringLiteral("month");
const QString EmployeeOption = QStringLiteral("employee");
const QString OutputOption = QStringLiteral("output");
const QString HelpOption = QStringLiteral("help");

// The options QGuiApplication and QApplication take out of the arguments themselves.
const QStringList QtValueOptions{
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
    QStringLiteral("qwindowicon"),     QStringLiteral("style"),
    QStringLiteral("stylesheet"),      QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("geometry")};
const QStringList QtFlagOptions{QStringLiteral("reverse"), QStringLiteral("widgetcount")};

// "YYYY-MM" with a month 1..12 and a year 1900..2900.
bool parseMonth(const QString &text, int *month, int *year)
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

QString monthError(const QString &text)
{
    return QStringLiteral("Ungültiger Monat \"%1\": erwartet wird JJJJ-MM, z. B. 2024-03.")
        .arg(text);
}

void addOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({{DataDirOption, QString(), QStringLiteral("ORDNER")},
                       {DatabaseOption, QString(), QStringLiteral("ADRESSE")},
                       {CreateOption, QString()},
                       {CopyOption, QString(), QStringLiteral("ADRESSE")},
                       {HolidaysOption, QString(), QStringLiteral("LAND")},
                       {FillHolidaysOption, QString(), QStringLiteral("JJJJ-MM")},
                       {AccountOption, QString(), QStringLiteral("JJJJ-MM")},
                       {CheckOption, QString(), QStringLiteral("JJJJ-MM")},
                       {MissingOption, QString(), QStringLiteral("JJJJ-MM")},
                       {ExportOption, QString(), QStringLiteral("FORMAT")},
                       {CloseMonthOption, QString(), QStringLiteral("JJJJ-MM")},
                       {ReopenMonthOption, QString(), QStringLiteral("JJJJ-MM")},
                       {ReasonOption, QString(), QStringLiteral("TEXT")},
                       {ChangesOption, QString()},
                       {BackupOption, QString(), QStringLiteral("DATEI")},
                       {CheckDatabaseOption, QString()},
                       {RestoreOption, QString(), QStringLiteral("DATEI")},
                       {ImportParadoxOption, QString(), QStringLiteral("ORDNER")},
                       {ReplaceOption, QString()},
                       {RecalcOption, QString(), QStringLiteral("JJJJ-MM")},
                       {PdfOption, QString(), QStringLiteral("LISTE")},
                       {MonthOption, QString(), QStringLiteral("JJJJ-MM")},
                       {EmployeeOption, QString(), QStringLiteral("NR")},
                       {OutputOption, QString(), QStringLiteral("DATEI")},
                       {{HelpOption, QStringLiteral("h")}, QString()}});
    for (const QString &name : QtValueOptions)
        parser.addOption({name, QString(), QStringLiteral("WERT")});
    for (const QString &name : QtFlagOptions)
        parser.addOption({name, QString()});
}

// QCommandLineParser words its refusals in English; the user reads German.
QString germanParseError(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("Unbekannte Option: --%1").arg(parser.unknownOptionNames().first());
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    const QString text = parser.errorText();
    const QString option = quoted.match(text).captured(1);
    if (text.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("Nach %1 fehlt der Wert.").arg(option);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("%1 nimmt keinen Wert.").arg(option);
    return QStringLiteral("Der Aufruf ist ungültig: %1").arg(text);
}

// The one value of an option; an option given twice is refused.
bool singleValue(const QCommandLineParser &parser, const QString &name, QString *value,
                 QString *error)
{
    const QStringList values = parser.values(name);
    if (values.size() > 1) {
        *error = QStringLiteral("--%1 ist mehrfach angegeben.").arg(name);
        return false;
    }
    *value = values.value(0);
    return true;
}

// The mode option given, or an error when there are several.
bool chooseMode(const QCommandLineParser &parser, RunMode *mode, QString *error)
{
    const std::pair<QString, RunMode> modes[] = {{HelpOption, RunMode::Help},
                                                 {CreateOption, RunMode::CreateDatabase},
                                                 {CopyOption, RunMode::CopyDatabase},
                                                 {HolidaysOption, RunMode::Holidays},
                                                 {FillHolidaysOption, RunMode::FillHolidays},
                                                 {AccountOption, RunMode::Account},
                                                 {CheckOption, RunMode::Check},
                                                 {MissingOption, RunMode::Missing},
                                                 {ExportOption, RunMode::Export},
                                                 {CloseMonthOption, RunMode::CloseMonth},
                                                 {ReopenMonthOption, RunMode::ReopenMonth},
                                                 {ChangesOption, RunMode::Changes},
                                                 {BackupOption, RunMode::Backup},
                                                 {CheckDatabaseOption, RunMode::CheckDatabase},
                                                 {RestoreOption, RunMode::Restore},
                                                 {ImportParadoxOption, RunMode::ImportParadox},
                                                 {RecalcOption, RunMode::Recalc},
                                                 {PdfOption, RunMode::ListPdf}};
    QStringList given;
    for (const auto &[name, value] : modes) {
        if (parser.isSet(name)) {
            given << QStringLiteral("--") + name;
            *mode = value;
        }
    }
    if (given.size() > 1) {
        *error = QStringLiteral("Nur eine Betriebsart je Aufruf: %1.")
                     .arg(given.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

// "--employee N": one employee's PersonalNummer.
bool readEmployee(const QString &text, CommandLine *c)
{
    bool ok = false;
    c->employee = text.toInt(&ok);
    c->oneEmployee = true;
    if (!ok)
        c->error = QStringLiteral("Ungültige Personal-Nr. \"%1\".").arg(text);
    return ok;
}

bool readOutput(const QString &output, const QString &example, CommandLine *c)
{
    if (output.isEmpty()) {
        c->error = QStringLiteral("Die Ausgabedatei fehlt (--output %1).").arg(example);
        return false;
    }
    c->output = QDir::cleanPath(QDir::current().absoluteFilePath(output));
    return true;
}

bool readListOptions(const QCommandLineParser &parser, CommandLine *c)
{
    QString list, month, employee, output;
    if (!singleValue(parser, PdfOption, &list, &c->error)
        || !singleValue(parser, MonthOption, &month, &c->error)
        || !singleValue(parser, EmployeeOption, &employee, &c->error)
        || !singleValue(parser, OutputOption, &output, &c->error))
        return false;
    if (!ParseListKind(list, &c->list)) {
        c->error = QStringLiteral("Unbekannte Liste \"%1\".").arg(list);
        return false;
    }
    if ((NeedsMonth(c->list) || parser.isSet(MonthOption))
        && !parseMonth(month, &c->month, &c->year)) {
        c->error = monthError(month);
        return false;
    }
    if (parser.isSet(EmployeeOption)) {
        if (!readEmployee(employee, c))
            return false;
        if (!TakesEmployee(c->list)) {
            c->error =
                QStringLiteral("--employee gilt nur für die Listen summen, detail und protokoll.");
            return false;
        }
    }
    return readOutput(output, QStringLiteral("DATEI.pdf"), c);
}

bool readExportOptions(const QCommandLineParser &parser, CommandLine *c)
{
    QString format, month, output;
    if (!singleValue(parser, ExportOption, &format, &c->error)
        || !singleValue(parser, MonthOption, &month, &c->error)
        || !singleValue(parser, OutputOption, &output, &c->error))
        return false;
    if (!ParsePayrollFormat(format, &c->exportFormat)) {
        c->error = QStringLiteral("Unbekanntes Exportformat \"%1\" (csv, lodas, lug).").arg(format);
        return false;
    }
    if (!parseMonth(month, &c->month, &c->year)) {
        c->error = monthError(month);
        return false;
    }
    return readOutput(output, QStringLiteral("DATEI"), c);
}

bool readChangesOptions(const QCommandLineParser &parser, CommandLine *c)
{
    QString month, employee;
    if (!singleValue(parser, MonthOption, &month, &c->error)
        || !singleValue(parser, EmployeeOption, &employee, &c->error))
        return false;
    if (!parseMonth(month, &c->month, &c->year)) {
        c->error = monthError(month);
        return false;
    }
    return !parser.isSet(EmployeeOption) || readEmployee(employee, c);
}

// "--recalc --data-dir x" gives --recalc the value "--data-dir": the month is missing.
bool valuesPresent(const QCommandLineParser &parser, QString *error)
{
    for (const QString &name :
         {DataDirOption,     DatabaseOption, CopyOption,    HolidaysOption, FillHolidaysOption,
          AccountOption,     CheckOption,    MissingOption, ExportOption,   CloseMonthOption,
          ReopenMonthOption, ReasonOption,   BackupOption,  RestoreOption,  ImportParadoxOption,
          RecalcOption,      PdfOption,      MonthOption,   EmployeeOption, OutputOption}) {
        for (const QString &value : parser.values(name)) {
            if (value.startsWith(QLatin1String("--"))) {
                *error = QStringLiteral("Nach --%1 fehlt der Wert.").arg(name);
                return false;
            }
        }
    }
    return true;
}

// "--holidays LAND JAHR": the year is the one word after the state.
bool readHolidayOptions(const QCommandLineParser &parser, QStringList *positional, CommandLine *c)
{
    if (!singleValue(parser, HolidaysOption, &c->state, &c->error))
        return false;
    c->state = c->state.trimmed().toUpper();
    if (!PublicHolidays::isKnownState(c->state) || c->state.isEmpty()) {
        c->error = QStringLiteral("Unbekanntes Bundesland \"%1\": erwartet wird DE oder eines "
                                  "von %2.")
                       .arg(c->state, PublicHolidays::stateCodes().join(QStringLiteral(", ")));
        return false;
    }
    bool ok = false;
    c->year = positional->value(0).toInt(&ok);
    if (!ok || c->year < PublicHolidays::FirstYear || c->year > PublicHolidays::LastYear) {
        c->error = QStringLiteral("Nach --holidays %1 fehlt das Jahr (%2 bis %3).")
                       .arg(c->state)
                       .arg(PublicHolidays::FirstYear)
                       .arg(PublicHolidays::LastYear);
        return false;
    }
    positional->removeFirst();
    return true;
}

// A database address, checked now so that a typing error is reported before any work.
bool readAddress(const QCommandLineParser &parser, const QString &name, QString *value,
                 QString *error)
{
    if (!singleValue(parser, name, value, error))
        return false;
    if (!parser.isSet(name))
        return true;
    try {
        DatabaseUrl::parse(*value);
    } catch (const UserError &refusal) {
        *error = refusal.message();
        return false;
    }
    return true;
}

bool readOptions(const QCommandLineParser &parser, CommandLine *c)
{
    if (!valuesPresent(parser, &c->error))
        return false;
    if (!chooseMode(parser, &c->mode, &c->error))
        return false;
    QStringList positional = parser.positionalArguments();
    if (c->mode == RunMode::Holidays && !readHolidayOptions(parser, &positional, c))
        return false;
    if (!positional.isEmpty()) {
        c->error = QStringLiteral("Unerwartete Angabe: %1").arg(positional.first());
        return false;
    }
    QString dataDir;
    if (!singleValue(parser, DataDirOption, &dataDir, &c->error))
        return false;
    if (parser.isSet(DataDirOption)) {
        if (dataDir.isEmpty()) {
            c->error = QStringLiteral("Nach --data-dir fehlt der Datenordner.");
            return false;
        }
        // A relative folder is taken from the current directory, as a shell user expects.
        c->dataDir = QDir::cleanPath(QDir::current().absoluteFilePath(dataDir));
    }
    if (!readAddress(parser, DatabaseOption, &c->database, &c->error)
        || !readAddress(parser, CopyOption, &c->copyTarget, &c->error))
        return false;
    if (!c->database.isEmpty() && !c->dataDir.isEmpty()) {
        c->error = QStringLiteral("--data-dir und --database schließen einander aus.");
        return false;
    }
    // the month runs that may name one employee
    const bool account = c->mode == RunMode::Account || c->mode == RunMode::Check
        || c->mode == RunMode::CloseMonth || c->mode == RunMode::ReopenMonth;
    if (c->mode != RunMode::ListPdf) {
        for (const QString &name : {MonthOption, EmployeeOption, OutputOption}) {
            const bool allowed = (account && name == EmployeeOption)
                || (c->mode == RunMode::Export && name != EmployeeOption)
                || (c->mode == RunMode::Changes && name != OutputOption);
            if (parser.isSet(name) && !allowed) {
                c->error = QStringLiteral("--%1 gilt nur zusammen mit --pdf.").arg(name);
                return false;
            }
        }
    }
    const std::pair<RunMode, QString> monthRuns[] = {
        {RunMode::Recalc, RecalcOption},          {RunMode::FillHolidays, FillHolidaysOption},
        {RunMode::Account, AccountOption},        {RunMode::Check, CheckOption},
        {RunMode::Missing, MissingOption},        {RunMode::CloseMonth, CloseMonthOption},
        {RunMode::ReopenMonth, ReopenMonthOption}};
    for (const auto &[mode, option] : monthRuns) {
        QString month;
        if (c->mode != mode)
            continue;
        if (!singleValue(parser, option, &month, &c->error))
            return false;
        if (!parseMonth(month, &c->month, &c->year)) {
            c->error = monthError(month);
            return false;
        }
    }
    if (account && parser.isSet(EmployeeOption) && !readEmployee(parser.value(EmployeeOption), c))
        return false;
    if (c->mode == RunMode::ReopenMonth) {
        c->reason = parser.value(ReasonOption).trimmed();
        if (!c->oneEmployee || c->reason.isEmpty()) {
            c->error = QStringLiteral("--reopen-month braucht --employee NR und --reason TEXT.");
            return false;
        }
    } else if (parser.isSet(ReasonOption)) {
        c->error = QStringLiteral("--reason gilt nur zusammen mit --reopen-month.");
        return false;
    }
    if (c->mode == RunMode::Export)
        return readExportOptions(parser, c);
    if (c->mode == RunMode::Changes)
        return readChangesOptions(parser, c);
    if (parser.isSet(ReplaceOption) && c->mode != RunMode::ImportParadox) {
        c->error = QStringLiteral("--replace gilt nur zusammen mit --import-paradox.");
        return false;
    }
    if (c->mode == RunMode::ImportParadox) {
        QString folder;
        c->replace = parser.isSet(ReplaceOption);
        return singleValue(parser, ImportParadoxOption, &folder, &c->error)
            && readOutput(folder, QStringLiteral("ORDNER"), c);
    }
    if (c->mode == RunMode::Backup || c->mode == RunMode::Restore) {
        QString file;
        const QString option = c->mode == RunMode::Backup ? BackupOption : RestoreOption;
        return singleValue(parser, option, &file, &c->error)
            && readOutput(file, QStringLiteral("DATEI"), c);
    }
    return c->mode != RunMode::ListPdf || readListOptions(parser, c);
}

} // namespace

QString CommandLine::dataFolder() const
{
    if (!dataDir.isEmpty())
        return dataDir;
    return defaultDataFolder(QCoreApplication::applicationDirPath(), usersDataFolder());
}

QString defaultDataFolder(const QString &programFolder, const QString &usersFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("Daten"));
    if (QFileInfo(beside).isDir())
        return beside;
    // the system's program folders are writable for root, but are no place for data
    const QString folder = QDir(programFolder).absolutePath() + QLatin1Char('/');
    const bool system =
        folder.startsWith(QLatin1String("/usr/")) || folder.startsWith(QLatin1String("/opt/"));
    return QFileInfo(programFolder).isWritable() && !system ? beside : usersFolder;
}

QString usersDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Daten"));
}

int runReportingErrors(QTextStream &err, const std::function<int()> &work)
{
    try {
        return work();
    } catch (const std::exception &e) {
        err << errorMessage(e) << '\n';
    }
    return ExitFailed;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine commandLine;
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        commandLine.error = germanParseError(parser);
    else
        readOptions(parser, &commandLine);
    return commandLine;
}

QString commandLineUsage()
{
    return QStringLiteral(
        "Aufruf: taktora [DATENBANK] [--create-database]\n"
        "        taktora [DATENBANK] --copy-database ADRESSE\n"
        "        taktora [DATENBANK] --recalc JJJJ-MM\n"
        "        taktora [DATENBANK] --fill-holidays JJJJ-MM\n"
        "        taktora [DATENBANK] --account JJJJ-MM [--employee NR]\n"
        "        taktora [DATENBANK] --check JJJJ-MM [--employee NR]\n"
        "        taktora [DATENBANK] --missing JJJJ-MM\n"
        "        taktora [DATENBANK] --export FORMAT --month JJJJ-MM --output DATEI\n"
        "        taktora [DATENBANK] --close-month JJJJ-MM [--employee NR]\n"
        "        taktora [DATENBANK] --reopen-month JJJJ-MM --employee NR --reason TEXT\n"
        "        taktora [DATENBANK] --changes --month JJJJ-MM [--employee NR]\n"
        "        taktora [DATENBANK] --backup DATEI | --restore DATEI | --check-database\n"
        "        taktora [DATENBANK] --import-paradox ORDNER [--replace]\n"
        "        taktora --holidays LAND JAHR\n"
        "        taktora [DATENBANK] --pdf LISTE [--month JJJJ-MM] [--employee NR]\n"
        "                --output DATEI.pdf\n"
        "DATENBANK ist --data-dir ORDNER oder --database ADRESSE; ohne beides gilt der\n"
        "Eintrag [Datenbank] Url= der INI-Datei, sonst \"Daten\" neben dem Programm oder,\n"
        "wo das Programm nicht schreiben kann, ~/.local/share/Taktora/Daten.\n"
        "  --data-dir ORDNER   ein anderer Datenordner\n"
        "  --database ADRESSE  sqlite:PFAD oder postgresql://benutzer@rechner:port/name\n"
        "                      (Unix-Socket: postgresql:///name?host=/ordner&port=5432)\n"
        "  --create-database   legt die leeren Tabellen an, wenn die Datenbank noch keine\n"
        "                      enthält, und beendet sich\n"
        "  --copy-database ADRESSE  kopiert alle Tabellen in eine leere Datenbank\n"
        "  --fill-holidays JJJJ-MM  trägt die Feiertage des Monats (Bundesland aus den\n"
        "                      Einstellungen) als Zeiten mit Kennung F ein\n"
        "  --account JJJJ-MM   Zeitkonto und Urlaub des Auswertungszeitraums je Mitarbeiter\n"
        "  --check JJJJ-MM     prüft die Arbeitszeiten nach dem Arbeitszeitgesetz\n"
        "  --missing JJJJ-MM   die Arbeitstage des Monats ohne Zeiten (bis heute)\n"
        "  --export FORMAT     schreibt die Monatswerte für die Lohnabrechnung: csv, lodas\n"
        "                      oder lug; braucht --month und --output\n"
        "  --close-month JJJJ-MM  berechnet den Auswertungszeitraum neu und schließt ihn ab\n"
        "  --reopen-month JJJJ-MM  öffnet einen abgeschlossenen Zeitraum wieder (mit Grund)\n"
        "  --changes           das Änderungsprotokoll eines Monats, eine Zeile je Änderung\n"
        "  --backup DATEI      sichert die Datenbank in eine geprüfte SQLite-Datei\n"
        "  --restore DATEI     ersetzt die Datenbank durch eine geprüfte Sicherung\n"
        "                      (sichert den Stand davor in Sicherung)\n"
        "  --check-database    prüft Unversehrtheit und Stand der Tabellen (0: in Ordnung)\n"
        "  --import-paradox ORDNER  übernimmt die fünf Tabellen eines Paradox-Ordners in\n"
        "                      eine leere Datenbank; mit --replace ersetzt sie deren Daten\n"
        "                      (nach einer Sicherung)\n"
        "  --holidays LAND JAHR  die gesetzlichen Feiertage eines Bundeslands (BW, BY, ...,\n"
        "                      TH; DE für die bundesweiten), eine Zeile je Feiertag\n"
        "  --recalc JJJJ-MM    rechnet den Monat für alle Mitarbeiter neu\n"
        "  --pdf LISTE         schreibt eine Liste als PDF: summen, detail, bruttolohn,\n"
        "                      zeitkonto, arbzg, uebersicht, protokoll, schichtplan oder\n"
        "                      personal; alle außer schichtplan und personal brauchen\n"
        "                      --month, --employee gilt für summen, detail und protokoll\n"
        "Rückgabewert: 0 erledigt, 1 Fehler, 2 falscher Aufruf, 3 keine Daten.\n");
}

} // namespace tk
