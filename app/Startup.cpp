#include "app/Startup.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/Application.h"
#include "app/BackupCommand.h"
#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "app/ExportCommand.h"
#include "app/FormMain.h"
#include "app/FormSplash.h"
#include "app/ImportCommand.h"
#include "app/ListPdfCommand.h"
#include "app/MonthRunCommand.h"
#include "app/Version.h"
#include "core/calendar/PublicHolidays.h"
#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/ServerChanges.h"
#include "core/db/TableChanges.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/PasswordPrompt.h"

namespace tk {

namespace {

// "taktora --create-database": creates the empty tables unless the database already holds
// them, which then stay untouched. The default data folder is made when missing.
int createDatabase(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    try {
        const DatabaseUrl url = chosenDatabase(commandLine);
        const QString shown =
            url.kind() == DatabaseUrl::Kind::SQLite && commandLine.database.isEmpty()
            ? QDir::toNativeSeparators(QFileInfo(url.filePath()).absolutePath())
            : url.displayText();
        if (Database::createDatabase(url))
            out << QStringLiteral("Datenbank angelegt: %1").arg(shown) << '\n';
        else
            out << QStringLiteral("Datenbank besteht bereits, nichts geändert: %1").arg(shown)
                << '\n';
        return ExitOk;
    } catch (const UserError &error) {
        err << error.message() << '\n';
        return ExitFailed;
    }
}

// "taktora --copy-database ADRESSE": every table of the chosen database into an empty one.
int copyDatabase(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    try {
        openChosenDatabase(commandLine);
        const DatabaseUrl target = DatabaseUrl::parse(commandLine.copyTarget);
        for (const QString &line : DatabaseCopy::copyTo(target))
            out << line << '\n';
        out << QStringLiteral("Datenbank kopiert nach %1").arg(target.displayText()) << '\n';
        return ExitOk;
    } catch (const UserError &error) {
        err << error.message() << '\n';
        return ExitFailed;
    }
}

// "taktora --holidays LAND JAHR": one line "TT.MM.JJJJ Name" per holiday, in date order.
int listHolidays(const CommandLine &commandLine, QTextStream &out)
{
    for (const PublicHoliday &holiday : PublicHolidays::of(commandLine.state, commandLine.year))
        out << GermanDateText(holiday.date) << ' ' << holiday.name << '\n';
    return ExitOk;
}

// A command's messages are its German lines; Qt's own warnings ("QPainter::begin():
// Returned false", a missing runtime folder) would only confuse the reader.
void dropQtWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs(message.toLocal8Bit().constData(), stderr);
        std::fputc('\n', stderr);
    }
}

int runOnConsole(int &argc, char **argv, const CommandLine &commandLine)
{
    qInstallMessageHandler(dropQtWarnings);
    std::unique_ptr<QCoreApplication> app;
    if (commandLine.isValid() && commandLine.mode == RunMode::ListPdf) {
        // The lists measure and paint their fonts; the offscreen platform needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = runCommand(commandLine, out, err);
    out.flush();
    err.flush();
    Database::disconnect();
    return code;
}

// A normal end leaves a backup in the automatic folder. One that cannot be written is told in
// a box that closes by itself, so the program still ends.
void backUpAtTheEnd()
{
    const QString folder = DatabaseBackup::automaticFolder();
    if (folder.isEmpty() || Database::isReadOnly())
        return;
    try {
        DatabaseBackup::writeInto(folder, QDateTime::currentDateTime());
    } catch (const UserError &e) {
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("Information"),
            QStringLiteral("Die Sicherung beim Beenden ist nicht gelungen:\n%1").arg(e.message()));
        QTimer::singleShot(10000, &box, &QMessageBox::accept);
        box.exec();
    }
}

// A damaged database is not started on: the newest sound backup is offered instead. False
// when the program is to end.
bool soundAtStart()
{
    QString problem;
    try {
        problem = DatabaseBackup::quickProblem();
    } catch (const UserError &e) {
        problem = e.message();
    }
    if (problem.isEmpty())
        return true;
    const QString damaged = QStringLiteral("Die Datenbank %1 ist beschädigt:\n%2")
                                .arg(Database::displayName(), problem.left(400));
    const QString backup = DatabaseBackup::newestSound(DatabaseBackup::automaticFolder());
    if (backup.isEmpty()) {
        showError(nullptr,
                  damaged
                      + QStringLiteral("\n\nEine intakte Sicherung gibt es nicht; "
                                       "bitte keine Daten erfassen."));
        return true;
    }
    const QString when = QFileInfo(backup).fileName();
    if (!confirmOkCancel(nullptr,
                         damaged
                             + QStringLiteral("\n\nOK stellt die neueste intakte "
                                              "Sicherung (%1) wieder her, Abbrechen "
                                              "beendet das Programm.")
                                   .arg(when)))
        return false;
    try {
        DatabaseBackup::restore(backup);
    } catch (const UserError &e) {
        showError(nullptr, e.message());
        return false;
    }
    showInformation(nullptr, QStringLiteral("Die Sicherung %1 ist wiederhergestellt.").arg(when));
    return true;
}

int runWindows(int &argc, char **argv, const CommandLine &commandLine)
{
    Application app(argc, argv);
    Version::initialize();
    Database::setPasswordPrompt(
        [](const QString &name) { return askDatabasePassword(nullptr, name); });
    bool opened = false;
    try {
        createUsersDatabase(commandLine);
        openChosenDatabase(commandLine);
        opened = true;
    } catch (const DbError &) {
        // A missing folder or database is reported by each window that cannot open its
        // tables; an upgrade that failed is tried again at the next start.
    } catch (const UserError &error) {
        // The workstation's address cannot be used: say so, and work on the default folder.
        showError(nullptr, error.message());
        Database::setPath(commandLine.dataFolder());
    }
    if (opened && !soundAtStart())
        return ExitFailed;
    // A dialog works on the rows it was opened on: other changes are shown once it closes.
    TableChanges::deferWhile([] { return QApplication::activeModalWidget() != nullptr; });
    ServerChanges::instance().start();

    auto *splash = new TFormSplash;
    splash->setVersionLine(Version::text());
    splash->showForStartup();

    // The program ends with its main window, not with the last of its other windows.
    app.setQuitOnLastWindowClosed(false);
    auto *main = new TFormMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(main, &TFormMain::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    main->show();
    if (TFormSplash *still = TFormSplash::current()) {
        still->raise(); // above the main window also where no window manager keeps it on top
        still->startCloseTimer();
    }
    const int code = app.exec();
    backUpAtTheEnd();
    return code;
}

} // namespace

int runCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    if (!commandLine.isValid()) {
        err << commandLine.error << '\n' << commandLineUsage();
        return ExitBadCall;
    }
    switch (commandLine.mode) {
    case RunMode::Help:
        out << commandLineUsage();
        return ExitOk;
    case RunMode::CreateDatabase:
        return createDatabase(commandLine, out, err);
    case RunMode::CopyDatabase:
        return copyDatabase(commandLine, out, err);
    case RunMode::Holidays:
        return listHolidays(commandLine, out);
    case RunMode::Recalc:
    case RunMode::FillHolidays:
    case RunMode::Account:
    case RunMode::Check:
    case RunMode::Missing:
    case RunMode::CloseMonth:
    case RunMode::ReopenMonth:
    case RunMode::Changes:
        return runMonthCommand(commandLine, out, err);
    case RunMode::ListPdf:
        return runListPdfCommand(commandLine, out, err);
    case RunMode::Export:
        return runExportCommand(commandLine, out, err);
    case RunMode::Backup:
    case RunMode::Restore:
        return runBackupCommand(commandLine, out, err);
    case RunMode::CheckDatabase:
        return runCheckDatabaseCommand(commandLine, out, err);
    case RunMode::ImportParadox:
        return runImportParadoxCommand(commandLine, out, err);
    case RunMode::Windows:
        break;
    }
    err << QStringLiteral("Der Fensterstart ist kein Befehl.") << '\n';
    return ExitBadCall;
}

int runTaktora(int &argc, char **argv)
{
    // Names the user's configuration folder (~/.config/Taktora) before anything reads it.
    QCoreApplication::setApplicationName(QStringLiteral("Taktora"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = parseCommandLine(arguments);
    if (commandLine.isValid() && commandLine.mode == RunMode::Windows)
        return runWindows(argc, argv, commandLine);
    return runOnConsole(argc, argv, commandLine);
}

} // namespace tk
