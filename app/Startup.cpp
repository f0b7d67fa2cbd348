#include "app/Startup.h"

#include <QDir>
#include <cstdio>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/FormMain.h"
#include "app/FormSplash.h"
#include "app/Version.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"

namespace tk {

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

// "taktora --create-database": creates the data folder with empty tables unless it
// already holds a database, which stays untouched.
int createDatabase(const QString &dataDir)
{
    const QString shown = QDir::toNativeSeparators(dataDir);
    try {
        if (Database::createDatabase(dataDir))
            print(stdout, QStringLiteral("Datenbank angelegt: %1").arg(shown));
        else
            print(stdout,
                  QStringLiteral("Datenbank besteht bereits, nichts geändert: %1").arg(shown));
        return 0;
    } catch (const DbError &error) {
        print(stderr, error.message());
        return 1;
    }
}

bool isConsoleCommand(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--create-database" || arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

// Returns -1 when the program goes on to its windows.
int runConsoleCommands(const StartOptions &options)
{
    if (!options.isValid()) {
        print(stderr, options.error);
        print(stderr, commandLineUsage());
        return 2;
    }
    if (options.showHelp) {
        print(stdout, commandLineUsage());
        return 0;
    }
    if (options.createDatabase)
        return createDatabase(options.dataDir);
    return -1;
}

int runWindows(Application &app, const StartOptions &options)
{
    auto *splash = new TFormSplash;
    splash->setVersionLine(Version::text());
    splash->showForStartup();

    // The program ends with its main window, not with the last of its other windows.
    app.setQuitOnLastWindowClosed(false);
    auto *main = new TFormMain(options.dataDir);
    main->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(main, &TFormMain::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    main->show();
    if (TFormSplash *still = TFormSplash::current()) {
        still->raise(); // above the main window also where no window manager keeps it on top
        still->startCloseTimer(TFormSplash::StartupMilliseconds);
    }
    return app.exec();
}

} // namespace

int runTaktora(int &argc, char **argv)
{
    // Names the user's configuration folder (~/.config/Taktora) before anything reads it.
    QCoreApplication::setApplicationName(QStringLiteral("Taktora"));
    if (isConsoleCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        Version::initialize();
        return runConsoleCommands(
            parseCommandLine(app.arguments(), QCoreApplication::applicationDirPath()));
    }
    Application app(argc, argv);
    Version::initialize();
    const StartOptions options =
        parseCommandLine(app.arguments(), QCoreApplication::applicationDirPath());
    const int exitCode = runConsoleCommands(options);
    return exitCode >= 0 ? exitCode : runWindows(app, options);
}

} // namespace tk
