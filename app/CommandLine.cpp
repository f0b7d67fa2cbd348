#include "app/CommandLine.h"

#include <QDir>

namespace tk {

StartOptions parseCommandLine(const QStringList &arguments, const QString &programDir)
{
    StartOptions options;
    options.dataDir = QDir(programDir).filePath(QStringLiteral("Daten"));
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--create-database")) {
            options.createDatabase = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.showHelp = true;
        } else if (arg == QLatin1String("--data-dir")
                   || arg.startsWith(QLatin1String("--data-dir="))) {
            QString dir;
            if (arg.contains(u'='))
                dir = arg.section(u'=', 1);
            else if (i + 1 < arguments.size())
                dir = arguments.at(++i);
            if (dir.isEmpty()) {
                options.error = QStringLiteral("Nach --data-dir fehlt der Datenordner.");
                return options;
            }
            // A relative folder is taken from the current directory, as a shell user expects.
            options.dataDir = QDir::cleanPath(QDir::current().absoluteFilePath(dir));
        } else if (arg.startsWith(u'-')) {
            // Qt's own options (-platform, -style, ...) were taken out by QApplication already.
            options.error = QStringLiteral("Unbekannte Option: %1").arg(arg);
            return options;
        }
    }
    return options;
}

QString commandLineUsage()
{
    return QStringLiteral(
        "Aufruf: taktora [--data-dir ORDNER] [--create-database]\n"
        "  --data-dir ORDNER   Datenordner statt \"Daten\" neben dem Programm\n"
        "  --create-database   legt den Datenordner mit leeren Tabellen an, wenn er noch\n"
        "                      keine Datenbank enthält, und beendet sich\n");
}

} // namespace tk
