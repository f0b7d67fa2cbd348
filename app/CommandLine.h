#pragma once

#include <QString>
#include <QStringList>

namespace tk {

// What the command line asks for:
//   taktora [--data-dir DIR] [--create-database]
// The data folder defaults to "Daten" beside the program, whatever the current directory.
struct StartOptions
{
    QString dataDir;
    bool createDatabase = false;
    bool showHelp = false;
    QString error; // German; not empty when the command line cannot be used

    bool isValid() const { return error.isEmpty(); }
};

// arguments include the program name first, as QCoreApplication::arguments() gives them.
StartOptions parseCommandLine(const QStringList &arguments, const QString &programDir);

QString commandLineUsage();

} // namespace tk
