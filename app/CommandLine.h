#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "core/export/PayrollExport.h"
#include "core/reports/lists/ListDocuments.h"

class QTextStream;

namespace tk {

// What the program is asked to do. Every mode but the window start runs without a display.
enum class RunMode {
    Windows,        // splash, main window, event loop
    Help,           // --help: the usage text
    CreateDatabase, // --create-database
    CopyDatabase,   // --copy-database URL
    Holidays,       // --holidays LAND JAHR
    FillHolidays,   // --fill-holidays YYYY-MM
    Account,        // --account YYYY-MM [--employee N]
    Check,          // --check YYYY-MM [--employee N]
    Missing,        // --missing YYYY-MM
    CloseMonth,     // --close-month YYYY-MM [--employee N]
    ReopenMonth,    // --reopen-month YYYY-MM --employee N --reason TEXT
    Changes,        // --changes --month YYYY-MM [--employee N]
    Backup,         // --backup FILE
    Restore,        // --restore FILE
    CheckDatabase,  // --check-database
    ImportParadox,  // --import-paradox FOLDER [--replace]
    Recalc,         // --recalc YYYY-MM
    ListPdf,        // --pdf LIST --month YYYY-MM [--employee N] --output FILE
    Export          // --export FORMAT --month YYYY-MM --output FILE
};

// Exit codes of the command-line modes.
enum ExitCode {
    ExitOk = 0,
    ExitFailed = 1,  // a database, date or file error; the message names it
    ExitBadCall = 2, // the command line cannot be used; the usage text follows the message
    ExitNoData = 3   // the list has no page; no file is written
};

// The command line, checked: one mode at most, each with its values.
//   taktora [--data-dir DIR | --database URL] [--create-database | --copy-database URL
//            | --recalc YYYY-MM | --pdf LIST [--month YYYY-MM] [--employee N] --output FILE]
//   taktora --holidays STATE YEAR
struct CommandLine
{
    RunMode mode = RunMode::Windows;
    QString dataDir;    // absolute; empty for the default folder (dataFolder())
    QString database;   // --database, checked
    QString copyTarget; // --copy-database, checked
    QString state;      // --holidays: a state code or DE
    int month = 0;      // --recalc, --month
    int year = 0;
    ListKind list = ListKind::Summen;
    PayrollFormat exportFormat = PayrollFormat::Csv;
    int employee = 0; // PersonalNummer, when oneEmployee
    bool oneEmployee = false;
    QString output;       // absolute: --output, the file of --backup/--restore, the folder of
                          // --import-paradox
    bool replace = false; // --import-paradox: the data held is replaced
    QString reason;       // --reopen-month
    QString error;        // German; not empty when the command line cannot be used

    bool isValid() const { return error.isEmpty(); }
    // The data folder to work on (see defaultDataFolder); needs the application object.
    QString dataFolder() const;
};

// arguments start with the program name. Needs no application object, so the start can
// choose which one to create. Qt's own window options (-platform, -style, ...) are let
// through for the application object to take.
CommandLine parseCommandLine(const QStringList &arguments);

QString commandLineUsage();

// Runs a command-line mode's work: an error it throws becomes its German message on err and
// ExitFailed.
int runReportingErrors(QTextStream &err, const std::function<int()> &work);

// "Daten" beside the program when its folder can be written (or already holds one), as a
// program run from its build or a copied folder keeps it; else, and for a program installed
// under /usr or /opt (whose folder root can write), usersDataFolder.
QString defaultDataFolder(const QString &programFolder, const QString &usersFolder);
// "Daten" in the user's folder for the program's data (~/.local/share/Taktora/Daten); needs
// the application name.
QString usersDataFolder();

} // namespace tk
